// The system's desktop: message boxes, the input box, the file dialogs and the screen.
#include <windows.h>
#include <commdlg.h>

#include "ui/win32/win32_forms.h"

namespace velvane::ui {

namespace {

// ---- Input box ----

inline constexpr wchar_t kInputBoxClass[] = L"VelvaneInputBox";

// Layout of the input box in design pixels: the prompt on the left, the buttons on the right, the text line below.
constexpr int kInputWidth = 360;
constexpr int kInputHeight = 128;
constexpr int kInputMargin = 10;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 24;
constexpr int kEditHeight = 22;
constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// Every other enabled top-level window of the thread is disabled while the box is up, then enabled again.
class ThreadWindowsDisabled {
public:
  explicit ThreadWindowsDisabled(HWND keep) : keep_(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &ThreadWindowsDisabled::Collect, reinterpret_cast<LPARAM>(this));
    for (HWND hwnd : disabled_) EnableWindow(hwnd, FALSE);
  }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;
  ~ThreadWindowsDisabled() {
    for (HWND hwnd : disabled_)
      if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }

private:
  static BOOL CALLBACK Collect(HWND hwnd, LPARAM self) {
    auto* me = reinterpret_cast<ThreadWindowsDisabled*>(self);
    if (hwnd != me->keep_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) me->disabled_.push_back(hwnd);
    return TRUE;
  }

  HWND keep_;
  std::vector<HWND> disabled_;
};

class InputDialog {
public:
  std::optional<std::wstring> Run(const std::wstring& prompt, const std::wstring& title, const std::wstring& initial) {
    static const bool registered = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &InputDialog::Thunk;
      wc.hInstance = win32::Instance();
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = kInputBoxClass;
      return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return std::nullopt;

    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    // Laid out at the system's DPI: the box opens in the middle of the primary monitor.
    const int dpi = win32::SystemDpi();
    const auto scale = [dpi](int designPixels) { return win32::ScaleToDpi(designPixels, dpi); };
    const int inputWidth = scale(kInputWidth), inputHeight = scale(kInputHeight), margin = scale(kInputMargin);
    const int buttonWidth = scale(kButtonWidth), buttonHeight = scale(kButtonHeight), editHeight = scale(kEditHeight);
    RECT outer{0, 0, inputWidth, inputHeight};
    win32::AdjustWindowRectForDpi(&outer, kStyle, kExStyle, dpi);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const HWND owner = GetActiveWindow();
    font_ = win32::CreateFontFor(Font{}, dpi);
    win32::UniqueHwnd dialog(CreateWindowExW(kExStyle, kInputBoxClass, title.c_str(), kStyle,
                                             (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                             (GetSystemMetrics(SM_CYSCREEN) - height) / 3, width, height, owner,
                                             nullptr, win32::Instance(), this));
    if (!dialog) return std::nullopt;
    const HWND hwnd = dialog.get();
    const int buttonsLeft = inputWidth - margin - buttonWidth;
    AddChild(L"STATIC", prompt, SS_LEFT | SS_NOPREFIX, 0, margin, margin, buttonsLeft - 2 * margin,
             inputHeight - 3 * margin - editHeight, kPromptId);
    AddChild(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, buttonsLeft, margin, buttonWidth, buttonHeight, IDOK);
    AddChild(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, buttonsLeft, margin * 3 / 2 + buttonHeight,
             buttonWidth, buttonHeight, IDCANCEL);
    const HWND edit = AddChild(L"EDIT", initial, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, margin,
                               inputHeight - margin - editHeight, inputWidth - 2 * margin, editHeight, kEditId);
    {
      ThreadWindowsDisabled modal(hwnd);
      ShowWindow(hwnd, SW_SHOW);
      SetForegroundWindow(hwnd);
      SetFocus(edit);
      SendMessageW(edit, EM_SETSEL, 0, -1);
      MSG msg{};
      while (!done_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
          PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must still see it
          break;
        }
        if (got == -1) break;
        if (IsDialogMessageW(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    // The owner is enabled again before the box goes, so that it gets the activation back.
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    return result_;
  }

private:
  HWND AddChild(const wchar_t* cls, const std::wstring& text, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                int id) {
    const HWND child = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), win32::Instance(), nullptr);
    if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return child;
  }

  static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
      auto* self = static_cast<InputDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<InputDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->HandleMessage(msg, wParam, lParam);
  }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
      case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
      case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
      case WM_CLOSE: Finish(std::nullopt); return 0;
      case WM_NCDESTROY: SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0); break;
      default: break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }

  void OnCommand(int id) {
    if (id == IDOK) Finish(win32::WindowText(GetDlgItem(hwnd_, kEditId)));
    if (id == IDCANCEL) Finish(std::nullopt);
  }

  void Finish(std::optional<std::wstring> result) {
    result_ = std::move(result);
    done_ = true;
  }

  HWND hwnd_ = nullptr;
  win32::UniqueFont font_;
  std::optional<std::wstring> result_;
  bool done_ = false;
};

// ---- File dialogs ----

using GetFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);

GetFileNameFn CommonDialogFunction(const char* name) {
  // Loaded on first use and kept for the life of the process.
  static const HMODULE module = win32::LoadSystemLibrary(L"comdlg32.dll");
  return module ? reinterpret_cast<GetFileNameFn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// "Text|*.txt|All|*.*" becomes the list of zero-terminated strings the dialog reads, ended by an empty one.
std::wstring DialogFilter(const std::wstring& filter) {
  std::wstring out = filter;
  for (auto& c : out)
    if (c == L'|') c = L'\0';
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

std::optional<std::wstring> ShowFileDialog(bool save, const FileDialogOptions& options) {
  const GetFileNameFn show = CommonDialogFunction(save ? "GetSaveFileNameW" : "GetOpenFileNameW");
  if (!show) return std::nullopt;
  constexpr size_t kPathBuffer = 32768;
  std::wstring path(kPathBuffer, L'\0');
  const std::wstring filter = DialogFilter(options.filter);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = options.owner ? reinterpret_cast<HWND>(options.owner->NativeHandle()) : GetActiveWindow();
  ofn.lpstrFilter = options.filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrInitialDir = options.initialDir.empty() ? nullptr : options.initialDir.c_str();
  ofn.lpstrTitle = options.title.empty() ? nullptr : options.title.c_str();
  // The program's own paths are absolute, but the dialog must not move the current folder under anyone's feet.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!show(&ofn)) return std::nullopt;
  path.resize(wcslen(path.c_str()));
  if (path.empty()) return std::nullopt;
  return path;
}

}  // namespace

// The system's own boxes, dialogs and screen.
class Win32Desktop final : public Desktop {
public:
  int MsgBox(const std::wstring& text, int style, const std::wstring& title) override {
    // A box shown while a second start waits for its hand-off to be taken lets it go first: the command was taken,
    // and its sender must not wait for the person, nor give up on the side bar meanwhile.
    if (InSendMessage()) ReplyMessage(TRUE);
    const HWND owner = GetActiveWindow();
    UINT type = static_cast<UINT>(style) & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK);
    type |= MB_SETFOREGROUND;
    if (!owner) type |= MB_TASKMODAL;
    const win32::CurrentControls look;
    return MessageBoxW(owner, text.c_str(), title.c_str(), type);
  }
  std::optional<std::wstring> InputBox(const std::wstring& prompt, const std::wstring& title,
                                       const std::wstring& initial) override {
    const win32::CurrentControls look;
    InputDialog dialog;
    return dialog.Run(prompt, title, initial);
  }
  std::optional<std::wstring> FileDialog(bool save, const FileDialogOptions& options) override {
    const win32::CurrentControls look;
    return ShowFileDialog(save, options);
  }
  Rect Screen() override { return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }
  std::vector<Monitor> Monitors() override { return win32::SystemMonitors(); }
  Rect WorkArea() override {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return Screen();
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  void Quit(int exitCode) override { PostQuitMessage(exitCode); }
  std::optional<SystemColors> HighContrast() override {
    HIGHCONTRASTW hc{sizeof(hc), 0, nullptr};
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) || !(hc.dwFlags & HCF_HIGHCONTRASTON))
      return std::nullopt;
    const auto color = [](int index) {
      const COLORREF c = GetSysColor(index);
      return Color{GetRValue(c), GetGValue(c), GetBValue(c)};
    };
    return SystemColors{color(COLOR_WINDOW), color(COLOR_WINDOWTEXT), color(COLOR_HIGHLIGHT)};
  }
  bool ClientAreaAnimation() override {
    // Systems that do not know the setting animate.
    BOOL on = TRUE;
    return !SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &on, 0) || on;
  }
};

Desktop& SystemDesktop() {
  static Win32Desktop desktop;
  return desktop;
}

}  // namespace velvane::ui
