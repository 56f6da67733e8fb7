#pragma once
// Drives velvane.exe from outside: a throw-away installation per test, program starts, windows, clicks and keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32_support.h"

namespace blackbox {

using velvane::test::Pump;
using velvane::test::WindowText;  // the text the system keeps for the window

// Bounds of the polls: room for a loaded machine under Wine without making a hang slow to report.
inline constexpr DWORD kStartLimitMs = 10000;
inline constexpr DWORD kHandOffLimitMs = 4000;  // below the sender's own 5000 ms give-up, so a hang is caught
inline constexpr DWORD kCloseLimitMs = 5000;
inline constexpr DWORD kWindowLimitMs = 5000;  // for a window to open, close or answer a click
inline constexpr DWORD kFadeLimitMs = 2000;
inline constexpr DWORD kHideLimitMs = 4000;

template <class Condition>
bool WaitUntil(Condition&& done, DWORD timeoutMs, DWORD pollMs = 10) {
  for (const ULONGLONG end = GetTickCount64() + timeoutMs; !done(); Sleep(pollMs))
    if (GetTickCount64() >= end) return done();
  return true;
}

// What find returns once it is a window, or nullptr at the limit.
template <class Find>
HWND WaitForWindow(Find&& find, DWORD timeoutMs = kWindowLimitMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; }, timeoutMs, 20);
  return found;
}

std::wstring EnvironmentVariable(const wchar_t* name);
std::wstring FromCodePage(std::string_view bytes, UINT codePage);
std::string Utf8(std::wstring_view text);
std::optional<std::string> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, std::string_view bytes);
bool FileExists(const std::wstring& path);

// A copy of VELVANE_DIST with the shipped data/config.qdt but none of the user's lists, and planted DLLs (harness.cpp);
// a failed copy fails the test. Left on disk for a look when the test failed. Its folder's name ends with the suffix.
class Installation {
public:
  explicit Installation(const std::wstring& folderSuffix = L"");
  ~Installation();

  const std::wstring& Folder() const { return folder_; }  // ends with a backslash
  std::wstring Path(const std::wstring& relative) const { return folder_ + relative; }
  std::wstring DataFile(const std::wstring& name) const { return folder_ + L"data\\" + name; }
  std::wstring ConfigFile() const { return DataFile(L"config.qdt"); }
  std::wstring Program() const { return Path(L"velvane.exe"); }
  std::string DataBytes(const std::wstring& name) const { return ReadBytes(DataFile(name)).value_or("(no file)"); }
  // The key's text in a language file ("velvane.txt", "primewiz.txt"; Windows-1252), or the key when it is missing.
  std::wstring Text(const wchar_t* key, const std::wstring& language = L"english",
                    const wchar_t* file = L"velvane.txt") const;

  void SetSetting(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;
  std::wstring Setting(const wchar_t* section, const wchar_t* key) const;  // empty when missing

  // First run done, the language, the fade, the lists kept, and no screenshot kind yet (a save is seen to write it).
  struct Options {
    std::wstring language = L"english";
    bool fade = false;
  };
  void Configure(const Options& options) const;

private:
  std::wstring folder_;
};

// A velvane.exe of the installation; ended by force when it still runs at the end.
class Process {
public:
  static Process Start(const Installation& installation, const std::wstring& arguments);

  explicit operator bool() const { return handle_ != nullptr; }
  DWORD Id() const { return id_; }
  bool WaitForExit(DWORD timeoutMs) const;
  bool Running() const { return handle_ && !WaitForExit(0); }
  DWORD ExitCode() const;

private:
  struct Ender {
    void operator()(HANDLE process) const;
  };
  std::unique_ptr<void, Ender> handle_;
  DWORD id_ = 0;
};

// The top-level window carrying the mark that second starts look for (of that process unless 0), or nullptr.
HWND FindSideBar(DWORD processId = 0);
// A visible top-level window with this caption, of that process (any for 0) and class (any for nullptr).
HWND TopWindow(const std::wstring& caption, DWORD processId = 0, const wchar_t* className = nullptr);
std::vector<HWND> ChildWindows(HWND parent, const wchar_t* className = nullptr);  // classes compared without case
HWND ChildByText(HWND parent, const std::wstring& text, const wchar_t* className = nullptr);
// The child of that class whose rectangle in the parent is x, y, w, h, or nullptr.
HWND ChildAt(HWND parent, const wchar_t* className, int x, int y, int w, int h);
RECT RectInParent(HWND child);           // in the parent's client coordinates
std::vector<std::wstring> ListBoxItems(HWND list);
BYTE LayeredAlpha(HWND window);  // the alpha of a layered window; 255 for an opaque one
// The top-level windows of a process with their classes and texts, for failure messages.
std::string DescribeWindowsOf(DWORD processId);

// Copies text like any other program, or like a password manager marking it private.
bool Copy(const std::wstring& text, bool markPrivate = false);

// A left click at a point of the screen or in the middle of a window, and a key pressed or released, through the
// system's input queue. A key is held 150 ms: the side bar polls keys every 50 ms, Wine needs about 100 ms.
void ClickAt(POINT at);
void Click(HWND window);
void Key(WORD key, bool up, DWORD holdMs = 150);

// A running velvane.exe: the first start in an installation, with its side bar.
class SideBar {
public:
  explicit SideBar(const Installation& installation, const std::wstring& arguments = L"");
  ~SideBar() { (void)Close(); }

  ::testing::AssertionResult Started() const { return started_; }
  HWND Window() const { return window_; }
  DWORD ProcessId() const { return process_.Id(); }

  // A second velvane.exe with these arguments ended with 0 within the limit, and this side bar is still found.
  ::testing::AssertionResult HandOver(const std::wstring& arguments, DWORD limitMs = kHandOffLimitMs);
  // Asks the side bar to close and waits; ends the process by force when it does not end in time.
  ::testing::AssertionResult Close();
  void Kill() { process_ = Process(); }  // by force, at once

private:
  const Installation& installation_;
  Process process_;
  HWND window_ = nullptr;
  ::testing::AssertionResult started_ = ::testing::AssertionFailure();
};

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Whether the user's start-with-Windows entry names this program, in quotes, as the side bar writes it.
bool RunValueNames(const std::wstring& program);

// A test with its own installation, the default options and no start-with-Windows entry; fails at once when the copy
// failed or a side bar from elsewhere runs, and at its end when a program loaded a planted DLL.
class BlackBoxTest : public ::testing::Test {
protected:
  explicit BlackBoxTest(const std::wstring& folderSuffix = L"") : installation_(folderSuffix) {}
  void SetUp() override;
  void TearDown() override;
  Installation installation_;
};

}  // namespace blackbox
