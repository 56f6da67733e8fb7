// What every control's child window shares: creation, subclassing, the common state, focus, mouse and tool tips.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "ui/win32/win32_forms.h"

namespace velvane::ui::win32 {

namespace {

// The window procedure a subclassed control had, kept on the window itself so that it can always be reached.
constexpr wchar_t kOriginalProcProperty[] = L"VelvaneOriginalProc";

bool IsVelvaneWindow(HWND hwnd) { return hwnd && TopWindow::IsOurs(GetAncestor(hwnd, GA_ROOT)); }

}  // namespace

ChildPeer::ChildPeer(Control& control, TopWindow& top)
    : control_(control), top_(top), id_(top.RegisterChild(this)) {}

ChildPeer::~ChildPeer() {
  top_.UnregisterChild(id_);
  if (toolTipAdded_ && hwnd_) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = top_.Hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd_.get());
    if (HWND tips = top_.ToolTips()) SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  // Detached first, so that the window's last messages (focus loss among them) raise nothing.
  Detach();
  hwnd_.reset();
}

RECT ChildPeer::BoundsRect() const {
  const Rect b = control_.Bounds();
  const int left = top_.Scale(b.x), top = top_.Scale(b.y);
  return RECT{left, top, left + top_.Scale(b.w), top + top_.Scale(b.h)};
}

void ChildPeer::Create(const wchar_t* windowClass, DWORD style, DWORD exStyle) {
  if (!top_.Hwnd()) return;
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.Visible()) style |= WS_VISIBLE;
  if (!control_.Enabled()) style |= WS_DISABLED;
  exStyle |= WS_EX_NOPARENTNOTIFY;
  font_ = CreateFontFor(control_.GetFont(), top_.Dpi());
  const RECT b = BoundsRect();
  // Our own classes bind this object at WM_NCCREATE; a system class is subclassed right after.
  const CurrentControls look(!top_.Model().Spec().borderless);
  const HWND hwnd = CreateWindowExW(exStyle, windowClass, control_.Text().c_str(), style, b.left, b.top,
                                    b.right - b.left, b.bottom - b.top, top_.Hwnd(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), Instance(), this);
  if (!hwnd) return;
  if (!Windowless()) {
    hwnd_.reset(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildPeer::SubclassProc)));
    SetPropW(hwnd, kOriginalProcProperty, reinterpret_cast<HANDLE>(original_));
  }
  shown_ = BoundsRect();
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  top_.PlaceChild(hwnd, !Windowless());
}

void ChildPeer::Detach() {
  const HWND hwnd = hwnd_.get();
  if (!hwnd) return;
  if (original_ &&
      GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChildPeer::SubclassProc))
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
}

LRESULT CALLBACK ChildPeer::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<ChildPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProcProperty));
  if (msg == WM_NCDESTROY) {
    if (self) {
      self->Detach();
      (void)self->hwnd_.release();
    }
    RemovePropW(hwnd, kOriginalProcProperty);
    return original ? CallWindowProcW(original, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (!self) {
    return original ? CallWindowProcW(original, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  try {
    return self->OnMessage(msg, wParam, lParam);
  } catch (...) {
    ReportCurrentException();
    return 0;
  }
}

LRESULT CALLBACK ChildPeer::VisualProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (auto* self = static_cast<ChildPeer*>(create->lpCreateParams)) {
      self->hwnd_.reset(hwnd);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  auto* self = reinterpret_cast<ChildPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    self->Detach();
    (void)self->hwnd_.release();
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  try {
    return self->OnMessage(msg, wParam, lParam);
  } catch (...) {
    ReportCurrentException();
    return 0;
  }
}

LRESULT ChildPeer::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETOBJECT) return OnGetObject(wParam, lParam);
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) FocusMessage(msg, wParam);
  if (IsMouseMessage(msg)) MouseMessage(msg, wParam, lParam);
  return CallOriginal(msg, wParam, lParam);
}

LRESULT ChildPeer::OnGetObject(WPARAM wParam, LPARAM lParam) {
  if (const LRESULT answer = accessible_.Answer(wParam, lParam, top_, this)) return answer;
  return CallOriginal(WM_GETOBJECT, wParam, lParam);
}

LRESULT ChildPeer::CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = hwnd_.get();
  if (!hwnd) return 0;
  return original_ ? CallWindowProcW(original_, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

void ChildPeer::FocusMessage(UINT msg, WPARAM wParam) {
  top_.FocusMoved();
  if (msg == WM_SETFOCUS) {
    control_.NotifyFocus(true);
    return;
  }
  // Only a move to another place of our own forms is a loss of focus: switching to another program, or a message
  // box popping up, leaves the control focused for when the user comes back.
  if (IsVelvaneWindow(reinterpret_cast<HWND>(wParam))) control_.NotifyFocus(false);
}

void ChildPeer::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!toolTipAdded_ && !control_.ToolTip().empty()) ApplyToolTip(true);
  if (toolTipAdded_) {
    if (HWND tips = top_.ToolTips()) {
      MSG relay{hwnd_.get(), msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
      const DWORD pos = GetMessagePos();
      relay.pt = POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
      SendMessageW(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
  }
  const MouseEvent at{msg == WM_MOUSEMOVE ? HeldButtons(wParam) : ButtonOf(msg), ShiftState(),
                      static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (msg) {
    case WM_MOUSEMOVE: control_.NotifyMouseMove(at); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (Windowless()) {
        // The press belongs to this control until the last button is let go, as with any window.
        buttonsHeld_ |= at.button;
        SetCapture(hwnd_.get());
        if (at.button == kLeftButton) pressedLeft_ = true;
      }
      control_.NotifyMouseDown(at);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      bool click = false;
      if (Windowless()) {
        // Decided before the capture goes: losing it forgets the press.
        RECT client{};
        GetClientRect(hwnd_.get(), &client);
        click = at.button == kLeftButton && pressedLeft_ && PtInRect(&client, POINT{at.x, at.y});
        if (at.button == kLeftButton) pressedLeft_ = false;
        buttonsHeld_ &= ~at.button;
        if (buttonsHeld_ == 0 && hwnd_ && GetCapture() == hwnd_.get()) ReleaseCapture();
      }
      control_.NotifyMouseUp(at);
      if (click) control_.NotifyClick();
      break;
    }
    default: break;
  }
}

void ChildPeer::Update(ControlChange what) {
  const HWND hwnd = hwnd_.get();
  if (!hwnd) return;
  switch (what) {
    case ControlChange::Text:
      applying_ = true;
      SetWindowTextW(hwnd, control_.Text().c_str());
      applying_ = false;
      if (Windowless()) top_.InvalidateArea(BoundsRect());
      TellScreenReaders(control_.Kind() == ControlKind::TextBox ? EVENT_OBJECT_VALUECHANGE : EVENT_OBJECT_NAMECHANGE, hwnd);
      break;
    case ControlChange::AccessibleName: TellScreenReaders(EVENT_OBJECT_NAMECHANGE, hwnd); break;
    case ControlChange::AccessibleState: TellScreenReaders(EVENT_OBJECT_STATECHANGE, hwnd); break;
    case ControlChange::Bounds: {
      const RECT old = shown_;
      shown_ = BoundsRect();
      MoveWindow(hwnd, shown_.left, shown_.top, shown_.right - shown_.left, shown_.bottom - shown_.top,
                 Windowless() ? FALSE : TRUE);
      if (Windowless()) {
        top_.InvalidateArea(old);
        top_.InvalidateArea(shown_);
      }
      if (GetFocus() == hwnd) top_.FocusMoved();  // the ring goes with it
      break;
    }
    case ControlChange::Visible:
    case ControlChange::Enabled: {
      // A control that disappears or is disabled hands the focus to its window first, so its loss is reported.
      const bool gone = !control_.Visible() || !control_.Enabled();
      if (gone && GetFocus() == hwnd) SetFocus(top_.Hwnd());
      if (what == ControlChange::Visible)
        ShowWindow(hwnd, control_.Visible() ? SW_SHOWNA : SW_HIDE);
      else
        EnableWindow(hwnd, control_.Enabled() ? TRUE : FALSE);
      if (Windowless()) top_.InvalidateArea(BoundsRect());
      break;
    }
    case ControlChange::Font: ApplyFont(); break;
    case ControlChange::Colors:
      brush_.reset();
      if (Windowless())
        top_.InvalidateArea(BoundsRect());
      else
        InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case ControlChange::ToolTip: ApplyToolTip(false); break;
    case ControlChange::AcceptFiles:
      AcceptFiles(hwnd, control_.AcceptFiles());
      if (control_.AcceptFiles()) top_.ChildAcceptsFiles();
      break;
    case ControlChange::Align:
    case ControlChange::Picture:
      if (Windowless()) top_.InvalidateArea(BoundsRect());
      break;
    case ControlChange::Value:
    case ControlChange::ListIndex: break;  // the kinds that have them handle them
  }
}

void ChildPeer::Focus() {
  if (hwnd_) SetFocus(hwnd_.get());
}

void ChildPeer::DpiChanged() {
  ApplyFont();
  Update(ControlChange::Bounds);
}

void ChildPeer::ApplyFont() {
  UniqueFont font = CreateFontFor(control_.GetFont(), top_.Dpi());
  if (hwnd_) SendMessageW(hwnd_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  // The old font goes only once the control no longer uses it.
  font_ = std::move(font);
  if (Windowless()) top_.InvalidateArea(BoundsRect());
}

HBRUSH ChildPeer::Brush(Color back) {
  if (!brush_ || !(brushColor_ == back)) {
    brush_.reset(CreateSolidBrush(ToColorRef(back)));
    brushColor_ = back;
  }
  return brush_.get();
}

void ChildPeer::ApplyToolTip(bool create) {
  const std::wstring& tip = control_.ToolTip();
  if (!hwnd_ || (tip.empty() && !toolTipAdded_)) return;
  const HWND tips = create ? top_.ToolTips() : top_.ToolTipsIfMade();
  if (!tips) return;  // the tip is added when the mouse first comes over the control
  TOOLINFOW tool{};
  // The version 5 common controls reject the larger record of version 6.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = top_.Hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_.get());
  tool.lpszText = const_cast<wchar_t*>(tip.c_str());
  if (tip.empty()) {
    SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    toolTipAdded_ = false;
  } else if (!toolTipAdded_) {
    toolTipAdded_ = SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  } else {
    SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void RegisterVisualClasses() {
  static const bool registered = [] {
    for (const wchar_t* name : {kLabelClass, kImageClass}) {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &ChildPeer::VisualProc;
      wc.hInstance = Instance();
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = name;
      RegisterClassExW(&wc);
    }
    return true;
  }();
  (void)registered;
}

}  // namespace velvane::ui::win32
