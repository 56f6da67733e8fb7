#pragma once
// The wizard's language window: the language options of config.qdt in a list, and OK.
#include <memory>
#include <string>
#include <vector>

#include "ui/forms.h"

namespace velvane::wizard {

class frmLang {
public:
  static frmLang& Open();  // creates and shows the one window
  static frmLang* Current();  // the open window, or nullptr

  frmLang(const frmLang&) = delete;
  frmLang& operator=(const frmLang&) = delete;

  ui::Window& Form() { return *window_; }
  void OnOk();

  ui::ListBox* lst = nullptr;
  ui::Button* cmd = nullptr;

private:
  frmLang();
  std::unique_ptr<ui::Window> window_;
  std::vector<std::wstring> options_;  // as listed, "display name|language name"
};

}  // namespace velvane::wizard
