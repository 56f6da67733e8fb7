#include <gtest/gtest.h>

#include "core/startup.h"
#include "platform/instance_testing.h"
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

// Characters outside the code page arrive replaced; no terminating zero.
TEST_F(SecondStart, HandsTheArgumentsOverAsAnsiBytesAndEnds) {
  SideBar().visible = true;
  EXPECT_EQ(Main(L"-addnote caf\u00E9 \u2603"), StartupResult::Exit);
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(pt::Desktop().sent[0].window, 0x20);
  EXPECT_EQ(pt::Desktop().sent[0].bytes, "-addnote caf\xE9 ?");
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

TEST_F(SecondStart, OnlyAWindowMarkedWithExactlyOneCounts) {
  SideBar().marks[kWindowMarkName] = 2;
  EXPECT_EQ(Main(L"-show"), StartupResult::Exit);
  EXPECT_TRUE(pt::Desktop().sent.empty());
  EXPECT_EQ(RunningWindow, 0);
  EXPECT_TRUE(ui::testing::MessageLog().empty());
}

TEST(HandOff, PayloadIsNotTrimmed) {
  EXPECT_EQ(HandOffPayload(L" -show "), " -show ");  // not trimmed by the sender
}

TEST(FirstInstance, AFailedMutexCountsAsTheFirstInstance) {
  pt::ResetDesktop();
  pt::Desktop().failMutexCreation = true;
  EXPECT_TRUE(IsFirstInstance(kInstanceMutexName));
  pt::Desktop().failMutexCreation = false;
  EXPECT_TRUE(IsFirstInstance(kInstanceMutexName));
  EXPECT_FALSE(IsFirstInstance(kInstanceMutexName));
  EXPECT_EQ(InstanceMutex.get(), 0);  // the handle of a second instance is closed at once
}

}  // namespace
}  // namespace velvane
