#pragma once
// The wizard's language window: the language options of config.qdt in a list, and OK.
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog_layout.h"

namespace velvane::wizard {
struct Primewiz;

class frmLang : public ui::SingleDialog<frmLang> {
public:
  static frmLang& Open(Primewiz& wiz);  // creates and shows the one window


  void OnOk();

  ui::ListBox* lst = nullptr;
  ui::Button* cmd = nullptr;

private:
  explicit frmLang(Primewiz& wiz);
  Primewiz& wiz_;
  std::vector<std::wstring> options_;  // as listed, "display name|language name"
};

}  // namespace velvane::wizard
