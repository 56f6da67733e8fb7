#pragma once
// The Win32 backend of the forms layer: one top-level window class, one peer class per control kind, timers and the
// shared helpers they use. Only ui/win32 includes this header.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/forms.h"
#include "ui/peers.h"
#include "platform/win32/system_library.h"
#include "ui/win32/handles.h"

namespace velvane::ui::win32 {

// Child-window ids start here, one per control in the order of creation.
constexpr int kFirstControlId = 1000;
// WM_TIMER ids of a window, one per timer.
constexpr UINT_PTR kFirstTimerId = 1;

inline constexpr wchar_t kWindowClass[] = L"VelvaneWindow";
inline constexpr wchar_t kLabelClass[] = L"VelvaneLabel";
inline constexpr wchar_t kImageClass[] = L"VelvaneImage";

HINSTANCE Instance();
COLORREF ToColorRef(Color c);

// ---- Scale (dpi_win32.cpp) ----
// The one scaling function: design pixels (96 dpi) to pixels at the DPI.
int ScaleToDpi(int designPixels, int dpi);
// Pixels at the DPI back to design pixels, rounded up so that what was measured still fits.
int DesignFromDpi(int pixels, int dpi);
// The DPI of the window's monitor; the system's DPI where Windows cannot tell one monitor from another.
int WindowDpi(HWND hwnd);
int SystemDpi();
// AdjustWindowRectEx for a frame drawn at the DPI.
void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi);

// A bitmap file shown at a DPI. The skins may hold drawings for 150% and 200% beside each picture ("name@150.bmp",
// "name@200.bmp"): the one for the scale, else the nearest larger, else the largest is taken, and scaled smoothly to
// the exact size once when it is loaded. Without such files the 100% picture is scaled.
class DpiPicture {
public:
  // False when the file cannot be read (the picture is then unchanged).
  bool Load(const std::wstring& path, int dpi);
  void Reset() { bitmap_.reset(); }
  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  HBITMAP Bitmap() const { return bitmap_.get(); }
  SIZE Size() const { return size_; }  // pixels on screen

private:
  UniqueBitmap bitmap_;
  SIZE size_{};
};

// Points to pixels at the DPI, negative: the height of the characters without the internal leading.
int FontPixelHeight(double points, int dpi);
// The font at the DPI, in the face asked for when it is installed, else in kFallbackFace.
UniqueFont CreateFontFor(const Font& font, int dpi);
// Windows 10 and 11 lack the design's "Lucida Sans"; Tahoma comes with every Windows, and its narrower, shorter
// letters keep every caption inside the boxes drawn for the design's face.
inline constexpr wchar_t kFallbackFace[] = L"Tahoma";
// While it lives, the windows this thread makes take the version 6 common controls, the system's current look of
// buttons, boxes, lists and message boxes. Only the windows with a frame take them (current true): the programs'
// manifest leaves them out, so the always-present skinned side bar, whose boxes take the skin's colours, loads neither
// them nor their theme (some megabytes for as long as it runs).
class CurrentControls {
public:
  explicit CurrentControls(bool current = true);
  ~CurrentControls();
  CurrentControls(const CurrentControls&) = delete;
  CurrentControls& operator=(const CurrentControls&) = delete;

private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};
// The control keeps the classic look under the version 6 common controls: a themed check box draws its text in the
// theme's colour, unreadable on a dark skin.
void KeepClassicLook(HWND control);
// kShiftMask | kCtrlMask | kAltMask from the keyboard state of the current message.
int ShiftState();
// The mouse buttons held in a mouse message's wParam, as kLeftButton | kRightButton | kMiddleButton.
int HeldButtons(WPARAM wParam);
// An exception caught at the window procedure's edge goes to the forms layer's error report.
void ReportCurrentException() noexcept;
std::wstring WindowText(HWND hwnd);
// Files dragged from the shell are taken by the window (the style DragAcceptFiles sets), or no longer.
void AcceptFiles(HWND hwnd, bool accept);
// Where the drop landed, in the client area of the window that takes it.
POINT DropPoint(HDROP drop);
// The files of a drop in their order; frees the drop.
std::vector<std::wstring> TakeDroppedFiles(HDROP drop);

class ChildPeer;
class TopWindow;
class AccessibleObject;

// ---- Screen readers (accessible_win32.cpp) ----
// The MSAA object of one of our windows (a control's, or a top window's client area for the peer nullptr): made on
// the first question, cut off from the window when the window goes, so a screen reader still holding it gets errors.
class AccessibleSlot {
public:
  AccessibleSlot() = default;
  AccessibleSlot(const AccessibleSlot&) = delete;
  AccessibleSlot& operator=(const AccessibleSlot&) = delete;
  ~AccessibleSlot();
  // The answer to WM_GETOBJECT: our object for the client area, 0 (the system's own answer) for anything else.
  LRESULT Answer(WPARAM wParam, LPARAM lParam, TopWindow& top, ChildPeer* peer);
  IDispatch* Get(TopWindow& top, ChildPeer* peer);  // a new reference; nullptr where oleacc is missing
  void Reset();

private:
  AccessibleObject* object_ = nullptr;
};
// A WinEvent about the client area of the window (its object or one of its rows).
void TellScreenReaders(DWORD event, HWND hwnd, LONG child = CHILDID_SELF);

// The native side of a Window: a top-level window that paints the background, the picture and every label and image
// (all in one off-screen pass, so nothing flickers) and routes the controls' notifications to their peers.
class TopWindow final : public WindowPeer {
public:
  explicit TopWindow(Window& window);
  ~TopWindow() override;

  void Update(WindowChange what) override;
  bool LoadPicture(const std::wstring& path) override;
  bool LoadIcon(const std::wstring& icoPath);
  void Activate() override;
  void Destroy() override;
  std::pair<int, int> OuterSize() const override;
  int Dpi() const override { return dpi_; }
  std::intptr_t NativeHandle() const override { return reinterpret_cast<std::intptr_t>(hwnd_.get()); }

  HWND Hwnd() const { return hwnd_.get(); }
  // Design pixels to pixels of this window.
  int Scale(int designPixels) const { return ScaleToDpi(designPixels, dpi_); }
  Window& Model() const { return window_; }

  // Children register before their native window exists (owner-drawn lists are measured while being created).
  int RegisterChild(ChildPeer* peer);
  void UnregisterChild(int id);
  // Keeps labels and images below the windowed controls, each group in the order of creation.
  void PlaceChild(HWND child, bool windowed);
  UINT_PTR RegisterTimer(Timer* timer);
  void UnregisterTimer(UINT_PTR id);

  // Paints the background, the picture, every visible label and image and the focus ring that meet the area (client
  // pixels).
  void RenderScene(HDC dc, const RECT& area) const;
  // The area is repainted by the window and by every child window over it; nothing is erased first.
  void InvalidateArea(const RECT& area) const;
  void ChildAcceptsFiles();
  void DeliverDrop(HDROP drop, ChildPeer* target);
  // The tool tip window of this window, created on first use; nullptr when the common controls are missing.
  HWND ToolTips();
  HWND ToolTipsIfMade() const { return toolTips_.get(); }

  // Screen readers: the client area's object (a new reference), the control of a child window, and a default action
  // done once the screen reader's call has returned (row 0: the control's own, else that row of a list).
  IDispatch* ScreenReaderObject() { return accessible_.Get(*this, nullptr); }
  Control* ControlOf(HWND child) const;
  void PostDefaultAction(const ChildPeer& peer, LONG row);
  // The keyboard focus moved to or from one of the children: the focus ring follows it.
  void FocusMoved();

  static bool IsOurs(HWND hwnd);
  static int OpenCount();
  // A key went down in the window (one of ours): true when its form used it as a dialog key.
  static bool DialogKey(HWND window, WPARAM key);

private:
  static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);
  LRESULT OnPaint();
  LRESULT OnPrintClient(HDC dc);
  LRESULT OnCtlColor(UINT msg, HDC dc, HWND child);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnMeasureItem(MEASUREITEMSTRUCT* item);
  LRESULT OnDrawItem(const DRAWITEMSTRUCT* item);
  LRESULT OnTimer(UINT_PTR id);
  LRESULT OnCopyData(const COPYDATASTRUCT* data);
  LRESULT OnDropFiles(HDROP drop);
  LRESULT OnMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnDpiChanged(int dpi, const RECT* suggested);
  // The outer size for the design's client area at the window's DPI.
  SIZE DesignOuterSize() const;
  void OnKey(UINT msg, WPARAM wParam);
  void OnDefaultAction(int id, LONG row);
  void OnWindowPosChanged(const WINDOWPOS* pos);
  void DrawScene(HDC dc, const RECT& area, bool controls) const;  // without the focus ring; the skin alone or with the controls
  // The ring around the focused control, in a colour that stands out from what lies around it.
  COLORREF RingColor(const RECT& ring) const;
  void DrawFocusRing(HDC dc, const RECT& area) const;
  void OnNcDestroy(HWND hwnd);
  ChildPeer* ChildById(int id) const;
  ChildPeer* ChildByHwnd(HWND child) const;
  void ApplyAlpha();

  Window& window_;
  UniqueHwnd hwnd_;
  UniqueHwnd toolTips_;
  bool toolTipsTried_ = false;
  DpiPicture picture_;
  int dpi_ = kDesignDpi;
  UniqueIcon bigIcon_, smallIcon_;
  std::map<int, ChildPeer*> children_;
  int nextChildId_ = kFirstControlId;
  HWND lastWindowed_ = nullptr;
  HWND topVisual_ = nullptr;
  std::map<UINT_PTR, Timer*> timers_;
  UINT_PTR nextTimerId_ = kFirstTimerId;
  int buttonsHeld_ = 0;
  HWND savedFocus_ = nullptr;
  bool counted_ = false;
  AccessibleSlot accessible_;
  HWND ringFor_ = nullptr;  // the focused child the ring is drawn around
  RECT ring_{};
  COLORREF ringColor_ = 0;
};

// The native side of one control: a child window whose text is the control's text.
class ChildPeer : public ControlPeer {
public:
  ChildPeer(Control& control, TopWindow& top);
  ~ChildPeer() override;

  void Update(ControlChange what) override;
  void Focus() override;
  std::intptr_t NativeHandle() const override { return reinterpret_cast<std::intptr_t>(hwnd_.get()); }
  bool LoadPicture(const std::wstring&) override { return true; }
  std::optional<std::pair<int, int>> TextExtent() const override { return std::nullopt; }
  std::optional<std::pair<int, int>> ScreenSelection() const override { return std::nullopt; }
  void SelectionSet(int, int) override {}
  void SelectionReplaced(int, int, const std::wstring&) override {}
  void ItemsCleared() override {}
  void ItemAdded(int) override {}
  void ItemChecked(int) override {}

  // Labels and images are drawn by the window's scene; their child windows only hold the text and take the mouse.
  virtual bool Windowless() const { return false; }
  // Screen readers: the control's object (a new reference) and the answer to WM_GETOBJECT.
  IDispatch* ScreenReaderObject() { return accessible_.Get(top_, this); }
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
  virtual void DrawVisual(HDC) const {}
  virtual void OnCommand(int) {}
  // The window moved to a monitor of another DPI: font, bounds and pictures at the new one.
  virtual void DpiChanged();
  // The brush for WM_CTLCOLOR*, or nullptr for the system's colours.
  virtual HBRUSH OnCtlColor(HDC) { return nullptr; }
  virtual void OnMeasureItem(MEASUREITEMSTRUCT*) {}
  virtual void OnDrawItem(const DRAWITEMSTRUCT*) {}

  Control& Model() const { return control_; }
  HWND Hwnd() const { return hwnd_.get(); }
  int Id() const { return id_; }
  RECT BoundsRect() const;  // the bounds in pixels of the window at its DPI

protected:
  // Creates the child window (a system class is subclassed, so that its messages pass OnMessage first).
  void Create(const wchar_t* windowClass, DWORD style, DWORD exStyle);
  // Messages of the subclassed control; the default passes them on.
  virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam);
  // Focus and mouse messages shared by every kind; true when handled.
  bool IsMouseMessage(UINT msg) const { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONUP; }
  void FocusMessage(UINT msg, WPARAM wParam);
  // Raises the mouse events (and the click of a label or image); captures the mouse for labels and images.
  void MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Adds, changes or removes the control's tip. The tool tip window, and the common controls behind it, are made
  // only when the mouse first comes over a control that has a tip (create): a side bar that stays hidden needs none.
  void ApplyToolTip(bool create);
  void ApplyFont();
  // The brush of the back colour (colour given), kept until the colours change.
  HBRUSH Brush(Color back);
  // Restores the original window procedure and forgets this object; the window itself lives on.
  void Detach();

  Control& control_;
  TopWindow& top_;
  int id_;
  UniqueHwnd hwnd_;
  UniqueFont font_;
  UniqueBrush brush_;
  Color brushColor_{};
  RECT shown_{};  // the bounds last given to the child window
  WNDPROC original_ = nullptr;
  bool applying_ = false;  // our own change is on its way to the screen: its notifications are not the user's
  int buttonsHeld_ = 0;
  bool pressedLeft_ = false;
  bool toolTipAdded_ = false;
  AccessibleSlot accessible_;

private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT CALLBACK VisualProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  friend void RegisterVisualClasses();
};

void RegisterVisualClasses();
std::unique_ptr<ChildPeer> CreateLabelPeer(Label& label, TopWindow& top);
std::unique_ptr<ChildPeer> CreateImagePeer(Image& image, TopWindow& top);
std::unique_ptr<ChildPeer> CreateTextBoxPeer(TextBox& box, TopWindow& top);
std::unique_ptr<ChildPeer> CreateListBoxPeer(ListBox& list, TopWindow& top);
std::unique_ptr<ChildPeer> CreateButtonPeer(Button& button, TopWindow& top);
std::unique_ptr<ChildPeer> CreateCheckBoxPeer(CheckBox& box, TopWindow& top);

// Draws one of the program's own pictures into the rectangle, in the colour given.
void DrawBuiltinIcon(HDC dc, BuiltinIcon icon, const RECT& r, COLORREF color);

// True while RunMessageLoop runs: the last window to end then ends the loop.
bool MessageLoopRunning();
std::vector<Monitor> SystemMonitors();  // the primary first

// comctl32 from the system folder, loaded on first use (a static import slows every start of the program).
bool LoadCommonControls();

// The button of a button-down or button-up message.
inline int ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return kRightButton;
    default: return kMiddleButton;
  }
}

}  // namespace velvane::ui::win32
