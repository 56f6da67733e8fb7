#pragma once
// The launcher's list window: every entry as "short name - display name", delete the selected one, accept to save.
// Deletions live in memory until accepted (or until the next entry is added). A single instance, created when shown
// and discarded when closed; showing it again while it is open brings the same window forward.
#include <array>
#include <memory>

#include "ui/forms.h"

namespace velvane {

class frmExecList {
public:
  static frmExecList& ShowDialog();
  static frmExecList* Current();  // the open window, or nullptr
  // Closes and frees the window; never from the window's own events.
  static void Discard();

  frmExecList(const frmExecList&) = delete;
  frmExecList& operator=(const frmExecList&) = delete;
  ~frmExecList();

  ui::Window& Form() { return *window_; }
  void OnDelete();  // cmd(0): removes the selected entry from memory
  void OnAccept();  // cmd(1): saves the list and closes
  void Refresh();   // refills lst from the launcher's entries

  ui::Image* imgTop = nullptr;
  std::array<ui::Label*, 1> lbl{};
  std::array<ui::Button*, 2> cmd{};  // 0 delete, 1 accept
  ui::ListBox* lst = nullptr;

private:
  frmExecList();
  std::unique_ptr<ui::Window> window_;
};

}  // namespace velvane
