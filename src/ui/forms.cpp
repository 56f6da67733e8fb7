#include "ui/forms.h"

#include <algorithm>
#include <utility>

#include "common/errors.h"
#include "platform/input.h"
#include "platform/text_codec.h"
#include "ui/monitors.h"
#include "ui/peers.h"
#include "ui/picture_check.h"

namespace velvane::ui {

namespace {

template <typename F, typename... Args>
void Raise(const F& handler, Args&&... args) {
  if (handler) handler(std::forward<Args>(args)...);
}

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

[[noreturn]] void ThrowBadRow() { throw RuntimeError(ErrorNumber::InvalidCall, "Invalid list row"); }

}  // namespace

// ---- Control ----

Control::Control(Window& parent, std::wstring name, Rect bounds)
    : parent_(parent), name_(std::move(name)), bounds_(bounds), font_(parent.Spec().font) {}

Control::~Control() = default;

void Control::AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

bool Control::Live() const { return !parent_.Closed(); }

std::intptr_t Control::NativeHandle() const { return peer_ ? peer_->NativeHandle() : 0; }

void Control::SetText(const std::wstring& text) {
  if (text == text_) return;
  text_ = text;
  TextAssigned();
  if (peer_) peer_->Update(ControlChange::Text);
  TextChanged();
}

void Control::SetBounds(Rect bounds) {
  if (bounds == bounds_) return;
  bounds_ = bounds;
  if (peer_) peer_->Update(ControlChange::Bounds);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (peer_) peer_->Update(ControlChange::Visible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (peer_) peer_->Update(ControlChange::Enabled);
}

void Control::SetFont(const Font& font) {
  if (font == font_) return;
  font_ = font;
  if (peer_) peer_->Update(ControlChange::Font);
  Restyled();
}

void Control::SetForeColor(Color c) {
  if (c == fore_) return;
  fore_ = c;
  if (peer_) peer_->Update(ControlChange::Colors);
}

void Control::SetBackColor(Color c) {
  backSet_ = true;
  back_ = c;
  if (peer_) peer_->Update(ControlChange::Colors);
}

void Control::SetToolTip(const std::wstring& tip) {
  if (tip == toolTip_) return;
  toolTip_ = tip;
  if (peer_) peer_->Update(ControlChange::ToolTip);
}

void Control::SetAcceptFiles(bool accept) {
  if (accept == acceptFiles_) return;
  acceptFiles_ = accept;
  if (peer_) peer_->Update(ControlChange::AcceptFiles);
}

void Control::Focus() {
  // A hidden or disabled control cannot take the focus; asking is not an error.
  if (!visible_ || !enabled_ || !Live()) return;
  if (peer_) peer_->Focus();
}

void Control::NotifyTextChanged(const std::wstring& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
}

void Control::NotifyFocus(bool focused) {
  if (focused == focused_) return;
  focused_ = focused;
  if (!Live()) return;
  if (focused)
    Raise(onGotFocus);
  else
    Raise(onLostFocus);
}

void Control::NotifyMouseDown(const MouseEvent& e) {
  if (Live()) Raise(onMouseDown, e);
}

void Control::NotifyMouseMove(const MouseEvent& e) {
  if (Live()) Raise(onMouseMove, e);
}

void Control::NotifyMouseUp(const MouseEvent& e) {
  if (Live()) Raise(onMouseUp, e);
}

void Control::NotifyClick() {
  if (Live()) Raise(onClick);
}

void Control::NotifyFilesDropped(const std::vector<std::wstring>& paths) {
  if (Live() && acceptFiles_) Raise(onFilesDropped, paths);
}

// ---- Label ----

Label::Label(Window& parent, std::wstring name, Rect bounds) : Control(parent, std::move(name), bounds) {}

void Label::SetAlign(Align a) {
  if (a == align_) return;
  align_ = a;
  if (peer_) peer_->Update(ControlChange::Align);
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToText();
}

void Label::TextChanged() { FitToText(); }

void Label::Restyled() { FitToText(); }

void Label::FitToText() {
  if (!autoSize_ || !peer_) return;
  if (const auto size = peer_->TextExtent()) SetBounds({bounds_.x, bounds_.y, size->first, size->second});
}

// ---- Image ----

Image::Image(Window& parent, std::wstring name, Rect bounds) : Control(parent, std::move(name), bounds) {}

void Image::LoadPicture(const std::wstring& path) {
  if (path.empty()) {
    ClearPicture();
    return;
  }
  CheckBitmapFile(path);
  if (peer_ && !peer_->LoadPicture(path)) throw RuntimeError(ErrorNumber::PictureInvalid, "Invalid picture");
  picturePath_ = path;
  icon_ = BuiltinIcon::None;
  if (peer_) peer_->Update(ControlChange::Picture);
}

void Image::ClearPicture() {
  if (picturePath_.empty() && icon_ == BuiltinIcon::None) return;
  picturePath_.clear();
  icon_ = BuiltinIcon::None;
  if (peer_) peer_->Update(ControlChange::Picture);
}

void Image::SetBuiltinIcon(BuiltinIcon icon) {
  if (icon == icon_ && picturePath_.empty()) return;
  picturePath_.clear();
  icon_ = icon;
  if (peer_) peer_->Update(ControlChange::Picture);
}

void Image::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  if (peer_) peer_->Update(ControlChange::Picture);
}

// ---- TextBox ----

TextBox::TextBox(Window& parent, std::wstring name, Rect bounds, bool multiLine)
    : Control(parent, std::move(name), bounds), multiLine_(multiLine) {}

void TextBox::SyncSelection() const {
  const int size = static_cast<int>(text_.size());
  if (peer_) {
    if (auto sel = peer_->ScreenSelection()) {
      selStart_ = sel->first;
      selLength_ = sel->second;
    }
  }
  selStart_ = Clamp(selStart_, 0, size);
  selLength_ = Clamp(selLength_, 0, size - selStart_);
}

int TextBox::SelStart() const {
  SyncSelection();
  return selStart_;
}

int TextBox::SelLength() const {
  SyncSelection();
  return selLength_;
}

std::wstring TextBox::SelText() const {
  SyncSelection();
  return text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_));
}

void TextBox::SetSelection(int start, int length) {
  const int size = static_cast<int>(text_.size());
  selStart_ = Clamp(start, 0, size);
  selLength_ = Clamp(length, 0, size - selStart_);
  if (peer_) peer_->SelectionSet(selStart_, selLength_);
}

void TextBox::ReplaceSelection(const std::wstring& text) {
  SyncSelection();
  const int start = selStart_;
  const int length = selLength_;
  std::wstring next = text_;
  next.replace(static_cast<size_t>(start), static_cast<size_t>(length), text);
  const bool changed = next != text_;
  text_ = std::move(next);
  selStart_ = start + static_cast<int>(text.size());
  selLength_ = 0;
  if (peer_) peer_->SelectionReplaced(start, length, text);
  if (changed) TextChanged();
}

void TextBox::TextAssigned() {
  selStart_ = 0;
  selLength_ = 0;
}

void TextBox::TextChanged() {
  // New text from code or from the user; the caret cannot stay beyond it.
  const int size = static_cast<int>(text_.size());
  selStart_ = Clamp(selStart_, 0, size);
  selLength_ = Clamp(selLength_, 0, size - selStart_);
  if (Live()) Raise(onChange);
}

wchar_t TextBox::NotifyKeyPress(wchar_t ch) {
  if (Live() && onKeyPress) onKeyPress(&ch);
  return ch;
}

void TextBox::NotifyKeyDown(const KeyEvent& e) {
  if (Live()) Raise(onKeyDown, e);
}

void TextBox::NotifyKeyUp(const KeyEvent& e) {
  if (Live()) Raise(onKeyUp, e);
}

// ---- ListBox ----

ListBox::ListBox(Window& parent, std::wstring name, Rect bounds, bool checkBoxes)
    : Control(parent, std::move(name), bounds), checkBoxes_(checkBoxes) {}

void ListBox::Clear() {
  items_.clear();
  listIndex_ = -1;
  if (peer_) peer_->ItemsCleared();
}

void ListBox::AddItem(const std::wstring& text) {
  items_.push_back(Row{text, false});
  if (peer_) peer_->ItemAdded(ItemCount() - 1);
}

const std::wstring& ListBox::Item(int row) const {
  if (row < 0 || row >= ItemCount()) ThrowBadRow();
  return items_[static_cast<size_t>(row)].text;
}

bool ListBox::Checked(int row) const {
  if (row < 0 || row >= ItemCount()) ThrowBadRow();
  return items_[static_cast<size_t>(row)].checked;
}

void ListBox::SetChecked(int row, bool checked) {
  if (row < 0 || row >= ItemCount()) ThrowBadRow();
  items_[static_cast<size_t>(row)].checked = checked;
  if (peer_) peer_->ItemChecked(row);
  // The handler may rebuild the list; nothing here touches the rows afterwards.
  if (Live()) Raise(onItemCheck, row);
}

void ListBox::SetListIndex(int row) {
  if (row < -1 || row >= ItemCount()) ThrowBadRow();
  if (row == listIndex_) return;
  listIndex_ = row;
  if (peer_) peer_->Update(ControlChange::ListIndex);
  if (Live()) Raise(onClick);
}

void ListBox::NotifyListIndex(int row) {
  if (row < -1 || row >= ItemCount() || row == listIndex_) return;
  listIndex_ = row;
  if (Live()) Raise(onClick);
}

void ListBox::NotifyCheckToggled(int row) {
  if (!checkBoxes_ || row < 0 || row >= ItemCount()) return;
  SetChecked(row, !items_[static_cast<size_t>(row)].checked);
}

void ListBox::NotifyKeyDown(const KeyEvent& e) {
  if (Live()) Raise(onKeyDown, e);
}

// ---- Button, CheckBox ----

Button::Button(Window& parent, std::wstring name, Rect bounds) : Control(parent, std::move(name), bounds) {}

CheckBox::CheckBox(Window& parent, std::wstring name, Rect bounds) : Control(parent, std::move(name), bounds) {}

void CheckBox::SetValue(bool value) {
  if (value == value_) return;
  value_ = value;
  if (peer_) peer_->Update(ControlChange::Value);
  if (Live()) Raise(onClick);
}

void CheckBox::NotifyValue(bool value) {
  if (value == value_) return;
  value_ = value;
  if (Live()) Raise(onClick);
}

// ---- Timer ----

Timer::Timer(Window& parent, std::wstring name, int intervalMs, bool enabled)
    : parent_(parent), name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {}

Timer::~Timer() = default;

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (peer_) peer_->Update();
}

void Timer::NotifyTick() {
  if (enabled_ && interval_ > 0 && !parent_.Closed()) Raise(onTick);
}

// ---- Window ----

Window::Window(const WindowSpec& spec) : spec_(spec), caption_(spec.caption) { peer_ = CreateWindowPeer(*this); }

Window::~Window() {
  // No event may run while the parts go away, and the children go before the native window.
  closed_ = true;
  timers_.clear();
  controls_.clear();
  peer_.reset();
}

template <typename T, typename... Args>
T& Window::Add(Args&&... args) {
  std::unique_ptr<T> control(new T(*this, std::forward<Args>(args)...));
  T& ref = *control;
  controls_.push_back(std::move(control));
  ref.AttachPeer(CreateControlPeer(ref));
  return ref;
}

Label& Window::AddLabel(const std::wstring& name, Rect bounds, const std::wstring& caption) {
  Label& label = Add<Label>(name, bounds);
  label.SetText(caption);
  return label;
}

Image& Window::AddImage(const std::wstring& name, Rect bounds) { return Add<Image>(name, bounds); }

TextBox& Window::AddTextBox(const std::wstring& name, Rect bounds, bool multiLine) {
  return Add<TextBox>(name, bounds, multiLine);
}

ListBox& Window::AddListBox(const std::wstring& name, Rect bounds, bool checkBoxes) {
  return Add<ListBox>(name, bounds, checkBoxes);
}

Button& Window::AddButton(const std::wstring& name, Rect bounds, const std::wstring& caption) {
  Button& button = Add<Button>(name, bounds);
  button.SetText(caption);
  return button;
}

CheckBox& Window::AddCheckBox(const std::wstring& name, Rect bounds, const std::wstring& caption) {
  CheckBox& box = Add<CheckBox>(name, bounds);
  box.SetText(caption);
  return box;
}

Timer& Window::AddTimer(const std::wstring& name, int intervalMs, bool enabled) {
  std::unique_ptr<Timer> timer(new Timer(*this, name, intervalMs, enabled));
  Timer& ref = *timer;
  timers_.push_back(std::move(timer));
  ref.peer_ = CreateTimerPeer(ref);
  if (ref.peer_) ref.peer_->Update();
  return ref;
}

void Window::SetBackColor(Color c) {
  spec_.back = c;
  if (peer_) peer_->Update(WindowChange::BackColor);
}

void Window::SetPicture(const std::wstring& path) {
  if (!path.empty()) {
    CheckBitmapFile(path);
    if (peer_ && !peer_->LoadPicture(path)) throw RuntimeError(ErrorNumber::PictureInvalid, "Invalid picture");
  }
  picturePath_ = path;
  if (peer_) peer_->Update(WindowChange::Picture);
}

void Window::Show() {
  if (closed_) return;
  visible_ = true;
  if (peer_) peer_->Update(WindowChange::Visible);
}

void Window::Hide() {
  if (closed_) return;
  visible_ = false;
  if (peer_) peer_->Update(WindowChange::Visible);
}

void Window::SetAlpha(std::uint8_t alpha) {
  alpha_ = alpha;
  if (peer_ && !closed_) peer_->Update(WindowChange::Alpha);
}

void Window::SetTopMost(bool topMost) {
  topMost_ = topMost;
  if (peer_ && !closed_) peer_->Update(WindowChange::TopMost);
}

void Window::Move(int left, int top) {
  left_ = left;
  top_ = top;
  if (peer_ && !closed_) peer_->Update(WindowChange::Position);
}

int Window::Width() const { return peer_ ? peer_->OuterSize().first : spec_.clientWidth; }

int Window::Height() const { return peer_ ? peer_->OuterSize().second : spec_.clientHeight; }

int Window::Dpi() const { return peer_ ? peer_->Dpi() : kDesignDpi; }

void Window::CenterOnScreen() {
  // On the monitor under the pointer: the user has just clicked there.
  const auto [x, y] = platform::CursorPosition().value_or(std::pair(0, 0));
  const Rect screen = MonitorOf(Monitors(), {x, y, 1, 1}).bounds;
  Move(screen.x + (screen.w - Width()) / 2, screen.y + (screen.h - Height()) / 2);
}

void Window::Activate() {
  if (peer_ && !closed_) peer_->Activate();
}

void Window::Close() {
  if (closed_ || closing_) return;
  closing_ = true;  // a handler that asks again is not asked twice
  if (onQueryUnload && !onQueryUnload()) {
    closing_ = false;
    return;
  }
  Raise(onUnload);
  closing_ = false;
  closed_ = true;
  visible_ = false;
  for (auto& timer : timers_)
    if (timer->peer_) timer->peer_->Update();
  if (peer_) peer_->Destroy();
}

std::intptr_t Window::NativeHandle() const { return peer_ ? peer_->NativeHandle() : 0; }

Control* Window::Find(const std::wstring& name) const {
  for (const auto& c : controls_)
    if (c->Name() == name) return c.get();
  return nullptr;
}

void Window::NotifyMoved(int left, int top) {
  left_ = left;
  top_ = top;
}

void Window::NotifyVisible(bool visible) { visible_ = visible && !closed_; }

void Window::NotifyMouseDown(const MouseEvent& e) {
  if (!closed_) Raise(onMouseDown, e);
}

void Window::NotifyMouseMove(const MouseEvent& e) {
  if (!closed_) Raise(onMouseMove, e);
}

void Window::NotifyMouseUp(const MouseEvent& e) {
  if (!closed_) Raise(onMouseUp, e);
}

void Window::NotifyKeyDown(const KeyEvent& e) {
  if (!closed_) Raise(onKeyDown, e);
}

void Window::NotifyKeyUp(const KeyEvent& e) {
  if (!closed_) Raise(onKeyUp, e);
}

void Window::NotifyActivate(bool active) {
  if (closed_) return;
  if (active)
    Raise(onActivate);
  else
    Raise(onDeactivate);
}

bool Window::NotifyQueryEndSession() {
  if (closed_) return true;
  return !onQueryUnload || onQueryUnload();
}

void Window::NotifyDpiChanged() {
  if (!closed_) Raise(onDpiChanged);
}

void Window::NotifyDisplayChange() {
  if (!closed_) Raise(onDisplayChange);
}

void Window::NotifyEndSession() {
  if (closed_) return;
  Raise(onEndSession);
  Raise(onUnload);
  closed_ = true;
  visible_ = false;
}

// ---- Errors at the window system's edge ----

void ReportEventError(std::exception_ptr error) noexcept {
  try {
    std::string description = "Unknown error";
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      description = e.what();
    } catch (...) {
    }
    MsgBox(L"An error occurred: " + platform::codec::FromUtf8(description), kMbCritical, L"Velvane");
  } catch (...) {
    // Nothing may leave: the caller is a window procedure.
  }
}

namespace {
Desktop* gDesktop = nullptr;
Desktop& Current() { return gDesktop ? *gDesktop : SystemDesktop(); }
}  // namespace

void UseDesktop(Desktop* desktop) { gDesktop = desktop; }
int MsgBox(const std::wstring& text, int style, const std::wstring& title) { return Current().MsgBox(text, style, title); }
std::optional<std::wstring> InputBox(const std::wstring& prompt, const std::wstring& title, const std::wstring& initial) {
  return Current().InputBox(prompt, title, initial);
}
std::optional<std::wstring> ShowOpenDialog(const FileDialogOptions& options) { return Current().FileDialog(false, options); }
std::optional<std::wstring> ShowSaveDialog(const FileDialogOptions& options) { return Current().FileDialog(true, options); }
std::vector<Monitor> Monitors() { return Current().Monitors(); }
void QuitApplication(int exitCode) { Current().Quit(exitCode); }

}  // namespace velvane::ui
