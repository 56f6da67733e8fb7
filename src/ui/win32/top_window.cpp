// The top-level window of a form. It paints the whole scene (back colour, picture, labels, images) off-screen in one
// pass, and hands the messages of its controls to their peers.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "ui/focus_ring.h"
#include "ui/win32/win32_forms.h"

namespace velvane::ui::win32 {

namespace {

// The program's icon in its resources.
constexpr int kProgramIconId = 1;
// A screen reader's "do the default action", done once its call has returned: wParam the control's id, lParam the row.
constexpr UINT kDefaultActionMessage = WM_APP + 1;
// A dialog key (wParam) the message loop hands to the window before the system's dialog routing; answers 1 when the
// form took it. Sent, so that it runs inside the window procedure's guard.
constexpr UINT kDialogKeyMessage = WM_APP + 2;
// The focus ring's width in design pixels, drawn right around a focused label, and this far from a picture, a box or
// a button, whose own outline would otherwise run into it.
constexpr int kRingWidth = 2;
constexpr int kRingGap = 2;
// Long tool tips wrap at this width instead of running across the screen.
constexpr int kToolTipMaxWidth = 480;

int gOpenWindows = 0;

void RegisterWindowClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

// Windows that stay out of the taskbar are owned by this hidden window; it lives as long as the process.
HWND TaskbarlessOwner() {
  static const HWND owner = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Instance(),
                                            nullptr);
  return owner;
}

struct Frame {
  DWORD style;
  DWORD exStyle;
};

Frame FrameOf(const WindowSpec& spec) {
  DWORD style = WS_CLIPCHILDREN;
  if (spec.borderless)
    style |= WS_POPUP;
  else if (spec.dialogFrame)
    style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  else
    style |= WS_OVERLAPPEDWINDOW;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (spec.layered) exStyle |= WS_EX_LAYERED;
  return {style, exStyle};
}

MouseEvent MouseAt(int button, LPARAM lParam) {
  // Signed: while the mouse is captured it may be left of or above the window.
  return MouseEvent{button, ShiftState(), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

TopWindow::TopWindow(Window& window) : window_(window) {
  RegisterWindowClass(&TopWindow::Thunk);
  RegisterVisualClasses();
  const WindowSpec& spec = window.Spec();
  const Frame frame = FrameOf(spec);
  const HWND owner = spec.showInTaskbar ? nullptr : TaskbarlessOwner();
  // The thunk binds this object and keeps the handle at WM_NCCREATE.
  dpi_ = SystemDpi();
  const SIZE outer = DesignOuterSize();
  CreateWindowExW(frame.exStyle, kWindowClass, window.Caption().c_str(), frame.style, window.Left(), window.Top(),
                  outer.cx, outer.cy, owner, nullptr, Instance(), this);
  if (!hwnd_) return;
  counted_ = true;
  ++gOpenWindows;
  // The monitor the window landed on may have another scale than the system's.
  if (const int dpi = WindowDpi(hwnd_.get()); dpi != dpi_) {
    dpi_ = dpi;
    const SIZE size = DesignOuterSize();
    SetWindowPos(hwnd_.get(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A layered window shows nothing until its alpha is set.
  if (spec.layered) ApplyAlpha();
  LoadIcon(spec.iconPath);
}

TopWindow::~TopWindow() { Destroy(); }

LRESULT CALLBACK TopWindow::Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (auto* self = static_cast<TopWindow*>(create->lpCreateParams)) {
      self->hwnd_.reset(hwnd);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  auto* self = reinterpret_cast<TopWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->HandleMessage(hwnd, msg, wParam, lParam);
}

LRESULT TopWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    return Dispatch(hwnd, msg, wParam, lParam);
  } catch (...) {
    ReportCurrentException();
    return 0;
  }
}

LRESULT TopWindow::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_PAINT: return OnPaint();
    case WM_PRINTCLIENT: return OnPrintClient(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return OnCtlColor(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_MEASUREITEM: return OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM: return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_TIMER: return OnTimer(wParam);
    case WM_COPYDATA: return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_DROPFILES: return OnDropFiles(reinterpret_cast<HDROP>(wParam));
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE: return OnMouse(msg, wParam, lParam);
    case WM_CAPTURECHANGED: buttonsHeld_ = 0; return 0;
    case WM_GETOBJECT:
      if (const LRESULT answer = accessible_.Answer(wParam, lParam, *this, nullptr)) return answer;
      break;
    case kDefaultActionMessage: OnDefaultAction(static_cast<int>(wParam), static_cast<LONG>(lParam)); return 0;
    case kDialogKeyMessage: return window_.NotifyDialogKey(KeyEvent{static_cast<int>(wParam), ShiftState()}) ? 1 : 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      // High contrast may have come or gone: everything is drawn again in the colours now in force.
      FocusMoved();
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP: OnKey(msg, wParam); return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: OnKey(msg, wParam); break;  // Alt+F4 and the system menu keep working
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;  // with no control focused, every key is the window's
    case WM_ACTIVATE: return OnActivate(hwnd, wParam, lParam);
    case WM_CLOSE: window_.Close(); return 0;
    case WM_QUERYENDSESSION: return window_.NotifyQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION: if (wParam) window_.NotifyEndSession(); return 0;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(reinterpret_cast<const WINDOWPOS*>(lParam)); break;
    case WM_DPICHANGED: return OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
    case WM_DISPLAYCHANGE: window_.NotifyDisplayChange(); break;
    case WM_NCDESTROY: OnNcDestroy(hwnd); break;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// ---- Painting ----

void TopWindow::RenderScene(HDC dc, const RECT& area) const {
  DrawScene(dc, area, true);
  DrawFocusRing(dc, area);
}

void TopWindow::DrawScene(HDC dc, const RECT& area, bool controls) const {
  UniqueBrush back(CreateSolidBrush(ToColorRef(window_.ShownBackColor())));
  FillRect(dc, &area, back.get());
  if (picture_ && window_.ShowsPicture()) {
    const RECT pictureRect{0, 0, picture_.Size().cx, picture_.Size().cy};
    RECT part{};
    if (IntersectRect(&part, &pictureRect, &area)) {
      MemoryDc source(CreateCompatibleDC(dc));
      SelectScope select(source.get(), picture_.Bitmap());
      BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, source.get(), part.left,
             part.top, SRCCOPY);
    }
  }
  for (const auto& control : window_.Controls()) {
    if (!controls) break;
    if (!control->Visible()) continue;
    const auto* peer = static_cast<const ChildPeer*>(control->Peer());
    if (!peer || !peer->Windowless()) continue;
    const RECT bounds = peer->BoundsRect();
    RECT part{};
    if (IntersectRect(&part, &bounds, &area)) peer->DrawVisual(dc);
  }
}

// ---- The focus ring ----

void TopWindow::FocusMoved() {
  const HWND focus = GetFocus();
  ChildPeer* peer = focus && GetParent(focus) == hwnd_.get() ? ChildByHwnd(focus) : nullptr;
  const RECT old = ring_;
  const HWND oldFor = ringFor_;
  ringFor_ = nullptr;
  if (oldFor) InvalidateArea(old);
  if (!peer) return;
  ring_ = peer->BoundsRect();
  const int out = Scale(kRingWidth + (peer->Model().Kind() == ControlKind::Label ? 0 : kRingGap));
  InflateRect(&ring_, out, out);
  ringColor_ = RingColor(ring_);
  ringFor_ = focus;
  InvalidateArea(ring_);
}

COLORREF TopWindow::RingColor(const RECT& ring) const {
  if (const auto hc = HighContrast()) return ToColorRef(hc->highlight);
  // What the skin puts on either side of the ring: outside it, and inside it under the label or picture (or in the
  // gap before a box).
  const int band = Scale(kRingWidth);
  RECT around = ring, inner = ring, core = ring;
  InflateRect(&around, band, band);
  InflateRect(&inner, -band, -band);
  InflateRect(&core, -2 * band, -2 * band);
  const int width = around.right - around.left, height = around.bottom - around.top;
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  WindowDc screen(hwnd_.get());
  UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc memory(CreateCompatibleDC(screen.get()));
  std::vector<Color> outside, inside;
  if (bitmap && memory && bits) {
    {
      SelectScope select(memory.get(), bitmap.get());
      SetViewportOrgEx(memory.get(), -around.left, -around.top, nullptr);
      DrawScene(memory.get(), around, false);
      GdiFlush();
    }
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const POINT at{around.left + x, around.top + y};
        const bool out = !PtInRect(&ring, at), in = PtInRect(&inner, at) && !PtInRect(&core, at);
        if (!out && !in) continue;
        const std::uint32_t p = pixels[y * width + x];
        (out ? outside : inside).push_back(Color{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                                 static_cast<std::uint8_t>(p)});
      }
    }
  }
  return ToColorRef(FocusRingColor(outside, inside));
}

void TopWindow::DrawFocusRing(HDC dc, const RECT& area) const {
  RECT part{};
  if (!ringFor_ || !IntersectRect(&part, &ring_, &area)) return;
  UniqueBrush brush(CreateSolidBrush(ringColor_));
  const int band = Scale(kRingWidth);
  const RECT sides[] = {{ring_.left, ring_.top, ring_.right, ring_.top + band},
                        {ring_.left, ring_.bottom - band, ring_.right, ring_.bottom},
                        {ring_.left, ring_.top + band, ring_.left + band, ring_.bottom - band},
                        {ring_.right - band, ring_.top + band, ring_.right, ring_.bottom - band}};
  for (const RECT& side : sides) FillRect(dc, &side, brush.get());
}

LRESULT TopWindow::OnPaint() {
  PaintDc paint(hwnd_.get());
  const RECT area = paint.Area();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return 0;
  BackBuffer buffer(paint.get(), width, height);
  if (!buffer) {
    RenderScene(paint.get(), area);
    return 0;
  }
  SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
  RenderScene(buffer.get(), area);
  SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
  BitBlt(paint.get(), area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT TopWindow::OnPrintClient(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_.get(), &client);
  RenderScene(dc, client);
  return 0;
}

void TopWindow::InvalidateArea(const RECT& area) const {
  if (hwnd_) RedrawWindow(hwnd_.get(), &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// ---- Controls ----

int TopWindow::RegisterChild(ChildPeer* peer) {
  const int id = nextChildId_++;
  children_[id] = peer;
  return id;
}

void TopWindow::UnregisterChild(int id) { children_.erase(id); }

void TopWindow::PlaceChild(HWND child, bool windowed) {
  // SetWindowPos puts the child right below lastWindowed_: the windowed controls stay on top in the order of their
  // creation (their tab order), the newest label or image above the older ones.
  SetWindowPos(child, lastWindowed_ ? lastWindowed_ : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (windowed) lastWindowed_ = child;
}

ChildPeer* TopWindow::ChildById(int id) const {
  const auto it = children_.find(id);
  return it == children_.end() ? nullptr : it->second;
}

ChildPeer* TopWindow::ChildByHwnd(HWND child) const {
  if (!child) return nullptr;
  ChildPeer* peer = ChildById(GetDlgCtrlID(child));
  return peer && peer->Hwnd() == child ? peer : nullptr;
}

Control* TopWindow::ControlOf(HWND child) const {
  const ChildPeer* peer = ChildByHwnd(child);
  return peer ? &peer->Model() : nullptr;
}

void TopWindow::PostDefaultAction(const ChildPeer& peer, LONG row) {
  PostMessageW(hwnd_.get(), kDefaultActionMessage, static_cast<WPARAM>(peer.Id()), row);
}

void TopWindow::OnDefaultAction(int id, LONG row) {
  ChildPeer* peer = ChildById(id);
  if (!peer) return;
  Control& control = peer->Model();
  if (row == 0) {
    control.DoDefaultAction();
    return;
  }
  // A row of a list: a check-box list ticks it, any other selects it.
  auto& list = static_cast<ListBox&>(control);
  if (control.Kind() != ControlKind::ListBox || row > list.ItemCount()) return;
  if (list.CheckBoxes()) list.NotifyCheckToggled(row - 1);
  else list.SetListIndex(row - 1);
}

LRESULT TopWindow::OnCtlColor(UINT msg, HDC dc, HWND child) {
  if (ChildPeer* peer = ChildByHwnd(child)) {
    if (HBRUSH brush = peer->OnCtlColor(dc)) return reinterpret_cast<LRESULT>(brush);
  }
  return DefWindowProcW(hwnd_.get(), msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
}

LRESULT TopWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) return 0;  // menus and accelerators: none here
  if (ChildPeer* peer = ChildById(LOWORD(wParam))) peer->OnCommand(HIWORD(wParam));
  return 0;
}

LRESULT TopWindow::OnMeasureItem(MEASUREITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_LISTBOX) return FALSE;
  if (ChildPeer* peer = ChildById(static_cast<int>(item->CtlID))) peer->OnMeasureItem(item);
  return TRUE;
}

LRESULT TopWindow::OnDrawItem(const DRAWITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_LISTBOX) return FALSE;
  if (ChildPeer* peer = ChildById(static_cast<int>(item->CtlID))) peer->OnDrawItem(item);
  return TRUE;
}

// ---- Timers ----

UINT_PTR TopWindow::RegisterTimer(Timer* timer) {
  const UINT_PTR id = nextTimerId_++;
  timers_[id] = timer;
  return id;
}

void TopWindow::UnregisterTimer(UINT_PTR id) {
  if (hwnd_) KillTimer(hwnd_.get(), id);
  timers_.erase(id);
}

LRESULT TopWindow::OnTimer(UINT_PTR id) {
  const auto it = timers_.find(id);
  if (it != timers_.end()) it->second->NotifyTick();
  return 0;
}

// ---- Messages from other programs ----

LRESULT TopWindow::OnCopyData(const COPYDATASTRUCT* data) {
  // cbData is read as the signed count the sender meant; zero or negative carries nothing.
  if (!data || !data->lpData) return 0;
  const auto size = static_cast<std::int32_t>(data->cbData);
  if (size <= 0) return 0;
  const std::string_view bytes(static_cast<const char*>(data->lpData), static_cast<size_t>(size));
  if (!window_.Closed() && window_.onCopyData) window_.onCopyData(data->dwData, bytes);
  return 0;
}

void TopWindow::ChildAcceptsFiles() {
  if (hwnd_) AcceptFiles(hwnd_.get(), true);
}

LRESULT TopWindow::OnDropFiles(HDROP drop) {
  DeliverDrop(drop, nullptr);
  return 0;
}

void TopWindow::DeliverDrop(HDROP drop, ChildPeer* target) {
  if (!target) {
    const POINT at = DropPoint(drop);
    // The control on top at the drop point, when it takes files; else any control there that does.
    target = ChildByHwnd(ChildWindowFromPointEx(hwnd_.get(), at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT));
    if (target && !target->Model().AcceptFiles()) target = nullptr;
    const auto& controls = window_.Controls();
    for (auto it = controls.rbegin(); !target && it != controls.rend(); ++it) {
      auto* peer = static_cast<ChildPeer*>((*it)->Peer());
      const RECT bounds = peer->BoundsRect();
      if ((*it)->Visible() && (*it)->AcceptFiles() && PtInRect(&bounds, at)) target = peer;
    }
  }
  const std::vector<std::wstring> files = TakeDroppedFiles(drop);
  if (target) target->Model().NotifyFilesDropped(files);
}

HWND TopWindow::ToolTips() {
  if (toolTips_ || toolTipsTried_ || !hwnd_) return toolTips_.get();
  toolTipsTried_ = true;
  if (!LoadCommonControls()) return nullptr;
  toolTips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_.get(), nullptr,
                                  Instance(), nullptr));
  if (toolTips_) SendMessageW(toolTips_.get(), TTM_SETMAXTIPWIDTH, 0, Scale(kToolTipMaxWidth));
  return toolTips_.get();
}

// ---- Mouse and keys of the window itself ----

LRESULT TopWindow::OnMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE: window_.NotifyMouseMove(MouseAt(HeldButtons(wParam), lParam)); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // Captured while a button is held, so a drag keeps its moves when the pointer runs ahead of the window.
      buttonsHeld_ |= ButtonOf(msg);
      SetCapture(hwnd_.get());
      window_.NotifyMouseDown(MouseAt(ButtonOf(msg), lParam));
      break;
    }
    default: {
      buttonsHeld_ &= ~ButtonOf(msg);
      if (buttonsHeld_ == 0 && GetCapture() == hwnd_.get()) ReleaseCapture();
      window_.NotifyMouseUp(MouseAt(ButtonOf(msg), lParam));
      break;
    }
  }
  return 0;
}

void TopWindow::OnKey(UINT msg, WPARAM wParam) {
  const KeyEvent key{static_cast<int>(wParam), ShiftState()};
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
    window_.NotifyKeyDown(key);
  else
    window_.NotifyKeyUp(key);
}

LRESULT TopWindow::OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const bool active = LOWORD(wParam) != WA_INACTIVE;
  if (!active) {
    // The focused control gets the focus back when the window is active again, as in a dialog.
    HWND focus = GetFocus();
    savedFocus_ = focus && IsChild(hwnd, focus) ? focus : nullptr;
  }
  if (active && savedFocus_ && IsWindow(savedFocus_) && IsWindowVisible(savedFocus_) && IsChild(hwnd, savedFocus_) &&
      !HIWORD(wParam))
    SetFocus(savedFocus_);
  // Without a control to return to, the window gives the focus to its first (NotifyActivate).
  window_.NotifyActivate(active);
  if (active && !HIWORD(wParam) && IsChild(hwnd, GetFocus())) return 0;
  return DefWindowProcW(hwnd, WM_ACTIVATE, wParam, lParam);
}

void TopWindow::OnWindowPosChanged(const WINDOWPOS* pos) {
  if (!pos) return;
  if (!(pos->flags & SWP_NOMOVE)) window_.NotifyMoved(pos->x, pos->y);
  if (pos->flags & SWP_SHOWWINDOW) window_.NotifyVisible(true);
  if (pos->flags & SWP_HIDEWINDOW) window_.NotifyVisible(false);
}

LRESULT TopWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = dpi > 0 ? dpi : kDesignDpi;
  if (!window_.PicturePath().empty()) picture_.Load(window_.PicturePath(), dpi_);
  for (const auto& [id, child] : children_) child->DpiChanged();
  FocusMoved();
  if (toolTips_) SendMessageW(toolTips_.get(), TTM_SETMAXTIPWIDTH, 0, Scale(kToolTipMaxWidth));
  // Where Windows suggests (the pointer stays over the same spot of a dragged window), at our own size.
  const SIZE size = DesignOuterSize();
  if (suggested)
    SetWindowPos(hwnd_.get(), nullptr, suggested->left, suggested->top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(hwnd_.get(), &client);
  InvalidateArea(client);
  window_.NotifyDpiChanged();
  return 0;
}

SIZE TopWindow::DesignOuterSize() const {
  const WindowSpec& spec = window_.Spec();
  const Frame frame = FrameOf(spec);
  RECT outer{0, 0, Scale(spec.clientWidth), Scale(spec.clientHeight)};
  AdjustWindowRectForDpi(&outer, frame.style, frame.exStyle, dpi_);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void TopWindow::OnNcDestroy(HWND hwnd) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  (void)hwnd_.release();
  (void)toolTips_.release();  // owned windows end with their owner
  if (counted_) {
    counted_ = false;
    if (--gOpenWindows == 0 && MessageLoopRunning()) PostQuitMessage(0);
  }
}

// ---- The window's own state ----

void TopWindow::Update(WindowChange what) {
  const HWND hwnd = hwnd_.get();
  if (!hwnd) return;
  switch (what) {
    case WindowChange::BackColor:
    case WindowChange::Picture: {
      if (window_.PicturePath().empty()) picture_.Reset();
      RECT client{};
      GetClientRect(hwnd, &client);
      InvalidateArea(client);
      FocusMoved();  // the ring's colour suits what lies around it now
      break;
    }
    case WindowChange::Visible: ShowWindow(hwnd, window_.Visible() ? SW_SHOW : SW_HIDE); break;
    case WindowChange::Alpha: ApplyAlpha(); break;
    case WindowChange::TopMost:
      // Only the band changes: no move, no size, no activation, and no SWP_SHOWWINDOW.
      SetWindowPos(hwnd, window_.TopMost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    case WindowChange::Position:
      SetWindowPos(hwnd, nullptr, window_.Left(), window_.Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
  }
}

void TopWindow::ApplyAlpha() {
  const HWND hwnd = hwnd_.get();
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  SetLayeredWindowAttributes(hwnd, 0, window_.Alpha(), LWA_ALPHA);
}

bool TopWindow::LoadPicture(const std::wstring& path) { return picture_.Load(path, dpi_); }

bool TopWindow::LoadIcon(const std::wstring& icoPath) {
  const int bigSize = GetSystemMetrics(SM_CXICON);
  const int smallSize = GetSystemMetrics(SM_CXSMICON);
  UniqueIcon big, small;
  if (icoPath.empty()) {
    big.reset(static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, bigSize, bigSize, 0)));
    small.reset(static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, smallSize, smallSize, 0)));
  } else {
    big.reset(static_cast<HICON>(
        LoadImageW(nullptr, icoPath.c_str(), IMAGE_ICON, bigSize, bigSize, LR_LOADFROMFILE)));
    small.reset(static_cast<HICON>(
        LoadImageW(nullptr, icoPath.c_str(), IMAGE_ICON, smallSize, smallSize, LR_LOADFROMFILE)));
    if (!big) return false;
  }
  if (hwnd_) {
    SendMessageW(hwnd_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(hwnd_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  }
  // The old icons go only now that the window no longer shows them.
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
  return true;
}

void TopWindow::Activate() {
  const HWND hwnd = hwnd_.get();
  if (!hwnd) return;
  if (IsIconic(hwnd)) SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  SetForegroundWindow(hwnd);
  BringWindowToTop(hwnd);
}

void TopWindow::Destroy() {
  accessible_.Reset();
  toolTips_.reset();
  hwnd_.reset();
}

std::pair<int, int> TopWindow::OuterSize() const {
  RECT r{};
  if (hwnd_ && GetWindowRect(hwnd_.get(), &r)) return {r.right - r.left, r.bottom - r.top};
  const SIZE outer = DesignOuterSize();
  return {outer.cx, outer.cy};
}

bool TopWindow::IsOurs(HWND hwnd) {
  wchar_t name[64] = {};
  return hwnd && GetClassNameW(hwnd, name, 64) && lstrcmpW(name, kWindowClass) == 0 &&
         GetWindowLongPtrW(hwnd, GWLP_USERDATA) != 0;
}

int TopWindow::OpenCount() { return gOpenWindows; }

bool TopWindow::DialogKey(HWND window, WPARAM key) {
  return SendMessageW(window, kDialogKeyMessage, key, 0) != 0;
}

}  // namespace velvane::ui::win32
