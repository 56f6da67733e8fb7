#pragma once
// What the black-box tests use to drive velvane.exe from outside: a throw-away installation per test, program starts,
// the side bar's window found the way a second start finds it, and files read byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace blackbox {

// Bounds of the polls. Under Wine on a virtual display a start takes about a second and a hide of the active window
// up to two; the limits leave room for a loaded machine without making a hang slow to report.
inline constexpr DWORD kStartLimitMs = 10000;
inline constexpr DWORD kHandOffLimitMs = 4000;  // below the sender's own 5000 ms give-up, so a hang is caught
inline constexpr DWORD kCloseLimitMs = 5000;
inline constexpr int kStartAttempts = 3;  // process creations tried before a start counts as failed
inline constexpr DWORD kFadeLimitMs = 2000;
// A hide of the active window waits for the display server; the window only counts as hidden once that is over.
inline constexpr DWORD kHideLimitMs = 4000;

// Polls the condition until it holds or the time is up; answers the last result.
template <class Condition>
bool WaitUntil(Condition&& done, DWORD timeoutMs, DWORD pollMs = 10) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return done();
    Sleep(pollMs);
  }
}

// ---- Texts and files ----

std::wstring EnvironmentVariable(const wchar_t* name);
// A path of the machine running Wine ("/work/dist") as Windows programs see it ("Z:\work\dist"); Windows paths pass.
std::wstring WindowsPath(std::wstring path);
std::string ToCodePage(std::wstring_view text, UINT codePage);
std::wstring FromCodePage(std::string_view bytes, UINT codePage);
std::string Utf8(std::wstring_view text);
// Control characters spelled out, so that a byte comparison that fails says which bytes differ.
std::string Visible(std::string_view bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, std::string_view bytes);
bool FileExists(const std::wstring& path);
bool RemoveTree(const std::wstring& folder);
// Key=value lines of a language file, in its code page (Windows-1252).
std::optional<std::wstring> LanguageText(const std::wstring& file, const std::wstring& key);

// ---- The installation ----

// A copy of the installation laid out in the folder that VELVANE_DIST names: the programs, languages, skins and
// pictures, and the shipped data/config.qdt with none of the user's lists. Removed at the end unless kept.
class Installation {
public:
  Installation();
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  // Empty when the copy is complete; otherwise what went wrong.
  const std::wstring& Problem() const { return problem_; }
  const std::wstring& Folder() const { return folder_; }  // ends with a backslash
  std::wstring Path(const std::wstring& relative) const { return folder_ + relative; }
  std::wstring DataFile(const std::wstring& name) const { return folder_ + L"data\\" + name; }
  std::wstring ConfigFile() const { return DataFile(L"config.qdt"); }
  std::wstring Program() const { return Path(L"velvane.exe"); }

  void SetSetting(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;
  void RemoveSection(const wchar_t* section) const;
  // The value as the profile API reads it; nothing when the key is missing.
  std::optional<std::wstring> Setting(const wchar_t* section, const wchar_t* key) const;

  // The settings most tests choose: first run done, the language, the fade, and the keep options of the lists.
  struct Options {
    std::wstring language = L"english";
    bool fade = false;
    bool keepLists = true;
  };
  void Configure(const Options& options) const;

  // Leaves the folder on disk for a look after a failure.
  void Keep() { keep_ = true; }

private:
  std::wstring folder_;
  std::wstring problem_;
  bool keep_ = false;
};

// ---- Processes and windows ----

class Process {
public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts the program with the arguments (the text after the quoted program path) in the folder.
  static Process Start(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder);

  explicit operator bool() const { return handle_ != nullptr; }
  DWORD Id() const { return id_; }
  bool WaitForExit(DWORD timeoutMs) const;
  bool Running() const { return handle_ && !WaitForExit(0); }
  DWORD ExitCode() const;
  // Ends the process by force and waits for it.
  void Kill();

private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// The side bar's window: a top-level window carrying the mark that second starts look for, of that process when
// processId is not 0; nullptr when there is none.
HWND FindSideBar(DWORD processId = 0);
std::vector<HWND> ChildWindows(HWND parent);
std::wstring WindowText(HWND window);   // the text the system keeps for the window
std::wstring ControlText(HWND control);  // asked of the control itself (edit boxes)
std::wstring ClassName(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
// The child of that class whose rectangle in the parent is x, y, w, h; nullptr when there is none.
HWND ChildAt(HWND parent, const wchar_t* className, int x, int y, int w, int h);
std::vector<std::wstring> ListBoxItems(HWND list);
BYTE LayeredAlpha(HWND window);  // the alpha of a layered window; 255 for an opaque one
// The top-level windows of a process with their classes and texts (a start-up message box among them), for failures.
std::wstring DescribeWindowsOf(DWORD processId);

// A running velvane.exe: the first start in an installation, with its side bar.
class SideBar {
public:
  explicit SideBar(const Installation& installation, const std::wstring& arguments = L"");
  ~SideBar();
  SideBar(const SideBar&) = delete;
  SideBar& operator=(const SideBar&) = delete;

  // Success once the process runs and its side bar exists (created hidden).
  ::testing::AssertionResult Started() const { return started_; }
  HWND Window() const { return window_; }
  DWORD ProcessId() const { return process_.Id(); }

  // A second velvane.exe with these arguments: succeeds when it ended within the limit and this side bar is still
  // the one a later start finds. LastHandOffMs tells how long it took.
  ::testing::AssertionResult HandOver(const std::wstring& arguments, DWORD limitMs = kHandOffLimitMs);
  DWORD LastHandOffMs() const { return lastHandOffMs_; }

  // Asks the side bar to close and waits for the process; ends it by force when it does not end in time.
  ::testing::AssertionResult Close();

private:
  const Installation& installation_;
  Process process_;
  HWND window_ = nullptr;
  ::testing::AssertionResult started_ = ::testing::AssertionFailure();
  DWORD lastHandOffMs_ = 0;
};

// A test with its own installation; fails at once when the copy failed or a side bar from elsewhere runs, which
// would take the hand-offs meant for the test's own.
class BlackBoxTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  Installation installation_;
};

}  // namespace blackbox
