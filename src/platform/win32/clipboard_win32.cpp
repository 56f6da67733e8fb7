// The system clipboard through the Win32 clipboard functions.
#include <windows.h>

#include <condition_variable>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <thread>

#include "platform/clipboard.h"
#include "platform/clipboard_testing.h"
#include "platform/win32/handles.h"

namespace velvane::platform {
namespace {

// Formats that password managers and similar programs add to say that a copy must not be recorded. The last one
// holds a DWORD, and only its value 0 says so.
constexpr wchar_t kExcludeFormat[] = L"ExcludeClipboardContentFromMonitorProcessing";
constexpr wchar_t kViewerIgnoreFormat[] = L"Clipboard Viewer Ignore";
constexpr wchar_t kHistoryFormat[] = L"CanIncludeInClipboardHistory";

UINT RegisteredFormat(const wchar_t* name) { return RegisterClipboardFormatW(name); }

// Closes the clipboard it opened.
class OpenedClipboard {
public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  bool Open() const { return open_; }

private:
  bool open_;
};

class GlobalLockGuard {
public:
  explicit GlobalLockGuard(HANDLE mem) : mem_(mem), data_(mem ? GlobalLock(mem) : nullptr) {}
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(mem_);
  }
  const void* Data() const { return data_; }
  void* MutableData() const { return data_; }
  SIZE_T Size() const { return data_ ? GlobalSize(mem_) : 0; }

private:
  HANDLE mem_;
  void* data_;
};

// Global memory for the clipboard, freed unless the clipboard took it.
UniqueGlobal NewGlobal(SIZE_T bytes) { return UniqueGlobal(GlobalAlloc(GMEM_MOVEABLE, bytes)); }

// A hidden message-only window owns what we put on the clipboard: with no owner, EmptyClipboard leaves the
// clipboard ownerless and SetClipboardData may then fail.
HWND OwnerWindow() {
  static HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  return owner;
}

bool MarkedNotToRecord() {
  return IsClipboardFormatAvailable(RegisteredFormat(kExcludeFormat)) ||
         IsClipboardFormatAvailable(RegisteredFormat(kViewerIgnoreFormat));
}

// Only valid while the clipboard is open.
bool HistoryRefused() {
  const UINT format = RegisteredFormat(kHistoryFormat);
  if (!IsClipboardFormatAvailable(format)) return false;
  const GlobalLockGuard lock(GetClipboardData(format));
  DWORD value = 1;
  if (!lock.Data() || lock.Size() < sizeof(value)) return false;
  std::memcpy(&value, lock.Data(), sizeof(value));
  return value == 0;
}

void NoteOwnChange();

bool PutText(HWND owner, const std::wstring& text) {
  UniqueGlobal mem = NewGlobal((text.size() + 1) * sizeof(wchar_t));
  if (!mem.get()) return false;
  {
    const GlobalLockGuard lock(mem.get());
    if (!lock.MutableData()) return false;
    std::memcpy(lock.MutableData(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }
  const OpenedClipboard clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_UNICODETEXT, mem.get())) return false;
  mem.release();  // the clipboard owns it now
  NoteOwnChange();  // our own change is known at once, before its notice is dispatched
  return true;
}

// Tells, without asking the window server, whether the clipboard may have changed: the system posts
// WM_CLIPBOARDUPDATE to a listener window. An idle tick then costs no call at all; where no listener can be
// registered every tick asks for the sequence number.
class ChangeListener {
public:
  static ChangeListener& Instance() {
    static ChangeListener listener;
    return listener;
  }
  ChangeListener(const ChangeListener&) = delete;
  ChangeListener& operator=(const ChangeListener&) = delete;

  void MarkChanged() { changed_ = true; }

  std::uint32_t Sequence() {
    if (listening_ && !changed_ && known_) return sequence_;
    changed_ = false;  // before the read: a change after it is seen by the next question
    sequence_ = GetClipboardSequenceNumber();
    known_ = true;
    return sequence_;
  }

private:
  static constexpr wchar_t kClassName[] = L"VelvaneClipboardListener";

  ChangeListener() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ChangeListener::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    listening_ = window_ && AddClipboardFormatListener(window_);
  }
  ~ChangeListener() {
    if (listening_) RemoveClipboardFormatListener(window_);
    if (window_) DestroyWindow(window_);
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLIPBOARDUPDATE) {
      Instance().changed_ = true;
      return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  HWND window_ = nullptr;
  bool listening_ = false;
  bool changed_ = true;
  bool known_ = false;
  std::uint32_t sequence_ = 0;
};

void NoteOwnChange() { ChangeListener::Instance().MarkChanged(); }

}  // namespace

std::uint32_t ClipboardSequence() { return ChangeListener::Instance().Sequence(); }

ClipboardRead ReadClipboardText() {
  // Both questions are answered without opening the clipboard, so a tick that finds no text opens nothing.
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || MarkedNotToRecord()) return {};
  const OpenedClipboard clipboard(nullptr);
  if (!clipboard.Open()) return {std::nullopt, true};
  if (HistoryRefused()) return {};
  const GlobalLockGuard lock(GetClipboardData(CF_UNICODETEXT));
  if (!lock.Data()) return {};
  // The text ends at its terminating zero, or at the end of the block when a program left that out.
  const auto* chars = static_cast<const wchar_t*>(lock.Data());
  const size_t length = wcsnlen(chars, lock.Size() / sizeof(wchar_t));
  return {std::wstring(chars, length), false};
}

bool WriteClipboardText(const std::wstring& text) { return PutText(OwnerWindow(), text); }

namespace testing {

void PutNonTextOnSystemClipboard() {
  const OpenedClipboard clipboard(OwnerWindow());
  if (!clipboard.Open() || !EmptyClipboard()) return;
  UniqueGlobal mem = NewGlobal(sizeof(DWORD));
  if (mem.get() && SetClipboardData(RegisterClipboardFormatW(L"Velvane test data"), mem.get())) mem.release();
  NoteOwnChange();
}

// The clipboard belongs to the thread that opened it: a second thread holds it so that ours finds it busy.
struct SystemClipboardHold::State {
  std::mutex lock;
  std::condition_variable changed;
  bool opened = false;
  bool started = false;
  bool release = false;
  std::thread holder;
};

SystemClipboardHold::SystemClipboardHold() : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.holder = std::thread([&s] {
    // Opened through a window of its own: the clipboard is held by a window, not by a thread.
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    {
      const OpenedClipboard clipboard(window);
      std::unique_lock<std::mutex> guard(s.lock);
      s.opened = clipboard.Open();
      s.started = true;
      s.changed.notify_all();
      s.changed.wait(guard, [&s] { return s.release; });
    }
    if (window) DestroyWindow(window);
  });
  std::unique_lock<std::mutex> guard(s.lock);
  s.changed.wait(guard, [&s] { return s.started; });
}

SystemClipboardHold::~SystemClipboardHold() {
  {
    const std::lock_guard<std::mutex> guard(state_->lock);
    state_->release = true;
  }
  state_->changed.notify_all();
  state_->holder.join();
}

bool SystemClipboardHold::Holding() const { return state_->opened; }

}  // namespace testing
}  // namespace velvane::platform
