#pragma once
// The settings window: the options, the screenshot settings, the hot keys, the skin and the language. Edits live in
// the controls until OK writes them to config.qdt and the side bar reloads; Cancel writes nothing. Modeless: the
// side bar stays usable. A single instance, created when shown and discarded when closed.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog_layout.h"

namespace velvane {
struct Velvane;

// frmCfg, the settings window.
class frmCfg : public ui::SingleDialog<frmCfg> {
public:
  // Shows the window with the current settings, creating it when none is open, and brings it forward. OK reloads
  // the settings into the side bar of the model given.
  static frmCfg& ShowDialog(Velvane& app);


  void OnAccept();  // cmd(0)
  void OnCancel();  // cmd(1)
  void OnEditFolder();  // cmd(4): the folder typed in an input box
  void OnFolderDropped(const std::vector<std::wstring>& files);  // dropped on lblPath

  ui::Image* imgTop = nullptr;
  ui::Image* imgDrop = nullptr;
  std::array<ui::Label*, 7> lbl{};
  std::array<ui::CheckBox*, 6> chk{};  // 0 start with Windows, 1 to 5 the options of OptChk
  std::array<ui::Button*, 6> cmd{};    // 0 OK, 1 cancel, 2 and 3 the hot keys, 4 edit the folder, 5 about
  std::array<ui::TextBox*, 2> txt{};   // 0 screenshot name prefix, 1 next screenshot number
  ui::Label* lblPath = nullptr;
  ui::ListBox* lstSkins = nullptr;
  ui::ListBox* lstLang = nullptr;

private:
  explicit frmCfg(Velvane& app);
  void CreateControls();
  void LoadValues();
  void LoadLanguages();
  void LoadSkins();
  void OnButton(int index);

  Velvane& app_;
  std::vector<std::wstring> langOptions_;  // the [LANG] options as read at load ("display name|folder")
};

// True while the settings window is loaded: the hot keys are ignored meanwhile.
bool SettingsOpen();

}  // namespace velvane
