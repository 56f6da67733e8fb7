#pragma once
// Captures one of the two hot keys by pressing it: the first two keys released become the pair, in the order they
// are let go, and go into HotKeys at once (the polling uses them from then on); the settings window saves them on OK.
// Escape or leaving the window ends the capture without storing. A single instance, modeless.
#include <array>
#include <cstdint>
#include <memory>

#include "ui/dialog_layout.h"

namespace velvane {
struct Velvane;

class frmKeyPress : public ui::SingleDialog<frmKeyPress> {
public:
  static constexpr int kEscape = 27;

  // Shows the window (creating it when none is open, beside the window given), then starts the capture for hot key 1
  // or 2.
  static frmKeyPress& ShowDialog(Velvane& app, std::uint8_t key, const ui::Window* beside = nullptr);


  // Which hot key the capture is for; any other value than 1 or 2 captures nothing.
  void SetKey(std::uint8_t key) { settedKey_ = key; }
  void OnKeyUp(const ui::KeyEvent& e);
  void OnDeactivate();

  ui::Label* lbl = nullptr;

private:
  explicit frmKeyPress(Velvane& app);
  Velvane& app_;
  std::uint8_t settedKey_ = 0;
  int keyCount_ = 0;
  std::array<std::uint8_t, 2> capturedKeys_{};
};

}  // namespace velvane
