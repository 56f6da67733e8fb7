#include "blackbox/harness.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <utility>

namespace blackbox {

std::wstring EnvironmentVariable(const wchar_t* name) {
  std::wstring value(32767, L'\0');  // the longest a variable can be
  value.resize(GetEnvironmentVariableW(name, value.data(), 32767));
  return value;
}

std::wstring WindowsPath(std::wstring path) {
  if (path.empty() || path[0] != L'/') return path;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return L"Z:" + path;
}

std::string ToCodePage(std::wstring_view text, UINT codePage) {
  const int n =
      WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromCodePage(std::string_view bytes, UINT codePage) {
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

std::string Utf8(std::wstring_view text) { return ToCodePage(text, CP_UTF8); }

std::string Visible(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '\r') out += "<CR>";
    else if (b == '\n') out += "<LF>";
    else if (b < 32 || b >= 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "<%02X>", b);
      out += hex;
    } else out += c;
  }
  return out;
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Calls visit for every entry of the folder but "." and "..".
template <class Visit>
void ForEachEntry(const std::wstring& folder, Visit&& visit) {
  WIN32_FIND_DATAW entry{};
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (lstrcmpW(entry.cFileName, L".") != 0 && lstrcmpW(entry.cFileName, L"..") != 0) visit(entry);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
}

// Copies a folder with everything below it but the top-level entry named skip.
bool CopyTree(const std::wstring& from, const std::wstring& to, const wchar_t* skip = L"") {
  if (!CreateDirectoryW(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  bool ok = true;
  ForEachEntry(from, [&](const WIN32_FIND_DATAW& entry) {
    if (lstrcmpiW(skip, entry.cFileName) == 0) return;
    const std::wstring source = from + L"\\" + entry.cFileName, target = to + L"\\" + entry.cFileName;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ok = CopyTree(source, target) && ok;
    else ok = CopyFileW(source.c_str(), target.c_str(), FALSE) && ok;
  });
  return ok;
}

}  // namespace

bool RemoveTree(const std::wstring& folder) {
  ForEachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
    const std::wstring path = folder + L"\\" + entry.cFileName;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path);
    } else {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
  });
  return RemoveDirectoryW(folder.c_str()) != 0;
}

std::optional<std::wstring> LanguageText(const std::wstring& file, const std::wstring& key) {
  const auto bytes = ReadBytes(file);
  if (!bytes) return std::nullopt;
  std::wstring text = L"\n" + FromCodePage(*bytes, 1252);
  std::replace(text.begin(), text.end(), L'\r', L'\n');
  const size_t line = text.find(L"\n" + key + L"=");
  if (line == std::wstring::npos) return std::nullopt;
  const size_t value = line + key.size() + 2;
  return text.substr(value, text.find(L'\n', value) - value);
}

// ---- The installation ----

Installation::Installation() {
  const std::wstring dist = WindowsPath(EnvironmentVariable(L"VELVANE_DIST"));
  if (!FileExists(dist + L"\\velvane.exe")) {
    problem_ = L"no velvane.exe in VELVANE_DIST (" + dist + L")";
    return;
  }
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static std::atomic<int> counter{0};
  folder_ = std::wstring(temp) + L"velvane-blackbox-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
  const std::wstring base = folder_.substr(0, folder_.size() - 1);
  RemoveTree(base);  // a leftover of an earlier run under the same process number
  // The user's lists in data/ stay behind: every test starts from the shipped configuration alone.
  if (!CopyTree(dist, base, L"data") || !CreateDirectoryW((folder_ + L"data").c_str(), nullptr) ||
      !CopyFileW((dist + L"\\data\\config.qdt").c_str(), ConfigFile().c_str(), FALSE))
    problem_ = L"could not copy " + dist + L" to " + base;
}

Installation::~Installation() {
  if (keep_) std::printf("  (installation kept for a look: %s)\n", Utf8(folder_).c_str());
  else if (!folder_.empty()) RemoveTree(folder_.substr(0, folder_.size() - 1));
}

void Installation::SetSetting(const wchar_t* section, const wchar_t* key, const std::wstring& value) const {
  WritePrivateProfileStringW(section, key, value.c_str(), ConfigFile().c_str());
}

void Installation::RemoveSection(const wchar_t* section) const {
  WritePrivateProfileStringW(section, nullptr, nullptr, ConfigFile().c_str());
}

std::optional<std::wstring> Installation::Setting(const wchar_t* section, const wchar_t* key) const {
  constexpr wchar_t kMissing[] = L"\x01missing\x01";
  wchar_t value[1024] = {};
  GetPrivateProfileStringW(section, key, kMissing, value, 1024, ConfigFile().c_str());
  if (lstrcmpW(value, kMissing) == 0) return std::nullopt;
  return std::wstring(value);
}

void Installation::Configure(const Options& options) const {
  SetSetting(L"INIT", L"FirstTime", L"1");
  SetSetting(L"LANG", L"Active", options.language);
  SetSetting(L"CHK", L"Chk1", options.fade ? L"1" : L"0");
  for (const wchar_t* key : {L"Chk2", L"Chk3", L"Chk4"}) SetSetting(L"CHK", key, options.keepLists ? L"1" : L"0");
  // Absent, so that a save can be seen to write it.
  RemoveSection(L"SS");
}

// ---- Processes and windows ----

Process::~Process() { Kill(); }

Process::Process(Process&& other) noexcept { *this = std::move(other); }

// The process held before goes to the other side and ends with it.
Process& Process::operator=(Process&& other) noexcept {
  std::swap(handle_, other.handle_);
  std::swap(id_, other.id_);
  return *this;
}

Process Process::Start(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder) {
  std::wstring line = L"\"" + program + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  Process process;
  // Only Wine's loader dying in the new process (ERROR_INTERNAL_ERROR, before the program ran) is tried again.
  for (int attempt = 1;; ++attempt) {
    std::wstring commandLine = line;  // CreateProcessW may write into the command line
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info))
      break;
    if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == kStartAttempts) return process;  // caller reads GetLastError
    std::printf("  starting %s failed with error %lu; starting it again\n", Utf8(program).c_str(),
                static_cast<unsigned long>(GetLastError()));
    Sleep(200);
  }
  CloseHandle(info.hThread);
  process.handle_ = info.hProcess;
  process.id_ = info.dwProcessId;
  return process;
}

bool Process::WaitForExit(DWORD timeoutMs) const {
  return !handle_ || WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (handle_) GetExitCodeProcess(handle_, &code);
  return code;
}

void Process::Kill() {
  if (!handle_) return;
  if (!WaitForExit(0)) {
    TerminateProcess(handle_, 1);
    WaitForExit(kCloseLimitMs);
  }
  CloseHandle(handle_);
  handle_ = nullptr;
}

namespace {

constexpr wchar_t kWindowMark[] = L"velvane_APPLICATION";

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

}  // namespace

HWND FindSideBar(DWORD processId) {
  for (HWND window : TopLevelWindows(processId))
    if (GetPropW(window, kWindowMark) == reinterpret_cast<HANDLE>(1)) return window;
  return nullptr;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

namespace {

// A message sent to another process's window; 0 when it does not answer within 2 s.
DWORD_PTR Ask(HWND window, UINT message, WPARAM w, wchar_t* text = nullptr) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, w, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &answer))
    return 0;
  return answer;
}

}  // namespace

std::wstring ControlText(HWND control) {
  std::wstring text(Ask(control, WM_GETTEXTLENGTH, 0) + 1, L'\0');
  const DWORD_PTR got = Ask(control, WM_GETTEXT, text.size(), text.data());
  text.resize(got < text.size() ? got : 0);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

RECT RectInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND ChildAt(HWND parent, const wchar_t* className, int x, int y, int w, int h) {
  for (HWND child : ChildWindows(parent)) {
    if (lstrcmpiW(ClassName(child).c_str(), className) != 0 || GetParent(child) != parent) continue;
    const RECT r = RectInParent(child);
    if (r.left == x && r.top == y && r.right - r.left == w && r.bottom - r.top == h) return child;
  }
  return nullptr;
}

std::vector<std::wstring> ListBoxItems(HWND list) {
  std::vector<std::wstring> items;
  const DWORD_PTR count = Ask(list, LB_GETCOUNT, 0);
  for (DWORD_PTR row = 0; row < count; ++row) {
    std::wstring text(Ask(list, LB_GETTEXTLEN, row) + 1, L'\0');
    const DWORD_PTR got = Ask(list, LB_GETTEXT, row, text.data());
    text.resize(got < text.size() ? got : 0);
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

std::wstring DescribeWindowsOf(DWORD processId) {
  std::wstring text;
  for (HWND window : TopLevelWindows(processId)) {
    text += L"\n  [" + ClassName(window) + L"] \"" + WindowText(window) + L"\"" +
            (IsWindowVisible(window) ? L" visible" : L"");
    // A message box keeps its text in a child window.
    for (HWND child : ChildWindows(window))
      if (!WindowText(child).empty()) text += L"\n    [" + ClassName(child) + L"] \"" + WindowText(child) + L"\"";
  }
  return text.empty() ? L" (no windows)" : text;
}

SideBar::SideBar(const Installation& installation, const std::wstring& arguments) : installation_(installation) {
  process_ = Process::Start(installation.Program(), arguments, installation.Folder());
  if (!process_) {
    started_ = ::testing::AssertionFailure() << "velvane.exe could not be started (error " << GetLastError() << ")";
    return;
  }
  WaitUntil([&] { return (window_ = FindSideBar(process_.Id())) != nullptr || !process_.Running(); }, kStartLimitMs,
            20);
  if (window_)
    started_ = ::testing::AssertionSuccess();
  else if (!process_.Running())
    started_ = ::testing::AssertionFailure() << "velvane.exe ended with code " << process_.ExitCode()
                                             << " without a side bar";
  else
    started_ = ::testing::AssertionFailure() << "no side bar within " << kStartLimitMs
                                             << " ms; windows of the process:"
                                             << Utf8(DescribeWindowsOf(process_.Id()));
}

SideBar::~SideBar() { (void)Close(); }

::testing::AssertionResult SideBar::HandOver(const std::wstring& arguments, DWORD limitMs) {
  // Never started again: a hand-off delivered before a crash would then arrive twice.
  const ULONGLONG started = GetTickCount64();
  Process second = Process::Start(installation_.Program(), arguments, installation_.Folder());
  if (!second) return ::testing::AssertionFailure() << "the second velvane.exe could not be started";
  const bool ended = second.WaitForExit(limitMs);
  lastHandOffMs_ = static_cast<DWORD>(GetTickCount64() - started);
  if (!ended) {
    const std::wstring windows = DescribeWindowsOf(second.Id());
    second.Kill();
    return ::testing::AssertionFailure() << "the second start \"" << Utf8(arguments) << "\" still ran after "
                                         << limitMs << " ms; its windows:" << Utf8(windows);
  }
  if (const DWORD code = second.ExitCode(); code != 0)
    return ::testing::AssertionFailure() << "the second start \"" << Utf8(arguments) << "\" ended with code " << code;
  if (FindSideBar() != window_)
    return ::testing::AssertionFailure() << "after the second start \"" << Utf8(arguments)
                                         << "\" the first side bar is no longer the one found";
  std::printf("  handed over %-28s in %4lu ms\n", ("\"" + Utf8(arguments) + "\"").c_str(),
              static_cast<unsigned long>(lastHandOffMs_));
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SideBar::Close() {
  if (!process_) return ::testing::AssertionSuccess();
  bool ended = process_.WaitForExit(0);
  if (!ended && window_ && IsWindow(window_)) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    ended = process_.WaitForExit(kCloseLimitMs);
  }
  if (ended) {
    process_.Kill();  // only closes the handle
    return ::testing::AssertionSuccess();
  }
  const std::wstring windows = DescribeWindowsOf(process_.Id());
  process_.Kill();
  return ::testing::AssertionFailure() << "velvane.exe did not end within " << kCloseLimitMs
                                       << " ms of a close request; its windows:" << Utf8(windows);
}

void BlackBoxTest::SetUp() {
  ASSERT_TRUE(installation_.Problem().empty()) << Utf8(installation_.Problem());
  ASSERT_EQ(FindSideBar(), nullptr) << "a side bar started elsewhere runs: it would take this test's hand-offs";
}

void BlackBoxTest::TearDown() {
  if (HasFailure()) installation_.Keep();
}

}  // namespace blackbox
