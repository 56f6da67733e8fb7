#pragma once
// The launcher's list window: every entry as "short name - display name", delete the selected one, accept to save.
// Deletions live in memory until accepted (or until the next entry is added). A single instance, created when shown
// and discarded when closed; showing it again while it is open brings the same window forward.
#include <array>
#include <memory>

#include "common/outcome.h"
#include "ui/dialog_layout.h"

namespace velvane {
struct Velvane;

class frmExecList : public ui::SingleDialog<frmExecList> {
public:
  static frmExecList& ShowDialog(Velvane& app);


  void OnDelete();  // cmd(0): removes the selected entry from memory
  void OnAccept();  // cmd(1): saves the list and closes
  void Refresh();   // refills lst from the launcher's entries

  ui::Image* imgTop = nullptr;
  std::array<ui::Label*, 1> lbl{};
  std::array<ui::Button*, 2> cmd{};  // 0 delete, 1 accept
  ui::ListBox* lst = nullptr;

private:
  explicit frmExecList(Velvane& app);
  Velvane& app_;
};

// Says that exec.qdt could not be written, and why; the entries stay in memory for the next save.
void SayExecsNotSaved(Velvane& app, Outcome saved);

}  // namespace velvane
