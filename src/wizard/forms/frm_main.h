#pragma once
// The wizard's page window: a picture down the left, a banner with the page's title, its text, and the buttons
// Previous, Next (Finish on the last page) and, on the launcher's page, the program search.
#include <array>
#include <memory>
#include <string>

#include "ui/forms.h"

namespace velvane::wizard {

class frmMain {
public:
  static frmMain& Open();  // creates and shows the one window
  static frmMain* Current();  // the open window, or nullptr

  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  ui::Window& Form() { return *window_; }
  // Draws page p; a page past the last finishes the wizard.
  void ShowPage(int page);
  void OnButton(int index);  // cmd(index): 0 next or finish, 1 previous, 2 search

  ui::Image* imgTop = nullptr;
  ui::Image* img = nullptr;
  std::array<ui::Label*, 2> lbl{};    // 0 title, 1 text
  std::array<ui::Button*, 3> cmd{};  // 0 next or finish, 1 previous, 2 search

private:
  frmMain();
  std::unique_ptr<ui::Window> window_;
};

}  // namespace velvane::wizard
