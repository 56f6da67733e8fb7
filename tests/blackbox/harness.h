#pragma once
// Drives velvane.exe from outside: a throw-away installation per test, program starts, the side bar's window.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace blackbox {

// Bounds of the polls: room for a loaded machine under Wine without making a hang slow to report.
inline constexpr DWORD kStartLimitMs = 10000;
inline constexpr DWORD kHandOffLimitMs = 4000;  // below the sender's own 5000 ms give-up, so a hang is caught
inline constexpr DWORD kCloseLimitMs = 5000;
inline constexpr int kStartAttempts = 3;  // process creations tried before a start counts as failed
inline constexpr DWORD kFadeLimitMs = 2000;
inline constexpr DWORD kHideLimitMs = 4000;

// Polls the condition until it holds or the time is up.
template <class Condition>
bool WaitUntil(Condition&& done, DWORD timeoutMs, DWORD pollMs = 10) {
  for (const ULONGLONG end = GetTickCount64() + timeoutMs; !done(); Sleep(pollMs))
    if (GetTickCount64() >= end) return done();
  return true;
}

std::wstring EnvironmentVariable(const wchar_t* name);
// A path of the machine running Wine ("/work/dist") as Windows programs see it ("Z:\work\dist"); Windows paths pass.
std::wstring WindowsPath(std::wstring path);
std::string ToCodePage(std::wstring_view text, UINT codePage);
std::wstring FromCodePage(std::string_view bytes, UINT codePage);
std::string Utf8(std::wstring_view text);
// Control characters spelled out, so that a failed byte comparison says which bytes differ.
std::string Visible(std::string_view bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, std::string_view bytes);
bool FileExists(const std::wstring& path);
bool RemoveTree(const std::wstring& folder);
// Key=value lines of a language file, in its code page (Windows-1252).
std::optional<std::wstring> LanguageText(const std::wstring& file, const std::wstring& key);

// A copy of the installation in VELVANE_DIST with the shipped data/config.qdt but none of the user's lists.
class Installation {
public:
  Installation();
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  // What went wrong with the copy; empty when it is complete.
  const std::wstring& Problem() const { return problem_; }
  const std::wstring& Folder() const { return folder_; }  // ends with a backslash
  std::wstring Path(const std::wstring& relative) const { return folder_ + relative; }
  std::wstring DataFile(const std::wstring& name) const { return folder_ + L"data\\" + name; }
  std::wstring ConfigFile() const { return DataFile(L"config.qdt"); }
  std::wstring Program() const { return Path(L"velvane.exe"); }

  void SetSetting(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;
  void RemoveSection(const wchar_t* section) const;
  std::optional<std::wstring> Setting(const wchar_t* section, const wchar_t* key) const;

  // First run done, the language, the fade, and the keep options of the lists.
  struct Options {
    std::wstring language = L"english";
    bool fade = false;
    bool keepLists = true;
  };
  void Configure(const Options& options) const;

  void Keep() { keep_ = true; }  // leaves the folder on disk for a look after a failure

private:
  std::wstring folder_;
  std::wstring problem_;
  bool keep_ = false;
};

class Process {
public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  static Process Start(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder);

  explicit operator bool() const { return handle_ != nullptr; }
  DWORD Id() const { return id_; }
  bool WaitForExit(DWORD timeoutMs) const;
  bool Running() const { return handle_ && !WaitForExit(0); }
  DWORD ExitCode() const;
  void Kill();  // by force, and waits for it

private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// The top-level window carrying the mark that second starts look for (of that process unless 0), or nullptr.
HWND FindSideBar(DWORD processId = 0);
std::vector<HWND> ChildWindows(HWND parent);
std::wstring WindowText(HWND window);   // the text the system keeps for the window
std::wstring ControlText(HWND control);  // asked of the control itself (edit boxes)
std::wstring ClassName(HWND window);
RECT RectInParent(HWND child);  // in the parent's client coordinates
// The child of that class whose rectangle in the parent is x, y, w, h, or nullptr.
HWND ChildAt(HWND parent, const wchar_t* className, int x, int y, int w, int h);
std::vector<std::wstring> ListBoxItems(HWND list);
BYTE LayeredAlpha(HWND window);  // the alpha of a layered window; 255 for an opaque one
// The top-level windows of a process with their classes and texts, for failure messages.
std::wstring DescribeWindowsOf(DWORD processId);

// A running velvane.exe: the first start in an installation, with its side bar.
class SideBar {
public:
  explicit SideBar(const Installation& installation, const std::wstring& arguments = L"");
  ~SideBar();
  SideBar(const SideBar&) = delete;
  SideBar& operator=(const SideBar&) = delete;

  ::testing::AssertionResult Started() const { return started_; }
  HWND Window() const { return window_; }
  DWORD ProcessId() const { return process_.Id(); }

  // A second velvane.exe with these arguments ended with 0 within the limit, and this side bar is still found.
  ::testing::AssertionResult HandOver(const std::wstring& arguments, DWORD limitMs = kHandOffLimitMs);
  DWORD LastHandOffMs() const { return lastHandOffMs_; }

  // Asks the side bar to close and waits; ends the process by force when it does not end in time.
  ::testing::AssertionResult Close();

private:
  const Installation& installation_;
  Process process_;
  HWND window_ = nullptr;
  ::testing::AssertionResult started_ = ::testing::AssertionFailure();
  DWORD lastHandOffMs_ = 0;
};

// A test with its own installation; fails at once when the copy failed or a side bar from elsewhere runs.
class BlackBoxTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  Installation installation_;
};

}  // namespace blackbox
