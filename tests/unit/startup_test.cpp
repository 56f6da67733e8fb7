#include <gtest/gtest.h>

#include "common/settings_store.h"
#include "core/startup.h"
#include "platform/files.h"
#include "platform/test_hooks.h"
#include "test_support.h"
#include "ui/testing.h"

namespace velvane {
namespace {

namespace pt = platform::testing;

class FirstStart : public ::testing::Test {
protected:
  void SetUp() override { ui::testing::Reset(); }
  void TearDown() override { ReleaseInstanceLock(); }
  test::TempDir dir_;
};

// FirstTime not 1 by the number rules, or no config.qdt at all: the wizard beside the program starts, velvane ends.
TEST_F(FirstStart, StartsTheWizardUntilTheFirstRunIsDone) {
  test::WriteBytes(dir_ / L"Primewiz.exe", "MZ");
  for (const char* value : {"0", "", "abc", "0.0", "missing"}) {
    ReleaseInstanceLock();
    pt::StartedPrograms().clear();
    if (std::string(value) == "missing")
      platform::RemoveFile(dir_ / L"data\\config.qdt");
    else
      test::WriteBytes(dir_ / L"data\\config.qdt", std::string("[INIT]\r\nFirstTime=") + value + "\r\n");
    EXPECT_EQ(Main(L"", dir_.Path()), StartupResult::Exit) << value;
    EXPECT_EQ(pt::StartedPrograms(), std::vector<std::wstring>{L"\"" + dir_.Path() + L"\\Primewiz.exe\""}) << value;
  }
}

TEST_F(FirstStart, AMissingWizardIsAStartupError) {
  Main(L"", dir_.Path());
  ASSERT_EQ(ui::testing::MessageLog().size(), 1u);
  const auto& box = ui::testing::MessageLog()[0];
  EXPECT_EQ(box.style, 16);
  EXPECT_EQ(box.title, L"Error");
  EXPECT_EQ(box.text.rfind(L"Error on loading. Now exiting.\rError # 53 - File not found\rDLL Error: ", 0), 0u) << box.text;
  EXPECT_NE(box.text.find(L"\rSource: "), std::wstring::npos);
}

TEST(StartupError, TextHasItsFourLines) {
  EXPECT_EQ(StartupErrorText(6, L"Overflow", 0, L"Velvane"),
            L"Error on loading. Now exiting.\rError # 6 - Overflow\rDLL Error: 0\rSource: Velvane");
}

}  // namespace
}  // namespace velvane
