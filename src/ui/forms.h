#pragma once
// Velvane's small forms layer: windows with labels, images, text boxes, list boxes, buttons, check boxes and timers,
// plus message boxes, an input box, file dialogs and file drops.
//
// The controls are plain portable objects that hold their own state (text, bounds, colours, items, selection), so
// window handlers can be driven and checked without any window system. Each control and window has a peer that
// mirrors the state onto the screen: the Win32 peer (ui/win32) creates real child windows, the headless peer
// (ui/headless) does nothing. The peer reports what the user does (typing, clicks, checks, drops) back through the
// control, which updates its state first and then calls the event.
//
// Events are public std::function members: a handler is attached by assigning it, and tests raise an event by
// calling it (or through the Notify* methods, which first update the state as the user's action would). Setting a
// value in code raises the same event as the user's action when the value really changes: a text box's text
// (onChange), a list's row (onClick), a check box's value (onClick); ListBox::SetChecked always raises onItemCheck.
//
// Handlers may close windows and rebuild lists, but must not destroy a Window from inside one of its own events:
// Close() it there and drop the object later.
//
// Every control is a child window whose window text is its caption or text, labels and images included, so black-box
// tests can read the whole window from outside the process. Screen readers are told more: each control's name, role,
// state and default action (Accessible()), in the window's reading order, which is also the keyboard's tab order.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/color.h"
#include "common/message_box.h"

namespace velvane::ui {

// The DPI the design's pixels are drawn for (100%): a design pixel is dpi / kDesignDpi pixels on a monitor.
constexpr int kDesignDpi = 96;

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Rect&) const = default;
};

using velvane::Color;

struct Font {
  std::wstring face = L"Lucida Sans";
  double points = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const Font&) const = default;
};

// Mouse buttons and shift state as the events report them.
enum : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

struct MouseEvent {
  int button = 0;  // kLeftButton, kRightButton, ...; 0 for a move without buttons
  int shift = 0;   // kShiftMask | kCtrlMask | kAltMask
  int x = 0, y = 0;  // screen pixels (at the window's DPI), relative to the control (or the window's client area)
};

struct KeyEvent {
  int keyCode = 0;  // virtual-key code
  int shift = 0;
};

// The virtual-key codes the forms layer itself gives a meaning to.
enum : int {
  kKeyTab = 9, kKeyReturn = 13, kKeyEscape = 27, kKeySpace = 32,
  kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40, kKeyDelete = 46,
};

enum class Align { Left, Center, Right };

enum class ControlKind { Label, Image, TextBox, ListBox, Button, CheckBox };

// What a control is to a screen reader.
enum class Role { PushButton, CheckButton, StaticText, Graphic, Text, List, ListItem };

// What a screen reader is told about a control; the Win32 peers answer MSAA from it.
struct AccessibleInfo {
  std::wstring name;
  std::wstring description;
  std::wstring value;  // a text box's text
  Role role = Role::StaticText;
  bool focusable = false;
  bool focused = false;
  bool checked = false;
  bool invisible = false;    // hidden, or a label that shows no text
  bool unavailable = false;  // disabled
  std::wstring defaultAction;  // "Press", "Check", "Uncheck", "Open"; empty: none
};

// The colours a high-contrast scheme gives text and backgrounds (the system's, while Windows says it is on).
struct SystemColors {
  Color window{255, 255, 255}, windowText{0, 0, 0}, highlight{0, 120, 215};  // highlight: the focus ring
  bool operator==(const SystemColors&) const = default;
};

// Pictures the program draws itself where a skin supplies none.
enum class BuiltinIcon { None, Add, Save, Folder };

class Window;
class ControlPeer;
class WindowPeer;

class Control {
public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  Window& Parent() const { return parent_; }
  virtual ControlKind Kind() const = 0;
  // The design name, with its index for arrays: "lblClip(3)", "txtExec".
  const std::wstring& Name() const { return name_; }

  void SetText(const std::wstring& text);  // caption of labels and buttons, text of text boxes
  const std::wstring& Text() const { return text_; }
  void SetBounds(Rect bounds);  // design pixels (96 dpi) of the parent's client area; the peer scales them
  Rect Bounds() const { return bounds_; }
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void SetFont(const Font& font);
  const Font& GetFont() const { return font_; }
  void SetForeColor(Color c);
  Color ForeColor() const { return fore_; }
  void SetBackColor(Color c);
  Color BackColor() const { return back_; }
  // False until SetBackColor is called: check boxes and buttons then take the window's colour.
  bool BackColorSet() const { return backSet_; }
  void SetToolTip(const std::wstring& tip);
  const std::wstring& ToolTip() const { return toolTip_; }
  void SetAcceptFiles(bool accept);
  bool AcceptFiles() const { return acceptFiles_; }
  void Focus();
  bool HasFocus() const { return focused_; }

  // Screen readers. The name defaults to the caption of a label, button or check box, and for a text box or list to the
  // caption of the label created right before it; the role defaults to the kind's, a label or picture with a click or
  // button-down handler being a push button. A label or picture that is a check button is toggled by its owner.
  void SetAccessibleName(const std::wstring& name);
  void SetRole(Role role);
  Role GetRole() const;
  void SetToggled(bool on);
  void SetDescription(const std::wstring& text);
  // The control a screen reader finds this one in (a list for its rows); nullptr: the window.
  void SetAccessibleParent(Control* parent) { accParent_ = parent; }
  Control* AccessibleParent() const { return accParent_; }
  AccessibleInfo Accessible() const;
  // The keyboard reaches text boxes, lists, buttons, check boxes, pictures that can be pressed, and labels that can be
  // pressed while they show a text; visible and enabled ones only.
  bool TabStop() const;
  // What a click does: a press and release of the left button on a label or picture, a click of a button, a tick of a
  // check box. False when the control has no such action.
  bool DoDefaultAction();
  // The colours the control is drawn in: its own, or the system's while high contrast is on.
  Color ShownForeColor() const;
  Color ShownBackColor() const;

  std::function<void(const MouseEvent&)> onMouseDown, onMouseMove, onMouseUp;
  std::function<void()> onClick, onGotFocus, onLostFocus;
  // A key went down while the control had the focus (after the window's dialog keys, which it never sees).
  std::function<void(const KeyEvent&)> onKeyDown;
  // The full paths of the dropped files, in the order of the drop.
  std::function<void(const std::vector<std::wstring>&)> onFilesDropped;

  // Called by the peers when the user acts; they keep the state in step and then raise the event. Nothing is raised
  // once the window is closed.
  void NotifyTextChanged(const std::wstring& text);
  void NotifyFocus(bool focused);
  void NotifyMouseDown(const MouseEvent& e);
  void NotifyMouseMove(const MouseEvent& e);
  void NotifyMouseUp(const MouseEvent& e);
  void NotifyClick();
  void NotifyFilesDropped(const std::vector<std::wstring>& paths);
  void NotifyKeyDown(const KeyEvent& e);

  ControlPeer* Peer() const { return peer_.get(); }
  // The child window as a number (HWND on Windows, 0 headless).
  std::intptr_t NativeHandle() const;

protected:
  Control(Window& parent, std::wstring name, Rect bounds);
  void AttachPeer(std::unique_ptr<ControlPeer> peer);
  virtual void TextAssigned() {}  // SetText, before the peer shows the text
  virtual void TextChanged() {}
  virtual void Restyled() {}  // SetFont, after the peer has the new font
  bool Live() const;  // the window is not closed: events may be raised

  Window& parent_;
  std::wstring name_;
  std::wstring text_;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  bool focused_ = false;
  bool acceptFiles_ = false;
  bool backSet_ = false;
  Font font_;
  Color fore_{0, 0, 0};
  Color back_{255, 255, 255};
  std::wstring toolTip_;
  std::optional<std::wstring> accName_;
  std::optional<Role> role_;
  std::wstring description_;
  bool toggled_ = false;
  Control* accParent_ = nullptr;
  std::unique_ptr<ControlPeer> peer_;
  friend class Window;
};

// A caption drawn over the window's picture: the background always shows through; changing the text never flickers.
class Label : public Control {
public:
  ControlKind Kind() const override { return ControlKind::Label; }
  void SetAlign(Align a);
  Align GetAlign() const { return align_; }
  // On: the bounds follow the text (one line per line break, from the top-left corner), whatever its language.
  void SetAutoSize(bool autoSize);
  bool AutoSize() const { return autoSize_; }

private:
  Label(Window& parent, std::wstring name, Rect bounds);
  void TextChanged() override;
  void Restyled() override;
  void FitToText();
  Align align_ = Align::Left;
  bool autoSize_ = false;
  friend class Window;
};

class Image : public Control {
public:
  ControlKind Kind() const override { return ControlKind::Image; }
  // Loads a bitmap file (an empty path clears the picture); throws RuntimeError when it cannot be loaded (the
  // picture is then unchanged). The picture is drawn from the top-left corner, clipped to the bounds, unless stretched.
  void LoadPicture(const std::wstring& path);
  void ClearPicture();
  void SetBuiltinIcon(BuiltinIcon icon);
  void SetStretch(bool stretch);  // scale the picture to the control's bounds
  bool HasPicture() const { return !picturePath_.empty() || icon_ != BuiltinIcon::None; }
  const std::wstring& PicturePath() const { return picturePath_; }
  BuiltinIcon Icon() const { return icon_; }
  bool Stretch() const { return stretch_; }

private:
  Image(Window& parent, std::wstring name, Rect bounds);
  std::wstring picturePath_;
  BuiltinIcon icon_ = BuiltinIcon::None;
  bool stretch_ = false;
  friend class Window;
};

class TextBox : public Control {
public:
  ControlKind Kind() const override { return ControlKind::TextBox; }
  bool MultiLine() const { return multiLine_; }
  // Selection in characters of Text(); read from the screen when asked, so it follows the user's mouse and keys.
  // Setting the text puts the caret at the start.
  int SelStart() const;
  int SelLength() const;
  std::wstring SelText() const;
  void SetSelection(int start, int length);  // clamped to the text
  // Replaces the selection (inserts at the caret when nothing is selected); the caret ends after the new text.
  void ReplaceSelection(const std::wstring& text);

  std::function<void()> onChange;
  // Raised before a typed character reaches the text; set *ch to 0 to drop it.
  std::function<void(wchar_t* ch)> onKeyPress;
  std::function<void(const KeyEvent&)> onKeyUp;

  // A typed character: raises onKeyPress and answers the character to insert (0: dropped).
  wchar_t NotifyKeyPress(wchar_t ch);
  void NotifyKeyUp(const KeyEvent& e);

private:
  TextBox(Window& parent, std::wstring name, Rect bounds, bool multiLine);
  void TextAssigned() override;
  void TextChanged() override;
  void SyncSelection() const;
  bool multiLine_;
  mutable int selStart_ = 0;
  mutable int selLength_ = 0;
  friend class Window;
};

// A list of text rows, optionally with a check box on every row.
class ListBox : public Control {
public:
  ControlKind Kind() const override { return ControlKind::ListBox; }
  bool CheckBoxes() const { return checkBoxes_; }
  void Clear();  // also leaves no row selected
  void AddItem(const std::wstring& text);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // Rows count from 0; a row outside the list throws RuntimeError (InvalidCall).
  const std::wstring& Item(int row) const;
  bool Checked(int row) const;
  void SetChecked(int row, bool checked);  // raises onItemCheck(row), also when the state does not change
  int ListIndex() const { return listIndex_; }  // -1: no row selected
  void SetListIndex(int row);  // -1 clears; other rows outside the list throw RuntimeError (InvalidCall)

  std::function<void(int row)> onItemCheck;

  // The user selected a row (raises onClick when it changed); toggled a row's check box (SetChecked).
  void NotifyListIndex(int row);
  void NotifyCheckToggled(int row);

private:
  ListBox(Window& parent, std::wstring name, Rect bounds, bool checkBoxes);
  struct Row {
    std::wstring text;
    bool checked = false;
  };
  bool checkBoxes_;
  std::vector<Row> items_;
  int listIndex_ = -1;
  friend class Window;
};

class Button : public Control {
public:
  ControlKind Kind() const override { return ControlKind::Button; }

private:
  Button(Window& parent, std::wstring name, Rect bounds);
  friend class Window;
};

class CheckBox : public Control {
public:
  ControlKind Kind() const override { return ControlKind::CheckBox; }
  bool Value() const { return value_; }
  void SetValue(bool value);  // raises onClick when the value changes
  void NotifyValue(bool value);  // the user ticked or cleared the box

private:
  CheckBox(Window& parent, std::wstring name, Rect bounds);
  bool value_ = false;
  friend class Window;
};

class TimerPeer;

// A millisecond timer of a window; ticks arrive on the window's thread.
class Timer {
public:
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();
  const std::wstring& Name() const { return name_; }
  Window& Parent() const { return parent_; }
  int Interval() const { return interval_; }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }

  std::function<void()> onTick;

  void NotifyTick();  // raises onTick when the timer runs and its window is open
  TimerPeer* Peer() const { return peer_.get(); }

private:
  Timer(Window& parent, std::wstring name, int intervalMs, bool enabled);
  Window& parent_;
  std::wstring name_;
  int interval_;
  bool enabled_;
  std::unique_ptr<TimerPeer> peer_;
  friend class Window;
};

struct WindowSpec {
  std::wstring caption;
  int clientWidth = 0, clientHeight = 0;  // design pixels (96 dpi)
  bool borderless = false;     // no border and no caption bar
  bool layered = false;        // one constant alpha for the whole window
  bool dialogFrame = false;    // fixed single border with a close box
  bool showInTaskbar = true;
  Color back{255, 255, 255};
  Font font;
  std::wstring iconPath;       // .ico file; empty: the program's own icon
};

// A top-level window. It owns its controls and timers; creating it does not show it. Text boxes, lists, buttons and
// check boxes lie over the labels and images; among themselves the one added first lies on top and comes first in the
// tab order.
class Window {
public:
  explicit Window(const WindowSpec& spec);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  Label& AddLabel(const std::wstring& name, Rect bounds, const std::wstring& caption = {});
  Image& AddImage(const std::wstring& name, Rect bounds);
  TextBox& AddTextBox(const std::wstring& name, Rect bounds, bool multiLine = false);
  ListBox& AddListBox(const std::wstring& name, Rect bounds, bool checkBoxes = false);
  Button& AddButton(const std::wstring& name, Rect bounds, const std::wstring& caption = {});
  CheckBox& AddCheckBox(const std::wstring& name, Rect bounds, const std::wstring& caption = {});
  Timer& AddTimer(const std::wstring& name, int intervalMs, bool enabled);

  const std::wstring& Caption() const { return caption_; }
  void SetBackColor(Color c);
  Color BackColor() const { return spec_.back; }
  // The background picture, drawn from the top-left corner; throws RuntimeError when it cannot be loaded.
  void SetPicture(const std::wstring& path);  // an empty path clears the picture
  const std::wstring& PicturePath() const { return picturePath_; }
  const WindowSpec& Spec() const { return spec_; }

  void Show();  // visible, not necessarily active
  void Hide();
  bool Visible() const { return visible_; }
  void SetAlpha(std::uint8_t alpha);  // layered windows only; errors are ignored
  std::uint8_t Alpha() const { return alpha_; }
  void SetTopMost(bool topMost);  // neither moves, resizes, shows nor hides the window
  bool TopMost() const { return topMost_; }
  // Outer position and size in pixels of the screen: the design's size scaled to the window's DPI.
  void Move(int left, int top);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const;
  int Height() const;
  int ClientWidth() const { return spec_.clientWidth; }
  // Centred on the monitor that holds the pointer.
  void CenterOnScreen();
  // Dots per inch of the monitor the window is on (96 at 100%); its controls and fonts are laid out at it.
  int Dpi() const;
  // Restores a minimised window, then brings it to the foreground and to the top.
  void Activate();
  // Ends the window: raises onQueryUnload first (which may refuse), then destroys its native window.
  void Close();
  bool Closed() const { return closed_; }

  // The native handle as a number (HWND on Windows, 0 headless), for the instance mark and the hand-off.
  std::intptr_t NativeHandle() const;

  // Screen readers: the window's name (its caption unless given) and its controls in reading order, which the
  // keyboard's Tab follows too. Controls left out of the order given follow in the order of their creation.
  void SetAccessibleName(const std::wstring& name) { accName_ = name; }
  const std::wstring& AccessibleName() const { return accName_ ? *accName_ : caption_; }
  void SetReadingOrder(const std::vector<Control*>& order);
  std::vector<Control*> ReadingOrder() const;
  // The controls a screen reader finds in the window (nullptr) or in a control, in reading order.
  std::vector<Control*> AccessibleChildren(const Control* parent = nullptr) const;
  Control* FocusedControl() const;
  // The background picture is drawn unless high contrast is on; the back colour is then the system's.
  bool ShowsPicture() const;
  Color ShownBackColor() const;
  // The dialog keys, before the focused control sees them: Tab and Shift+Tab move the focus along the reading order,
  // so do the arrows from a label or picture, Enter and Space press a focused label, picture or button, Esc raises
  // onCancel. True when the key was used.
  bool NotifyDialogKey(const KeyEvent& key);
  // True while one of those keys moves the focus (a control's onGotFocus can tell the keyboard from the window's
  // own choice when it comes forward).
  bool FocusMovingByKey() const { return movingByKey_; }

  std::function<void(const MouseEvent&)> onMouseDown, onMouseMove, onMouseUp;  // the background, not the controls
  // Keys that reach the window itself (no control has the focus).
  std::function<void(const KeyEvent&)> onKeyDown, onKeyUp;
  // The window became the active window / stopped being it.
  std::function<void()> onActivate, onDeactivate;
  // Esc, whichever control has the focus.
  std::function<void()> onCancel;
  // A close request (Windows shutting down, the close box, Close()); return false to refuse.
  std::function<bool()> onQueryUnload;
  std::function<void()> onUnload;
  // The Windows session really ends (after onQueryUnload agreed): the last moment to keep what the user has.
  std::function<void()> onEndSession;
  // The tag (dwData) and raw bytes of a WM_COPYDATA message sent to the window (our own subclass of the window
  // procedure).
  std::function<void(std::uintptr_t tag, std::string_view bytes)> onCopyData;
  // The window moved to a monitor of another DPI and was laid out again at it (Dpi() is the new one).
  std::function<void()> onDpiChanged;
  // Monitors were added, removed, moved or resized.
  std::function<void()> onDisplayChange;

  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  Control* Find(const std::wstring& name) const;
  WindowPeer* Peer() const { return peer_.get(); }

  // Called by the peer.
  void NotifyMoved(int left, int top);
  void NotifyVisible(bool visible);
  void NotifyMouseDown(const MouseEvent& e);
  void NotifyMouseMove(const MouseEvent& e);
  void NotifyMouseUp(const MouseEvent& e);
  void NotifyKeyDown(const KeyEvent& e);
  void NotifyKeyUp(const KeyEvent& e);
  // Active again: raises onActivate and, when no control has the focus, gives it to the first tab stop.
  void NotifyActivate(bool active);
  // Windows is shutting down: raises onQueryUnload and answers whether the session may end.
  bool NotifyQueryEndSession();
  // The session ends: the window is gone without a further question (raises onEndSession, then onUnload).
  void NotifyEndSession();
  void NotifyDpiChanged();
  void NotifyDisplayChange();

private:
  template <typename T, typename... Args>
  T& Add(Args&&... args);
  bool MoveFocus(bool forward);

  WindowSpec spec_;
  std::wstring caption_;
  std::optional<std::wstring> accName_;
  std::vector<Control*> readingOrder_;
  bool movingByKey_ = false;
  std::wstring picturePath_;
  bool visible_ = false;
  bool topMost_ = false;
  bool closed_ = false;
  bool closing_ = false;
  std::uint8_t alpha_ = 255;
  int left_ = 0, top_ = 0;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<Timer>> timers_;
  std::unique_ptr<WindowPeer> peer_;
};

using velvane::kMbOk, velvane::kMbOkCancel, velvane::kMbYesNo, velvane::kMbCritical, velvane::kMbQuestion,
    velvane::kMbExclamation, velvane::kMbInformation;
using velvane::kAnswerOk, velvane::kAnswerCancel, velvane::kAnswerYes, velvane::kAnswerNo;

// Shows a modal message box and answers kAnswer*. Styles combine one button set with one icon (kMbYesNo | kMbQuestion).
int MsgBox(const std::wstring& text, int style, const std::wstring& title);
// The text typed, or nullopt when cancelled.
std::optional<std::wstring> InputBox(const std::wstring& prompt, const std::wstring& title, const std::wstring& initial = {});

struct FileDialogOptions {
  std::wstring title;
  std::wstring filter;      // "Text files|*.txt|All files|*.*"
  std::wstring initialDir;
  const Window* owner = nullptr;
};
// The chosen full path, or nullopt when cancelled.
std::optional<std::wstring> ShowOpenDialog(const FileDialogOptions& options);
std::optional<std::wstring> ShowSaveDialog(const FileDialogOptions& options);

// One monitor of the desktop, in pixels of the virtual screen (the primary's top-left corner is 0, 0; a monitor left
// of or above it has negative coordinates).
struct Monitor {
  Rect bounds;
  Rect work;  // without the task bar and other docked bars
  bool operator==(const Monitor&) const = default;
};
// Every monitor, the primary first.
std::vector<Monitor> Monitors();

// Runs the message loop until QuitApplication (or the last window of the program has ended it); answers the exit code.
// Returns at once when no window is open.
int RunMessageLoop();
void QuitApplication(int exitCode = 0);
std::optional<SystemColors> HighContrast();
bool ClientAreaAnimation();

// What the functions above ask of the system, as one seam: each backend brings the system's own (the headless one a
// 1280 x 1024 screen that shows no boxes), and the tests put their script in its place (ui/testing.h).
class Desktop {
public:
  virtual ~Desktop() = default;
  virtual int MsgBox(const std::wstring& text, int style, const std::wstring& title) = 0;
  virtual std::optional<std::wstring> InputBox(const std::wstring& prompt, const std::wstring& title,
                                               const std::wstring& initial) = 0;
  virtual std::optional<std::wstring> FileDialog(bool save, const FileDialogOptions& options) = 0;
  virtual Rect Screen() = 0;  // at 0, 0
  virtual Rect WorkArea() = 0;
  virtual std::vector<Monitor> Monitors() = 0;
  virtual void Quit(int exitCode) = 0;  // ends the message loop
  // The user's display choices: the high-contrast colours while Windows says high contrast is on, and whether
  // windows may animate their contents (fades).
  virtual std::optional<SystemColors> HighContrast() = 0;
  virtual bool ClientAreaAnimation() = 0;
};
Desktop& SystemDesktop();
void UseDesktop(Desktop* desktop);  // nullptr: the system's again

}  // namespace velvane::ui
