#pragma once
// What the dialogs of both programs share: their frame and layout in twips, their pictures, and the one open instance
// of each modeless dialog. (The side bar's dialogs take their skin and captions from dialogs/dialog_look.h.)
#include <memory>
#include <string>

#include "common/numbers.h"
#include "ui/forms.h"

namespace velvane::ui {

constexpr ui::Rect Twips(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

constexpr double kTitlePoints = 14.25;
constexpr double kSmallPoints = 8.25;

ui::Font FontOf(double points);
// A fixed dialog frame with the icon.ico of the program folder given (ending with a backslash), the program's own
// icon without one.
ui::WindowSpec DialogFrame(const std::wstring& caption, int widthTwips, int heightTwips, const std::wstring& appDir);
// A missing or broken picture leaves the image empty; the window opens all the same.
void LoadPictureOrClear(ui::Image& image, const std::wstring& path);

// Puts the window beside the other one (right of it, else left of it), tops aligned: a small window that a bigger one
// opens stays clear of it. Wine without a window manager never paints a new window that lies wholly inside another.
void PlaceBeside(ui::Window& window, const ui::Window& other);

// A window of which at most one is open, kept in a slot of its own: created when shown while none is open (a closed
// one is dropped then, never from its own events), brought forward when it is; a new one opens beside the window
// given, if any. Discard closes and frees it, never from its own events.
template <typename Dialog>
class SingleDialog {
public:
  SingleDialog(const SingleDialog&) = delete;
  SingleDialog& operator=(const SingleDialog&) = delete;

  ui::Window& Form() { return *window_; }
  static Dialog* Current() { return Slot() && !Slot()->Form().Closed() ? Slot().get() : nullptr; }  // the open one
  static void Discard() {
    if (Current()) Slot()->Form().Close();
    Slot().reset();
  }

protected:
  explicit SingleDialog(const ui::WindowSpec& spec) : window_(std::make_unique<ui::Window>(spec)) {}
  ~SingleDialog() = default;
  template <typename Make>
  static Dialog& Show(Make&& make, const ui::Window* beside = nullptr) {
    if (!Current()) {
      Slot() = make();
      if (beside) PlaceBeside(Slot()->Form(), *beside);
      Slot()->Form().Show();
    }
    Slot()->Form().Activate();
    return *Slot();
  }

  std::unique_ptr<ui::Window> window_;

private:
  static std::unique_ptr<Dialog>& Slot() {
    static std::unique_ptr<Dialog> slot;
    return slot;
  }
};

}  // namespace velvane::ui
