// The headless backend: peers that keep nothing on screen, and dialogs answered by the test script. The forms layer's
// state is the whole truth here; only the focus moves between controls, as a window system would move it.
#include <algorithm>
#include <memory>

#include "ui/peers.h"
#include "ui/scripted.h"

namespace velvane::ui {

namespace {

// The frame a captioned window adds to its client area, in pixels.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 31;
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

class NullControlPeer final : public ControlPeer {
public:
  explicit NullControlPeer(Control& control) : control_(control) {}

  void Update(ControlChange what) override {
    // A control that disappears or is disabled gives up the focus, as on screen.
    if ((what == ControlChange::Visible && !control_.Visible()) ||
        (what == ControlChange::Enabled && !control_.Enabled()))
      control_.NotifyFocus(false);
  }

  void Focus() override { control_.NotifyFocus(true); }

  std::intptr_t NativeHandle() const override { return 0; }
  bool LoadPicture(const std::wstring&) override { return true; }
  std::optional<std::pair<int, int>> TextExtent() const override {
    // A line is the font's height plus a fifth; every character is five twelfths of a line wide.
    const int height = static_cast<int>(control_.GetFont().points * 96 / 72 * 1.2 + 0.5);
    // A line ends at CR, LF or CR LF.
    int lines = 1, widest = 0, run = 0;
    wchar_t previous = 0;
    for (wchar_t c : control_.Text()) {
      if (c == L'\r' || (c == L'\n' && previous != L'\r')) {
        ++lines, run = 0;
      } else if (c != L'\n') {
        widest = std::max(widest, ++run);
      }
      previous = c;
    }
    return std::make_pair(widest * height * 5 / 12, lines * height);
  }
  std::optional<std::pair<int, int>> ScreenSelection() const override { return std::nullopt; }
  void SelectionSet(int, int) override {}
  void SelectionReplaced(int, int, const std::wstring&) override {}
  void ItemsCleared() override {}
  void ItemAdded(int) override {}
  void ItemChecked(int) override {}

private:
  Control& control_;
};

class NullWindowPeer final : public WindowPeer {
public:
  explicit NullWindowPeer(Window& window) : window_(window) {}

  void Update(WindowChange) override {}
  bool LoadPicture(const std::wstring&) override { return true; }
  void Activate() override {}
  void Destroy() override {}
  std::pair<int, int> OuterSize() const override {
    const WindowSpec& spec = window_.Spec();
    // Rounded as Windows' MulDiv rounds: 341 design pixels are 512 at 150%.
    const int width = (spec.clientWidth * Dpi() + kDesignDpi / 2) / kDesignDpi;
    const int height = (spec.clientHeight * Dpi() + kDesignDpi / 2) / kDesignDpi;
    if (spec.borderless) return {width, height};
    return {width + kFrameWidth, height + kFrameHeight};
  }
  int Dpi() const override { return detail::DpiOverride().value_or(kDesignDpi); }
  std::intptr_t NativeHandle() const override { return 0; }

private:
  Window& window_;
};

class NullTimerPeer final : public TimerPeer {
public:
  void Update() override {}
};

}  // namespace

std::unique_ptr<WindowPeer> CreateWindowPeer(Window& window) { return std::make_unique<NullWindowPeer>(window); }
std::unique_ptr<ControlPeer> CreateControlPeer(Control& control) { return std::make_unique<NullControlPeer>(control); }
std::unique_ptr<TimerPeer> CreateTimerPeer(Timer&) { return std::make_unique<NullTimerPeer>(); }

// A screen with nobody at it: no button of a box is ever pressed, every dialog is cancelled.
class HeadlessDesktop final : public Desktop {
public:
  int MsgBox(const std::wstring&, int, const std::wstring&) override { return 0; }
  std::optional<std::wstring> InputBox(const std::wstring&, const std::wstring&, const std::wstring&) override { return {}; }
  std::optional<std::wstring> FileDialog(bool, const FileDialogOptions&) override { return {}; }
  Rect Screen() override { return Rect{0, 0, kScreenWidth, kScreenHeight}; }
  Rect WorkArea() override { return Screen(); }
  std::vector<Monitor> Monitors() override { return {Monitor{Screen(), WorkArea()}}; }
  void Quit(int) override {}
  std::optional<SystemColors> HighContrast() override { return std::nullopt; }
  bool ClientAreaAnimation() override { return true; }
};

Desktop& SystemDesktop() {
  static HeadlessDesktop desktop;
  return desktop;
}

int RunMessageLoop() { return 0; }

}  // namespace velvane::ui
