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
    RunningSideBar();
    pt::Desktop().windows[0x10] = {};                  // an unrelated window first in Z order
    pt::Desktop().windows[0x20].marks[kWindowMarkName] = 1;
  }
  pt::FakeWindow& SideBar() { return pt::Desktop().windows[0x20]; }
  // The running side bar holds the instance mutex.
  static void RunningSideBar() {
    pt::Desktop().mutexes.insert(kInstanceMutexName);
    pt::Desktop().mutexHandles[1] = kInstanceMutexName;
  }
};

// Characters outside the code page arrive replaced; no terminating zero, no trimming.
TEST_F(SecondStart, HandsTheArgumentsOverAsAnsiBytesAndEnds) {
  SideBar().visible = true;
  EXPECT_EQ(Main(L"-addnote caf\u00E9 \u2603"), StartupResult::Exit);
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(pt::Desktop().sent[0].window, 0x20);
  EXPECT_EQ(pt::Desktop().sent[0].bytes, "-addnote caf\xE9 ?");
  EXPECT_EQ(pt::Desktop().sent[0].timeoutMs, 5000u);
  EXPECT_EQ(SideBar().broughtForward, 1);
  EXPECT_EQ(HandOffPayload(L" -show "), " -show ");
}

// Asked for nothing, a visible bar is only brought forward; a hidden one gets the empty command line as one zero byte.
TEST_F(SecondStart, AnEmptyCommandLineShowsTheBar) {
  SideBar().visible = true;
  SideBar().minimized = true;
  Main(L"");
  EXPECT_TRUE(pt::Desktop().sent.empty());
  EXPECT_EQ(SideBar().restored, 1);
  EXPECT_EQ(SideBar().broughtForward, 1);
  SideBar().visible = false;
  Main(L"");
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(pt::Desktop().sent[0].bytes, std::string(1, '\0'));
}

TEST_F(SecondStart, OnlyAWindowMarkedWithExactlyOneCounts) {
  SideBar().marks[kWindowMarkName] = 2;
  EXPECT_EQ(Main(L"-show"), StartupResult::HandOffFailed);
  EXPECT_TRUE(pt::Desktop().sent.empty());
  EXPECT_EQ(RunningWindow, 0);
  EXPECT_TRUE(ui::testing::MessageLog().empty());
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

// A side bar still starting has its mutex but no marked window yet: the second start keeps looking.
TEST_F(SecondStart, WaitsForABarThatIsStillStartingThenGivesUpWithAnError) {
  SideBar().marks.clear();
  int looks = 0;
  pt::Desktop().onPause = [&] {
    if (++looks == 3) SideBar().marks[kWindowMarkName] = 1;
  };
  EXPECT_EQ(Main(L"-addtodo x"), StartupResult::Exit);
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(pt::Desktop().pausedMs, 3 * kHandOffPollMs);

  // Never marked: it gives up after the hand-off time; a first start that ends meanwhile (it started the wizard) is
  // not waited for.
  for (const bool ends : {false, true}) {
    pt::ResetDesktop();
    RunningSideBar();
    if (ends) pt::Desktop().onPause = [] { platform::CloseMutex(1); };
    EXPECT_EQ(Main(L"-addtodo x"), StartupResult::HandOffFailed);
    EXPECT_EQ(pt::Desktop().pausedMs, ends ? kHandOffPollMs : kHandOffTimeoutMs);
    EXPECT_TRUE(pt::Desktop().sent.empty());
  }
}

}  // namespace
}  // namespace velvane
