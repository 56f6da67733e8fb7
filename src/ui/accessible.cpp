// What screen readers and the keyboard make of the forms: each control's name, role, state and default action, the
// window's reading order (which Tab follows), the dialog keys, and the colours high contrast puts in place of a skin's.
#include <algorithm>

#include "ui/forms.h"
#include "ui/peers.h"

namespace velvane::ui {

namespace {

bool Clickable(const Control& c) { return c.onClick || c.onMouseDown; }

bool Visual(const Control* c) { return c && (c->Kind() == ControlKind::Label || c->Kind() == ControlKind::Image); }

// A label or picture the user can press like a button.
bool Pressable(const Control& c) {
  const Role role = c.GetRole();
  return Visual(&c) && Clickable(c) && (role == Role::PushButton || role == Role::CheckButton || role == Role::ListItem);
}

}  // namespace

void Control::SetAccessibleName(const std::wstring& name) {
  if (accName_ == name) return;
  accName_ = name;
  if (peer_) peer_->Update(ControlChange::AccessibleName);
}

void Control::SetRole(Role role) { role_ = role; }

Role Control::GetRole() const {
  if (role_) return *role_;
  switch (Kind()) {
    case ControlKind::Label: return Clickable(*this) ? Role::PushButton : Role::StaticText;
    case ControlKind::Image: return Clickable(*this) ? Role::PushButton : Role::Graphic;
    case ControlKind::TextBox: return Role::Text;
    case ControlKind::ListBox: return Role::List;
    case ControlKind::Button: return Role::PushButton;
    case ControlKind::CheckBox: return Role::CheckButton;
  }
  return Role::StaticText;
}

void Control::SetToggled(bool on) {
  if (on == toggled_) return;
  toggled_ = on;
  if (peer_) peer_->Update(ControlChange::AccessibleState);
}

void Control::SetDescription(const std::wstring& text) {
  if (text == description_) return;
  description_ = text;
  if (peer_) peer_->Update(ControlChange::AccessibleName);
}

bool Control::TabStop() const {
  if (!visible_ || !enabled_) return false;
  switch (Kind()) {
    case ControlKind::Label: return Pressable(*this) && !text_.empty();  // an empty row offers nothing to press
    case ControlKind::Image: return Pressable(*this);
    default: return true;
  }
}

AccessibleInfo Control::Accessible() const {
  AccessibleInfo info;
  info.role = GetRole();
  if (accName_) {
    info.name = *accName_;
  } else if (Kind() == ControlKind::Label || Kind() == ControlKind::Button || Kind() == ControlKind::CheckBox) {
    info.name = text_;
  } else if (Kind() == ControlKind::TextBox || Kind() == ControlKind::ListBox) {
    // Named by the label before it, as Windows names a dialog's boxes.
    const auto& all = parent_.Controls();
    const auto self = std::find_if(all.begin(), all.end(), [this](const auto& c) { return c.get() == this; });
    if (self != all.begin() && self != all.end() && (*(self - 1))->Kind() == ControlKind::Label)
      info.name = (*(self - 1))->Text();
  }
  info.description = description_;
  if (Kind() == ControlKind::TextBox) info.value = text_;
  info.checked = Kind() == ControlKind::CheckBox ? static_cast<const CheckBox*>(this)->Value() : toggled_;
  info.focusable = TabStop();
  info.focused = focused_;
  info.unavailable = !enabled_;
  // A label that shows no text is not there for a reader either, unless it stands for a list of others.
  info.invisible = !visible_ || (Kind() == ControlKind::Label && text_.empty() && info.role != Role::List);
  const bool acts = Pressable(*this) || Kind() == ControlKind::Button || Kind() == ControlKind::CheckBox;
  if (acts) {
    switch (info.role) {
      case Role::CheckButton: info.defaultAction = info.checked ? L"Uncheck" : L"Check"; break;
      case Role::ListItem: info.defaultAction = L"Open"; break;
      default: info.defaultAction = L"Press"; break;
    }
  }
  return info;
}

bool Control::DoDefaultAction() {
  if (!Live() || !enabled_ || !visible_) return false;
  switch (Kind()) {
    case ControlKind::Label:
    case ControlKind::Image: {
      if (!Pressable(*this)) return false;
      const MouseEvent left{kLeftButton, 0, 0, 0};
      NotifyMouseDown(left);
      NotifyMouseUp(left);
      NotifyClick();
      return true;
    }
    case ControlKind::Button: NotifyClick(); return true;
    case ControlKind::CheckBox: {
      auto& box = static_cast<CheckBox&>(*this);
      box.SetValue(!box.Value());
      return true;
    }
    default: return false;
  }
}

Color Control::ShownForeColor() const {
  if (const auto hc = HighContrast()) return hc->windowText;
  return fore_;
}

Color Control::ShownBackColor() const {
  if (const auto hc = HighContrast()) return hc->window;
  // A check box without a colour of its own sits on the window's.
  return backSet_ || Kind() != ControlKind::CheckBox ? back_ : parent_.BackColor();
}

// ---- Window ----

void Window::SetReadingOrder(const std::vector<Control*>& order) { readingOrder_ = order; }

std::vector<Control*> Window::ReadingOrder() const {
  std::vector<Control*> order = readingOrder_;
  for (const auto& c : controls_)
    if (std::find(order.begin(), order.end(), c.get()) == order.end()) order.push_back(c.get());
  return order;
}

std::vector<Control*> Window::AccessibleChildren(const Control* parent) const {
  std::vector<Control*> children = ReadingOrder();
  std::erase_if(children, [parent](const Control* c) { return c->AccessibleParent() != parent; });
  return children;
}

Control* Window::FocusedControl() const {
  for (const auto& c : controls_)
    if (c->HasFocus()) return c.get();
  return nullptr;
}

bool Window::ShowsPicture() const { return !HighContrast(); }

Color Window::ShownBackColor() const {
  if (const auto hc = HighContrast()) return hc->window;
  return spec_.back;
}

bool Window::MoveFocus(bool forward) {
  const std::vector<Control*> order = ReadingOrder();
  const size_t n = order.size();
  const auto at = std::find(order.begin(), order.end(), FocusedControl());
  // Without a focused control, forward starts at the first stop and backward at the last.
  const size_t from = at != order.end() ? static_cast<size_t>(at - order.begin()) : (forward ? n - 1 : 0);
  for (size_t step = 1; step <= n; ++step) {
    Control* next = order[forward ? (from + step) % n : (from + n - step) % n];
    if (next->TabStop()) {
      next->Focus();
      return true;
    }
  }
  return false;
}

bool Window::NotifyDialogKey(const KeyEvent& key) {
  if (closed_ || (key.shift & kAltMask)) return false;
  Control* focused = FocusedControl();
  const bool plain = (key.shift & (kShiftMask | kCtrlMask)) == 0;
  // Whatever focus moves while the key is handled, the keyboard moved it.
  movingByKey_ = true;
  const struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{movingByKey_};
  switch (key.keyCode) {
    case kKeyTab: return MoveFocus((key.shift & kShiftMask) == 0);
    case kKeyEscape:
      if (!onCancel) return false;
      onCancel();
      return true;
    case kKeyReturn:
      return plain && focused && (Visual(focused) || focused->Kind() == ControlKind::Button) && focused->DoDefaultAction();
    case kKeySpace: return plain && Visual(focused) && focused->DoDefaultAction();
    case kKeyLeft:
    case kKeyUp: return plain && Visual(focused) && MoveFocus(false);
    case kKeyRight:
    case kKeyDown: return plain && Visual(focused) && MoveFocus(true);
    default: return false;
  }
}

}  // namespace velvane::ui
