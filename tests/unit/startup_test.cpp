#include <gtest/gtest.h>

#include "common/settings_store.h"
#include "core/startup.h"
#include "platform/instance_testing.h"
#include "platform/test_hooks.h"
#include "test_support.h"
#include "ui/testing.h"

namespace velvane {
namespace {

namespace pt = platform::testing;

class SecondStart : public ::testing::Test {
protected:
  void SetUp() override {
    pt::ResetDesktop();
    ui::testing::Reset();
    RunningWindow = 0;
    pt::Desktop().mutexes.insert(kInstanceMutexName);  // a side bar runs
    pt::Desktop().windows[0x10] = {};                  // an unrelated window first in Z order
    pt::Desktop().windows[0x20].marks[kWindowMarkName] = 1;
  }
  pt::FakeWindow& SideBar() { return pt::Desktop().windows[0x20]; }
};

TEST_F(SecondStart, HandsTheArgumentsOverAsAnsiBytesAndEnds) {
  SideBar().visible = true;
  EXPECT_EQ(Main(L"-addtodo buy milk"), StartupResult::Exit);
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(pt::Desktop().sent[0].window, 0x20);
  EXPECT_EQ(pt::Desktop().sent[0].bytes, "-addtodo buy milk");  // no terminating zero
  EXPECT_EQ(pt::Desktop().sent[0].timeoutMs, 5000u);
  EXPECT_EQ(SideBar().broughtForward, 1);
}

TEST_F(SecondStart, AnEmptyCommandLineReachesAHiddenBarAsOneZeroByte) {
  SideBar().visible = false;
  Main(L"");
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(pt::Desktop().sent[0].bytes, std::string(1, '\0'));
}

TEST_F(SecondStart, AVisibleBarAskedForNothingIsOnlyBroughtForward) {
  SideBar().visible = true;
  SideBar().minimized = true;
  Main(L"");
  EXPECT_TRUE(pt::Desktop().sent.empty());
  EXPECT_EQ(SideBar().restored, 1);
  EXPECT_EQ(SideBar().broughtForward, 1);
}

TEST_F(SecondStart, CharactersOutsideTheCodePageArriveReplaced) {
  Main(L"-addnote caf\u00E9 \u2603");
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(pt::Desktop().sent[0].bytes, "-addnote caf\xE9 ?");
}

TEST_F(SecondStart, OnlyAWindowMarkedWithExactlyOneCounts) {
  SideBar().marks[kWindowMarkName] = 2;
  EXPECT_EQ(Main(L"-show"), StartupResult::Exit);
  EXPECT_TRUE(pt::Desktop().sent.empty());
  EXPECT_EQ(RunningWindow, 0);
  EXPECT_TRUE(ui::testing::MessageLog().empty());
}

TEST(HandOff, PayloadRules) {
  EXPECT_EQ(HandOffPayload(L""), std::string(1, '\0'));
  EXPECT_EQ(HandOffPayload(L" -show "), " -show ");  // not trimmed by the sender
}

class FirstStart : public ::testing::Test {
protected:
  void SetUp() override {
    pt::ResetDesktop();
    ui::testing::Reset();
    pt::StartedPrograms().clear();
    test::WriteBytes(dir_ / L"Primewiz.exe", "MZ");
  }
  void Config(const std::string& bytes) { test::WriteBytes(dir_ / L"data\\config.qdt", bytes); }
  bool WizardStarted() const {
    return pt::StartedPrograms().size() == 1 && pt::StartedPrograms()[0].find(L"Primewiz.exe") != std::wstring::npos;
  }
  test::TempDir dir_;
};

TEST_F(FirstStart, StartsTheWizardUntilTheFirstRunIsDone) {
  for (const char* value : {"0", "", "abc", "0.0"}) {
    pt::ResetDesktop();
    pt::StartedPrograms().clear();
    Config(std::string("[INIT]\r\nFirstTime=") + value + "\r\n");
    EXPECT_EQ(Main(L"", dir_.Path()), StartupResult::Exit) << value;
    ASSERT_TRUE(WizardStarted()) << value;
    EXPECT_EQ(pt::StartedPrograms()[0], L"\"" + dir_.Path() + L"\\Primewiz.exe\"");
  }
  pt::ResetDesktop();
  pt::StartedPrograms().clear();
  test::TempDir empty;  // no config.qdt at all
  test::WriteBytes(empty / L"Primewiz.exe", "MZ");
  EXPECT_EQ(Main(L"", empty.Path()), StartupResult::Exit);
  EXPECT_EQ(pt::StartedPrograms().size(), 1u);
}

TEST_F(FirstStart, AMissingWizardIsAStartupError) {
  test::TempDir bare;
  Main(L"", bare.Path());
  ASSERT_EQ(ui::testing::MessageLog().size(), 1u);
  const auto& box = ui::testing::MessageLog()[0];
  EXPECT_EQ(box.style, 16);
  EXPECT_EQ(box.title, L"Error");
  EXPECT_EQ(box.text.rfind(L"Error on loading. Now exiting.\rError # 53 - ", 0), 0u) << box.text;
  EXPECT_NE(box.text.find(L"\rDLL Error: "), std::wstring::npos);
  EXPECT_NE(box.text.find(L"\rSource: "), std::wstring::npos);
}

TEST_F(FirstStart, AFailedMutexCountsAsTheFirstInstance) {
  pt::Desktop().failMutexCreation = true;
  Config("[INIT]\r\nFirstTime=0\r\n");
  Main(L"", dir_.Path());
  EXPECT_TRUE(WizardStarted());
}

TEST(StartupError, TextHasItsFourLines) {
  EXPECT_EQ(StartupErrorText(6, L"Overflow", 0, L"Velvane"),
            L"Error on loading. Now exiting.\rError # 6 - Overflow\rDLL Error: 0\rSource: Velvane");
}

}  // namespace
}  // namespace velvane
