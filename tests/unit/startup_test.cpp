#include <gtest/gtest.h>

#include "common/settings_store.h"
#include "core/startup.h"
#include "platform/test_hooks.h"
#include "test_support.h"
#include "ui/testing.h"

namespace velvane {
namespace {

namespace pt = platform::testing;

class FirstStart : public ::testing::Test {
protected:
  void TearDown() override { ReleaseInstanceLock(); }
  void SetUp() override {
    ReleaseInstanceLock();
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
    ReleaseInstanceLock();
    pt::StartedPrograms().clear();
    Config(std::string("[INIT]\r\nFirstTime=") + value + "\r\n");
    EXPECT_EQ(Main(L"", dir_.Path()), StartupResult::Exit) << value;
    ASSERT_TRUE(WizardStarted()) << value;
    EXPECT_EQ(pt::StartedPrograms()[0], L"\"" + dir_.Path() + L"\\Primewiz.exe\"");
  }
  ReleaseInstanceLock();
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
  EXPECT_EQ(box.text.rfind(L"Error on loading. Now exiting.\rError # 53 - File not found\rDLL Error: ", 0), 0u) << box.text;
  EXPECT_NE(box.text.find(L"\rDLL Error: "), std::wstring::npos);
  EXPECT_NE(box.text.find(L"\rSource: "), std::wstring::npos);
}


TEST(StartupError, TextHasItsFourLines) {
  EXPECT_EQ(StartupErrorText(6, L"Overflow", 0, L"Velvane"),
            L"Error on loading. Now exiting.\rError # 6 - Overflow\rDLL Error: 0\rSource: Velvane");
}

}  // namespace
}  // namespace velvane
