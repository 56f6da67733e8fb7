// The Win32 factories of the peers, and the timers (WM_TIMER of the window, one id per timer).
#include <windows.h>

#include "ui/win32/win32_forms.h"

namespace velvane::ui {

namespace {

class TimerPeerWin32 final : public TimerPeer {
public:
  explicit TimerPeerWin32(Timer& timer)
      : timer_(timer), top_(static_cast<win32::TopWindow*>(timer.Parent().Peer())),
        id_(top_ ? top_->RegisterTimer(&timer) : 0) {}

  ~TimerPeerWin32() override {
    if (top_) top_->UnregisterTimer(id_);
  }

  void Update() override {
    const HWND hwnd = top_ ? top_->Hwnd() : nullptr;
    if (!hwnd) return;
    if (timer_.Enabled() && timer_.Interval() > 0 && !timer_.Parent().Closed())
      SetTimer(hwnd, id_, static_cast<UINT>(timer_.Interval()), nullptr);
    else
      KillTimer(hwnd, id_);
  }

private:
  Timer& timer_;
  win32::TopWindow* top_;
  UINT_PTR id_;
};

}  // namespace

std::unique_ptr<WindowPeer> CreateWindowPeer(Window& window) { return std::make_unique<win32::TopWindow>(window); }

std::unique_ptr<ControlPeer> CreateControlPeer(Control& control) {
  auto& top = *static_cast<win32::TopWindow*>(control.Parent().Peer());
  switch (control.Kind()) {
    case ControlKind::Label: return win32::CreateLabelPeer(static_cast<Label&>(control), top);
    case ControlKind::Image: return win32::CreateImagePeer(static_cast<Image&>(control), top);
    case ControlKind::TextBox: return win32::CreateTextBoxPeer(static_cast<TextBox&>(control), top);
    case ControlKind::ListBox: return win32::CreateListBoxPeer(static_cast<ListBox&>(control), top);
    case ControlKind::Button: return win32::CreateButtonPeer(static_cast<Button&>(control), top);
    case ControlKind::CheckBox: return win32::CreateCheckBoxPeer(static_cast<CheckBox&>(control), top);
  }
  return nullptr;
}

std::unique_ptr<TimerPeer> CreateTimerPeer(Timer& timer) { return std::make_unique<TimerPeerWin32>(timer); }

}  // namespace velvane::ui
