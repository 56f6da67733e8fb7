#pragma once
// The launcher's add dialog: pick a program (file dialog or drop), type its short and display names, add.
// A single instance, created when shown and discarded when closed; showing it again while it is open brings the
// same window forward. Modeless, without an owner.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog_layout.h"

namespace velvane {
struct Velvane;

class frmAddExec : public ui::SingleDialog<frmAddExec> {
public:
  // Shows the dialog, creating it when none is open, and brings it forward.
  static frmAddExec& ShowDialog(Velvane& app);
  // The same, then puts the short name into txtEname (the launcher's "add this name?" question).
  static frmAddExec& ShowDialog(Velvane& app, const std::wstring& ename);


  void OnSelect();  // cmd(0): the file-open dialog
  void OnAdd();     // cmd(1)
  void OnCancel();  // cmd(2)
  void OnPathDropped(const std::vector<std::wstring>& files);  // files dropped on lblPath

  ui::Image* imgTop = nullptr;
  ui::Image* imgDrop = nullptr;
  std::array<ui::Label*, 4> lbl{};
  std::array<ui::Button*, 3> cmd{};  // 0 select, 1 add, 2 cancel
  ui::Label* lblPath = nullptr;
  ui::TextBox* txtEname = nullptr;
  ui::TextBox* txtAppName = nullptr;

private:
  explicit frmAddExec(Velvane& app);
  Velvane& app_;
};

// The launcher met a name it does not know: asks whether to add it, the side bar hidden meanwhile, and on Yes opens
// the add dialog with the name.
void OfferNewExec(Velvane& app, const std::wstring& name, ui::Window* sideBar);

}  // namespace velvane
