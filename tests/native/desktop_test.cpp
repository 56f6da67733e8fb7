// Dealings with the system on its headless twins: screenshots, a second start's hand-off, and data files that another
// program holds open.
#include "common/errors.h"
#include "core/notes.h"
#include "core/startup.h"
#include "platform/files_testing.h"
#include "platform/instance_testing.h"
#include "platform/screen_capture_testing.h"
#include "platform/scripted/test_hooks.h"
#include "sidebar/frm_main.h"
#include "unit/lists_support.h"

namespace velvane {
namespace {

namespace pt = platform::testing;

std::uint64_t Le(const std::string& b, size_t at, size_t size) {
  std::uint64_t v = 0;
  while (size--) v = v << 8 | static_cast<unsigned char>(b[at + size]);
  return v;
}

// A pixel of a bitmap file as a viewer reads it (0x00RRGGBB, y from the top), through the colour table if any.
std::uint32_t PixelOf(const std::string& b, int x, int y) {
  const auto bits = static_cast<size_t>(Le(b, 28, 2)), width = static_cast<size_t>(Le(b, 18, 4));
  const auto at = static_cast<size_t>(Le(b, 10, 4)) + (width * bits + 31) / 32 * 4 * (static_cast<size_t>(Le(b, 22, 4)) - 1 - static_cast<size_t>(y));
  const size_t index = static_cast<unsigned char>(b[at + static_cast<size_t>(x)]);
  return static_cast<std::uint32_t>(bits == 8 ? Le(b, 54 + 4 * index, 3) : Le(b, at + static_cast<size_t>(x) * 3, 3));
}

class Screenshots : public ::testing::Test {
protected:
  void SetUp() override {
    pt::ResetFakeDisplay();
    ui::testing::Reset();
    pt::TheFakeDisplay().screen = {0, 0, 5, 3};
    app_.store.Open(Folders::Of(dir_.Path()));
    settings_.ScreensDir = dir_.Path() + L"\\shots\\";
    std::filesystem::create_directories(test::Native(settings_.ScreensDir));
    test::WriteBytes(app_.store.config.Path(), "[TXT]\r\nTxt1=7\r\n");
    settings_.ScreenshotPrefix = L"shot_";
    settings_.ScreenshotNumber = L"7";
    settings_.ScreenshotType = clsScreenshot::kScreen;
  }
  Screenshot Take(std::optional<std::uint8_t> kind = std::nullopt) {
    return app_.screenshot.TakeScreenshot(settings_, app_.store.config, kind);
  }
  std::wstring Number() { return test::Setting(app_.store.config.Path(), L"TXT", L"Txt1"); }
  std::string Saved(const wchar_t* name) { return test::ReadBytes(settings_.ScreensDir + name); }

  test::TempDir dir_;
  test::NullView view_;
  Velvane app_{view_};
  Settings& settings_ = app_.settings;
};

// The file takes the number as stored; the next one counts on without a limit. A number whose file is there is
// passed over, so no older picture is ever overwritten: also not after a number that could not be stored (said).
TEST_F(Screenshots, FileNameAndNumberRules) {
  const std::wstring cases[][4] = {  // prefix, Txt1, file, next Txt1
      {L"shot_", L"007", L"shot_007.bmp", L"8"}, {L"", L"8", L"8.bmp", L"9"}, {L"a", L"7.5x", L"a7.5x.bmp", L"8.5"},
      {L"a", L"abc", L"a0.bmp", L"1"}, {L"a", L"2147483648", L"a2147483648.bmp", L"2147483649"}};
  for (const auto& c : cases) {
    settings_.ScreenshotPrefix = c[0];
    settings_.ScreenshotNumber = c[1];
    const Screenshot shot = Take();
    EXPECT_EQ(std::pair(shot.kind, shot.file), std::pair(clsScreenshot::kScreen, settings_.ScreensDir + c[2]));
    EXPECT_TRUE(test::Exists(shot.file)) << test::Native(c[2]);
    EXPECT_EQ(settings_.ScreenshotNumber + L"|" + Number(), c[3] + L"|" + c[3]);
  }
  settings_.ScreenshotPrefix = L"shot_";
  settings_.ScreenshotNumber = L"7";
  test::WriteBytes(settings_.ScreensDir + L"shot_7.bmp", "an older picture");
  pt::HeldFiles().insert(app_.store.config.Path());
  const Screenshot unnumbered = Take();
  pt::HeldFiles().clear();
  EXPECT_EQ(unnumbered.file + L"|" + settings_.ScreenshotNumber, settings_.ScreensDir + L"shot_8.bmp|9");
  EXPECT_TRUE(unnumbered.saved && !unnumbered.numbered.Reason().empty());
  settings_.ScreenshotNumber = L"7";  // what a restart reads again
  EXPECT_EQ(Take().file, settings_.ScreensDir + L"shot_9.bmp");
  EXPECT_EQ(Saved(L"shot_7.bmp"), "an older picture");
  EXPECT_EQ(Number(), L"10");
}

TEST_F(Screenshots, KindRules) {
  pt::TheFakeDisplay().foreground = 0x42;
  pt::TheFakeDisplay().windows[0x42] = {100, 50, 400, 250};
  settings_.ScreenshotType = clsScreenshot::kActiveWindow;
  EXPECT_EQ(Take().kind, clsScreenshot::kActiveWindow);
  EXPECT_EQ(Le(Saved(L"shot_7.bmp"), 18, 8), 300u | 200ull << 32);
  const auto& shots = pt::TheFakeDisplay().captures;
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_TRUE(shots[0].window == 0x42 && !shots[0].client && shots[0].width == 300);  // frame included
  // Any other kind, given or configured, takes nothing but still uses up a number.
  settings_.ScreenshotType = 9;
  EXPECT_EQ(Take().kind, 9);
  EXPECT_EQ(Take(2).file, L"");
  EXPECT_EQ(shots.size(), 1u);
  EXPECT_FALSE(test::Exists(settings_.ScreensDir + L"shot_8.bmp"));
  EXPECT_EQ(Number(), L"10");
}

TEST_F(Screenshots, BitmapFilesHoldTheScreenBottomUpInPaddedRows) {
  pt::TheFakeDisplay().colorAt = [](int x, int y) { return static_cast<std::uint32_t>(0x102030 * (x + 1) + 10 * y); };
  for (const bool indexed : {false, true}) {
    if (indexed)  // a 256-colour display: pixels are colour indexes, the file carries the palette
      for (std::uint32_t i = 0; i < 256; ++i) pt::TheFakeDisplay().palette.push_back(i * 0x010203 & 0xFFFFFF);
    const std::uint32_t offset = indexed ? 54 + 1024 : 54, stride = indexed ? 8 : 16;
    const std::string b = test::ReadBytes(Take(clsScreenshot::kScreen).file);
    ASSERT_EQ(b.size(), offset + 3 * stride);
    // "BM", file size, pixel offset, header size, bits per pixel, pixel bytes.
    EXPECT_EQ(std::vector({Le(b, 0, 2), Le(b, 2, 4), Le(b, 10, 4), Le(b, 14, 4), Le(b, 28, 2), Le(b, 34, 4)}),
              std::vector<std::uint64_t>({0x4D42, b.size(), offset, 40, indexed ? 8u : 24u, 3 * stride}));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        const std::uint32_t c = pt::TheFakeDisplay().colorAt(x, y);
        EXPECT_EQ(PixelOf(b, x, y), indexed ? pt::TheFakeDisplay().palette[c & 0xFF] : c) << x << "," << y;
      }
  }
  EXPECT_FALSE(test::Exists(settings_.ScreensDir + L"shot_7.bmp.new~"));
  pt::TheFakeDisplay().failing = true;  // no bitmap from the system: a blank picture is still saved
  EXPECT_EQ(Le(test::ReadBytes(Take(clsScreenshot::kScreen).file), 18, 8), 1u | 1ull << 32);
}

class SecondStart : public ::testing::Test {
protected:
  void SetUp() override { RunningSideBar(1); }
  // A side bar holding the instance mutex, its window behind an unrelated one and marked that many times.
  void RunningSideBar(int marks) {
    pt::ResetDesktop();
    ui::testing::Reset();
    app_.instance.RunningWindow = 0;
    pt::Desktop().mutexes.insert(kInstanceMutexName);
    pt::Desktop().mutexHandles[1] = kInstanceMutexName;
    pt::Desktop().windows[0x10] = {};
    SideBar().marks[kWindowMarkName] = marks;
  }
  pt::FakeWindow& SideBar() { return pt::Desktop().windows[0x20]; }
  StartupResult Main(const std::wstring& commandLine) { return velvane::Main(commandLine, app_); }
  frmMain spare_;  // never opened: a second start hands over and ends
  Velvane app_{spare_};
};

// Arguments go over as UTF-16LE units under their own tag (no terminating zero, no trimming) and the bar comes
// forward; with none a visible bar is only brought forward and restored, a hidden one gets one zero unit.
TEST_F(SecondStart, HandsTheArgumentsOverAndBringsTheBarForward) {
  SideBar().visible = true;
  EXPECT_EQ(Main(L" -x \u00E9\u4E2D\U0001F600 "), StartupResult::Exit);
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(std::tuple(pt::Desktop().sent[0].window, pt::Desktop().sent[0].tag, pt::Desktop().sent[0].bytes,
                       pt::Desktop().sent[0].timeoutMs),
            std::tuple(0x20, 1200u, std::string(" \0-\0x\0 \0\xE9\0\x2D\x4E\x3D\xD8\x00\xDE \0", 18), 5000u));
  EXPECT_EQ(SideBar().broughtForward, 1);
  pt::Desktop().sent.clear();
  SideBar().minimized = true;
  Main(L"");
  EXPECT_TRUE(pt::Desktop().sent.empty());
  EXPECT_EQ(std::pair(SideBar().restored, SideBar().broughtForward), std::pair(1, 2));
  SideBar().visible = false;
  Main(L"");
  ASSERT_EQ(pt::Desktop().sent.size(), 1u);
  EXPECT_EQ(pt::Desktop().sent[0].bytes, std::string(2, '\0'));
  pt::Desktop().copyDataTaken = false;  // a side bar that did not answer in time did not take the command
  EXPECT_EQ(Main(L"-save"), StartupResult::HandOffFailed);
}

TEST(FirstInstance, AFailedMutexCountsAsTheFirstInstance) {
  pt::ResetDesktop();
  pt::Desktop().failMutexCreation = true;
  SingleInstance first, second;
  EXPECT_TRUE(first.IsFirstInstance(kInstanceMutexName));
  pt::Desktop().failMutexCreation = false;
  EXPECT_TRUE(first.IsFirstInstance(kInstanceMutexName));
  EXPECT_FALSE(second.IsFirstInstance(kInstanceMutexName));
  EXPECT_EQ(second.InstanceMutex.get(), 0);  // the handle of a second instance is closed at once
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

  // Never marked with exactly one: it gives up after the hand-off time, at once when the first start ends (it started
  // the wizard), and quietly.
  for (const bool ends : {false, true}) {
    RunningSideBar(2);
    if (ends) pt::Desktop().onPause = [] { platform::CloseMutex(1); };
    EXPECT_EQ(Main(L"-addtodo x"), StartupResult::HandOffFailed);
    EXPECT_EQ(pt::Desktop().pausedMs, ends ? kHandOffPollMs : kHandOffTimeoutMs);
    EXPECT_TRUE(pt::Desktop().sent.empty() && app_.instance.RunningWindow == 0 && ui::testing::MessageLog().empty());
  }
}

// Files held open without sharing show as empty and are never written over; once they can be read, a save keeps what
// they hold and what was added meanwhile: to-do items newest first, shelf places in drop order, each once; the notes
// added after the stored text; launcher entries after the stored ones.
using HeldFiles = test::ListsFixture;

TEST_F(HeldFiles, AreNeverWrittenOverAndAreJoinedWithWhatWasAddedMeanwhile) {
  DataStore& store = app.store;
  const std::vector<DataFile*> files{&store.toDo, &store.shelf, &store.notes, &store.exec};
  const std::string stored[] = {"task1\rtask2\r[END]\r\n", "C:\\a\rC:\\b\r[END]\r\n", "precious\r\n",
                                "[INIT]\r\nTotal=1\r\n[E1]\r\nName=Pad\r\nExec=pad\r\nPath=pad.exe\r\n"};
  for (size_t i = 0; i < files.size(); ++i) test::WriteBytes(files[i]->Path(), stored[i]);
  for (const DataFile* file : files) pt::HeldFiles().insert(file->Path());
  const auto bytes = [&] { return test::ReadBytes(files[0]->Path()) + test::ReadBytes(files[1]->Path()) +
                                  test::ReadBytes(files[2]->Path()) + test::ReadBytes(files[3]->Path()); };
  pt::ResetDesktop();
  EXPECT_EQ(store.ReadAtStart(files).size(), 4u);
  EXPECT_EQ(pt::Desktop().pausedMs, kStartReadTries * kStartReadPauseMs) << "tried again for a moment";
  app.toDo.LoadList(true), app.shelf.LoadList(true), app.exec.LoadExecs();
  EXPECT_EQ(LoadNotes(store.notes, true), L"");
  for (const wchar_t* item : {L"added", L"task2"}) app.toDo.AddToDo(item);
  for (const wchar_t* path : {L"C:\\b", L"C:\\c"}) app.shelf.AddFile(path);
  std::wstring typed = L"\r\n\r\nnoted";
  const auto save = [&] {
    return std::vector<std::wstring>{app.toDo.SaveList(true).Reason(), app.shelf.SaveList(true).Reason(),
                                     SaveNotes(store.notes, typed, true).Reason(), app.exec.AddExec(L"x.exe", L"x", L"X").Reason()};
  };
  for (const std::wstring& reason : save()) EXPECT_NE(reason.find(L"(error 16)"), std::wstring::npos) << "said why";
  EXPECT_EQ(bytes(), stored[0] + stored[1] + stored[2] + stored[3]) << "written over";
  pt::HeldFiles().clear();
  EXPECT_EQ(save(), std::vector<std::wstring>(4));
  // X, whose save failed, stayed in memory; added again, it joins once.
  EXPECT_EQ(bytes(), "task2\radded\rtask1\r[END]\r\nC:\\a\rC:\\b\rC:\\c\r[END]\r\nprecious\r\n\r\nnoted\r\n[INIT]\r\n"
                    "Total=2\r\n[E1]\r\nName=Pad\r\nExec=pad\r\nPath=pad.exe\r\n[E2]\r\nName=X\r\nExec=x\r\nPath=x.exe\r\n");
  EXPECT_EQ(typed + L"|" + JoinNotes(L"stored", L"typed"), L"precious\r\n\r\nnoted|stored\r\n\r\ntyped") << "the box shows both";
}

// Settings held at the start hold it up for as long as a sync client or a scanner may hold them (ten seconds); held
// for good, the start ends with neither the wizard nor a write.
TEST_F(HeldFiles, SettingsHeldAtTheStartHoldItUpForTenSeconds) {
  test::WriteBytes(app.store.config.Path(), "[INIT]\r\nFirstTime=0\r\n");
  test::WriteBytes(app.store.folders.AppDir + L"Primewiz.exe", "");
  for (const bool forGood : {false, true}) {
    pt::ResetDesktop();
    pt::StartedPrograms().clear();
    pt::HeldFiles().insert(app.store.config.Path());
    pt::Desktop().onPause = [&] {
      if (!forGood && pt::Desktop().pausedMs == 8000) pt::HeldFiles().clear();
    };
    EXPECT_EQ(Main(L"", app, dir_.Path()), forGood ? StartupResult::Failed : StartupResult::Exit);
    pt::HeldFiles().clear();
    EXPECT_EQ(pt::Desktop().pausedMs, forGood ? 10000u : 8000u);
    EXPECT_EQ(pt::StartedPrograms().size(), forGood ? 0u : 1u) << "the wizard, once the settings could be read";
  }
}
}  // namespace
}  // namespace velvane
