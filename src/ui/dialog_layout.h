#pragma once
// What the dialogs of both programs share: their frame and layout in twips, the skin's colours and pictures, captions
// from the language table, and the one open instance of each modeless dialog.
#include <memory>
#include <string>

#include "common/numbers.h"
#include "ui/forms.h"

namespace velvane {
struct Velvane;
}
namespace velvane::ui {

constexpr ui::Rect Twips(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

constexpr double kTitlePoints = 14.25;
constexpr double kSmallPoints = 8.25;

ui::Font FontOf(double points);
// A fixed dialog frame with the program folder's icon (the program's own without one).
ui::WindowSpec DialogFrame(const std::wstring& caption, int widthTwips, int heightTwips);
// The same with the skin's background, the font of that size and the caption from the language table.
ui::WindowSpec DialogSpec(const Velvane& app, const std::wstring& captionKey, int widthTwips, int heightTwips, double points);
// A missing or broken picture leaves the image empty; the window opens all the same.
void LoadPictureOrClear(ui::Image& image, const std::wstring& path);
void LoadSkinPicture(const Velvane& app, ui::Image& image, const wchar_t* file);  // from the skin's folder
// The skin's title bar picture, stretched over the top of the window.
ui::Image& AddTopBar(const Velvane& app, ui::Window& window);
// lbl(index) with its caption from the language table; lbl(0) is the title, widened where its text needs it.
ui::Label& AddCaptionLabel(const Velvane& app, ui::Window& window, int index, ui::Rect bounds, const std::wstring& key,
                           double points);
// cmd(index) with its caption from the language table.
ui::Button& AddCaptionButton(const Velvane& app, ui::Window& window, int index, ui::Rect bounds, const std::wstring& key);

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
