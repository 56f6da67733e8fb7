#include "blackbox/harness.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace blackbox {
namespace fs = std::filesystem;

std::wstring EnvironmentVariable(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value ? value : L"";
}

std::string Utf8(std::wstring_view text) {
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromCodePage(std::string_view bytes, UINT codePage) {
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
  std::ofstream out(fs::path(path), std::ios::binary);
  return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && out.flush();
}

bool FileExists(const std::wstring& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

Installation::Installation(const std::wstring& folderSuffix) {
  // VELVANE_DIST as Windows programs see it: "/work/dist" is "Z:\work\dist"; a Windows path passes.
  const std::wstring variable = EnvironmentVariable(L"VELVANE_DIST");
  const fs::path dist = fs::path(variable.starts_with(L"/") ? L"Z:" + variable : variable).make_preferred();
  static std::atomic<int> counter{0};
  const fs::path base = fs::temp_directory_path() / (L"velvane-blackbox-" + std::to_wstring(GetCurrentProcessId()) +
                                                     L"-" + std::to_wstring(++counter) + folderSuffix);
  folder_ = base.wstring() + L"\\";
  std::error_code error;
  fs::remove_all(base, error);  // a leftover of an earlier run under the same process number
  fs::create_directories(base / L"data", error);
  // The user's lists in data/ stay behind: every test starts from the shipped configuration alone.
  for (const fs::directory_entry& entry : fs::directory_iterator(dist, error))
    if (entry.path().filename() != L"data")
      fs::copy(entry.path(), base / entry.path().filename(), fs::copy_options::recursive, error);
  // DLLs named like the system's lie beside the programs, which also start in this folder, as a browser may leave
  // them in Downloads beside an unzipped portable copy. Each leaves a mark when loaded (tests/plant); none may be.
  std::wstring tests(MAX_PATH, L'\0');
  tests.resize(GetModuleFileNameW(nullptr, tests.data(), MAX_PATH));
  for (const wchar_t* name : {L"dwmapi", L"uxtheme", L"comctl32", L"comdlg32", L"shell32", L"shcore", L"shlwapi",
                              L"ole32", L"oleaut32", L"propsys", L"version", L"imm32", L"msimg32", L"winmm"})
    fs::copy_file(fs::path(tests).replace_filename(L"planted.dll"), base / (name + std::wstring(L".dll")), error);
  if (error || !CopyFileW((dist / L"data\\config.qdt").c_str(), ConfigFile().c_str(), FALSE))
    ADD_FAILURE() << "could not copy VELVANE_DIST (" << Utf8(dist.wstring()) << ") to " << Utf8(folder_);
}

Installation::~Installation() {
  std::error_code error;
  if (::testing::Test::HasFailure()) std::printf("  (installation kept for a look: %s)\n", Utf8(folder_).c_str());
  else fs::remove_all(folder_, error);
}

std::wstring Installation::Text(const wchar_t* key, const std::wstring& language, const wchar_t* file) const {
  std::wstring text = L"\n" + FromCodePage(ReadBytes(Path(L"lang\\" + language + L"\\" + file)).value_or(""), 1252);
  std::replace(text.begin(), text.end(), L'\r', L'\n');
  const size_t line = text.find(L"\n" + std::wstring(key) + L"=");
  if (line == std::wstring::npos) return key;
  const size_t value = line + wcslen(key) + 2;
  return text.substr(value, text.find(L'\n', value) - value);
}

void Installation::SetSetting(const wchar_t* section, const wchar_t* key, const std::wstring& value) const {
  WritePrivateProfileStringW(section, key, value.c_str(), ConfigFile().c_str());
}

std::wstring Installation::Setting(const wchar_t* section, const wchar_t* key) const {
  wchar_t value[1024] = {};
  GetPrivateProfileStringW(section, key, L"", value, 1024, ConfigFile().c_str());
  return value;
}

void Installation::Configure(const Options& options) const {
  SetSetting(L"INIT", L"FirstTime", L"1");
  SetSetting(L"LANG", L"Active", options.language);
  SetSetting(L"CHK", L"Chk1", options.fade ? L"1" : L"0");
  for (const wchar_t* key : {L"Chk2", L"Chk3", L"Chk4"}) SetSetting(L"CHK", key, L"1");
  WritePrivateProfileStringW(L"SS", nullptr, nullptr, ConfigFile().c_str());
}

Process Process::Start(const Installation& installation, const std::wstring& arguments) {
  const std::wstring program = installation.Program();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  Process process;
  // Only Wine's loader dying in the new process (ERROR_INTERNAL_ERROR, before the program ran) is tried again.
  for (int attempt = 1;; ++attempt) {
    std::wstring line = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       installation.Folder().c_str(), &startup, &info))
      break;
    if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 3) return process;  // caller reads GetLastError
    std::printf("  starting velvane.exe failed with error %lu; starting it again\n", GetLastError());
    Sleep(200);
  }
  CloseHandle(info.hThread);
  process.handle_.reset(info.hProcess);
  process.id_ = info.dwProcessId;
  return process;
}

bool Process::WaitForExit(DWORD timeoutMs) const {
  return !handle_ || WaitForSingleObject(handle_.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (handle_) GetExitCodeProcess(handle_.get(), &code);
  return code;
}

void Process::Ender::operator()(HANDLE process) const {
  if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kCloseLimitMs);
  }
  CloseHandle(process);
}

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

// The top-level windows of the process, or of every process for 0.
std::vector<HWND> TopLevelWindows(DWORD processId) {
  std::vector<HWND> all, found;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (processId == 0 || owner == processId) found.push_back(window);
  }
  return found;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

}  // namespace

HWND FindSideBar(DWORD processId) {
  for (HWND window : TopLevelWindows(processId))
    if (GetPropW(window, L"velvane_APPLICATION") == reinterpret_cast<HANDLE>(1)) return window;
  return nullptr;
}

HWND TopWindow(const std::wstring& caption, DWORD processId, const wchar_t* className) {
  for (HWND window : TopLevelWindows(processId))
    if (IsWindowVisible(window) && WindowText(window) == caption &&
        (!className || lstrcmpiW(ClassName(window).c_str(), className) == 0))
      return window;
  return nullptr;
}

std::vector<HWND> ChildWindows(HWND parent, const wchar_t* className) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
  if (className)
    std::erase_if(children, [&](HWND child) { return lstrcmpiW(ClassName(child).c_str(), className) != 0; });
  return children;
}

HWND ChildByText(HWND parent, const std::wstring& text, const wchar_t* className) {
  for (HWND child : ChildWindows(parent, className))
    if (WindowText(child) == text) return child;
  return nullptr;
}

HWND ChildAt(HWND parent, const wchar_t* className, int x, int y, int w, int h) {
  for (HWND child : ChildWindows(parent, className)) {
    const RECT r = RectInParent(child);
    if (GetParent(child) == parent && r.left == x && r.top == y && r.right - r.left == w && r.bottom - r.top == h)
      return child;
  }
  return nullptr;
}

RECT RectInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<std::wstring> ListBoxItems(HWND list) {
  std::vector<std::wstring> items;
  for (WPARAM row = 0; SendMessageW(list, LB_GETTEXTLEN, row, 0) != LB_ERR; ++row) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(text);
  }
  return items;
}

BYTE LayeredAlpha(HWND window) {
  BYTE alpha = 255;
  DWORD flags = 0;
  const bool layered = GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED;
  return layered && GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : 255;
}

std::string DescribeWindowsOf(DWORD processId) {
  std::wstring text;
  for (HWND window : TopLevelWindows(processId)) {
    text += L"\n  [" + ClassName(window) + L"] \"" + WindowText(window) + L"\"" +
            (IsWindowVisible(window) ? L" visible" : L"");
    // A message box keeps its text in a child window.
    for (HWND child : ChildWindows(window))
      if (!WindowText(child).empty()) text += L"\n    [" + ClassName(child) + L"] \"" + WindowText(child) + L"\"";
  }
  return Utf8(text.empty() ? L" (no windows)" : text);
}

// Copies text like any other program, or like a password manager marking it private.
bool Copy(const std::wstring& text, bool markPrivate) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(mem), text.c_str(), bytes);
  GlobalUnlock(mem);
  const bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
  if (ok && markPrivate)
    SetClipboardData(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
                     GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD)));
  CloseClipboard();
  return ok;
}

void ClickAt(POINT at) {
  SetCursorPos(at.x, at.y);
  Sleep(50);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  Sleep(60);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

void Click(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void Key(WORD key, bool up, DWORD holdMs) {
  keybd_event(static_cast<BYTE>(key), 0, up ? KEYEVENTF_KEYUP : 0, 0);
  Sleep(holdMs);
}

SideBar::SideBar(const Installation& installation, const std::wstring& arguments)
    : installation_(installation), process_(Process::Start(installation, arguments)) {
  if (!process_) {
    started_ << "velvane.exe could not be started (error " << GetLastError() << ")";
    return;
  }
  WaitUntil([&] { return (window_ = FindSideBar(process_.Id())) || !process_.Running(); }, kStartLimitMs, 20);
  if (window_) started_ = ::testing::AssertionSuccess();
  else if (!process_.Running()) started_ << "velvane.exe ended with code " << process_.ExitCode();
  else started_ << "no side bar; windows:" << DescribeWindowsOf(process_.Id());
}

::testing::AssertionResult SideBar::HandOver(const std::wstring& arguments, DWORD limitMs) {
  // Never started again: a hand-off delivered before a crash would then arrive twice.
  Process second = Process::Start(installation_, arguments);
  const auto failure = [&] { return ::testing::AssertionFailure() << "second start \"" << Utf8(arguments) << "\": "; };
  if (!second) return failure() << "could not be started";
  if (!second.WaitForExit(limitMs))
    return failure() << "still ran after " << limitMs << " ms; its windows:" << DescribeWindowsOf(second.Id());
  if (second.ExitCode() != 0) return failure() << "ended with code " << second.ExitCode();
  if (FindSideBar() != window_) return failure() << "the first side bar is no longer the one found";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SideBar::Close() {
  if (process_.Running() && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
  const bool ended = process_.WaitForExit(kCloseLimitMs);  // at once without a process
  const std::string windows = ended ? "" : DescribeWindowsOf(process_.Id());
  process_ = Process();  // ends it by force when it still runs
  if (ended) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "still ran " << kCloseLimitMs << " ms after a close request:" << windows;
}

bool RunValueNames(const std::wstring& program) {
  wchar_t run[1024] = {};
  DWORD size = sizeof run;
  RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane", RRF_RT_REG_SZ, nullptr, run, &size);
  return CompareStringOrdinal(run, -1, (L"\"" + program + L"\"").c_str(), -1, TRUE) == CSTR_EQUAL;
}

void BlackBoxTest::SetUp() {
  ASSERT_FALSE(HasFailure()) << "no installation to test";
  ASSERT_EQ(FindSideBar(), nullptr) << "a side bar started elsewhere runs: it would take this test's hand-offs";
  installation_.Configure({});
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane");
}

void BlackBoxTest::TearDown() {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane");
  std::string marks;  // the planted DLLs that were loaded
  for (const fs::directory_entry& entry : fs::directory_iterator(installation_.Folder()))
    if (entry.path().extension() == L".loaded") marks += " " + Utf8(entry.path().filename().wstring());
  EXPECT_EQ(marks, "") << "loaded from the program folder";
}

}  // namespace blackbox
