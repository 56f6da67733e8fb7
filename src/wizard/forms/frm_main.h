#pragma once
// The wizard's page window: a picture down the left, a banner with the page's title, its text, and the buttons
// Previous, Next (Finish on the last page) and, on the launcher's page, the program search.
#include <array>
#include <memory>
#include <string>

#include "ui/dialog_layout.h"

namespace velvane::wizard {
struct Primewiz;

class frmMain : public ui::SingleDialog<frmMain> {
public:
  static frmMain& Open(Primewiz& wiz);  // creates and shows the one window


  // Draws page p; a page past the last finishes the wizard.
  void ShowPage(int page);
  void OnButton(int index);  // cmd(index): 0 next or finish, 1 previous, 2 search

  ui::Image* imgTop = nullptr;
  ui::Image* img = nullptr;
  std::array<ui::Label*, 2> lbl{};    // 0 title, 1 text
  std::array<ui::Button*, 3> cmd{};  // 0 next or finish, 1 previous, 2 search

private:
  explicit frmMain(Primewiz& wiz);
  Primewiz& wiz_;
};

}  // namespace velvane::wizard
