#include "dialogs/frm_cfg.h"

#include "common/setting_keys.h"
#include "common/text.h"
#include "common/text_files.h"
#include "core/autostart.h"
#include "core/velvane.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_key_press.h"
#include "dialogs/dialog_look.h"

namespace velvane {
namespace {

using ui::Twips;

constexpr int kWidthTwips = 6315;
constexpr int kHeightTwips = 7275;

}  // namespace

frmCfg::frmCfg(Velvane& app)
    : SingleDialog(ui::DialogSpec(app, L"_cfg:title", kWidthTwips, kHeightTwips, ui::kSmallPoints)), app_(app) {
  CreateControls();
  LoadValues();
  window_->CenterOnScreen();
}

void frmCfg::CreateControls() {
  ui::Window& w = *window_;
  const auto label = [&](int i, ui::Rect at, const wchar_t* key) {
    lbl[static_cast<size_t>(i)] = &ui::AddCaptionLabel(app_, w, i, at, key, i == 0 ? ui::kTitlePoints : ui::kSmallPoints);
    lbl[static_cast<size_t>(i)]->SetAutoSize(true);  // no caption is cut off, in any language
  };
  const auto check = [&](int i, const wchar_t* key) {
    ui::CheckBox& box = w.AddCheckBox(L"chk(" + std::to_wstring(i) + L")", Twips(60, 1020 + 360 * i, 4035, 255),
                                      app_.LangText(key));
    box.SetForeColor(app_.settings.TextColors[0]);
    box.SetBackColor(app_.settings.BackColor);
    chk[static_cast<size_t>(i)] = &box;
  };
  const auto button = [&](int i, ui::Rect at, const wchar_t* key) {
    cmd[static_cast<size_t>(i)] = &ui::AddCaptionButton(app_, w, i, at, key);
    cmd[static_cast<size_t>(i)]->onClick = [this, i] { OnButton(i); };
  };
  const auto textBox = [&](int i, ui::Rect at) {
    txt[static_cast<size_t>(i)] = &w.AddTextBox(L"txt(" + std::to_wstring(i) + L")", at);
    txt[static_cast<size_t>(i)]->SetFont(ui::FontOf(ui::kSmallPoints));
  };
  const auto list = [&](const wchar_t* name, ui::Rect at) {
    ui::ListBox& box = w.AddListBox(name, at);
    box.SetFont(ui::FontOf(ui::kSmallPoints));
    return &box;
  };

  // Created in tab order, down the left column, then the lists, then the buttons at the bottom.
  imgTop = &ui::AddTopBar(app_, w);
  label(0, Twips(180, 60, 1245, 330), L"_cfg:title");
  check(0, L"_cfg:winstart");
  check(1, L"_cfg:doanim");
  check(2, L"_cfg:save2do");
  check(3, L"_cfg:savenotes");
  check(4, L"_cfg:savetempfiles");
  check(5, L"_cfg:alwaysontop");
  button(2, Twips(60, 3180, 4035, 315), L"_cfg:showkeys");
  label(1, Twips(60, 3840, 1080, 225), L"_cfg:screen");
  button(3, Twips(60, 4200, 4035, 315), L"_cfg:skeys");
  label(2, Twips(60, 4620, 975, 210), L"_cfg:sfolder");
  // The drop picture lies under the folder's path, which is drawn over it.
  imgDrop = &w.AddImage(L"imgDrop", Twips(1140, 4800, 1800, 1110));
  ui::LoadSkinPicture(app_, *imgDrop, L"drophere.bmp");
  lblPath = &w.AddLabel(L"lblPath", Twips(60, 4860, 3975, 1035));
  lblPath->SetFont(ui::FontOf(ui::kSmallPoints));
  lblPath->SetForeColor(app_.settings.TextColors[0]);
  lblPath->SetAcceptFiles(true);
  lblPath->onFilesDropped = [this](const std::vector<std::wstring>& files) { OnFolderDropped(files); };
  button(4, Twips(3000, 5580, 1095, 315), L"_btn:edit");
  label(3, Twips(60, 6060, 990, 210), L"_cfg:sfname");
  textBox(0, Twips(2460, 6000, 1635, 255));
  label(4, Twips(60, 6360, 900, 210), L"_cfg:sfnum");
  textBox(1, Twips(3480, 6360, 615, 255));
  label(5, Twips(4260, 960, 825, 225), L"_cfg:skin");
  lstSkins = list(L"lstSkins", Twips(4260, 1320, 1995, 1110));
  label(6, Twips(4260, 2580, 825, 225), L"_cfg:lang");
  lstLang = list(L"lstLang", Twips(4260, 2940, 1995, 1110));
  button(5, Twips(60, 6900, 1335, 315), L"_btn:about");
  button(1, Twips(1440, 6900, 1335, 315), L"_btn:cancel");
  button(0, Twips(2820, 6900, 1275, 315), L"_btn:accept");
}

void frmCfg::LoadValues() {
  for (size_t i = 0; i < kOptionCount; ++i) chk[i + 1]->SetValue(app_.settings.OptChk[i]);
  txt[0]->SetText(app_.settings.ScreenshotPrefix);
  txt[1]->SetText(app_.settings.ScreenshotNumber);
  LoadLanguages();
  LoadSkins();
  lblPath->SetText(app_.settings.ScreensDir);
  chk[0]->SetValue(StartsWithWindows());
}

void frmCfg::LoadLanguages() {
  // Without any option (none stored, or not a number) the list stays empty and OK keeps the active language.
  langOptions_ = LangOptions(app_.store.config);
  const std::wstring active = Read(app_.store.config, keys::kActiveLanguage);
  lstLang->Clear();
  for (const std::wstring& option : langOptions_) {
    lstLang->AddItem(OptionDisplayName(option));
    if (OptionLanguage(option) == active) lstLang->SetListIndex(lstLang->ItemCount() - 1);
  }
}

void frmCfg::LoadSkins() {
  // "." and ".." are not always the first names of a listing; every other name, file or folder, is offered.
  for (const std::wstring& name : ListFolder(app_.store.folders.SkinDir)) {
    if (name.empty() || name == L"." || name == L"..") continue;
    lstSkins->AddItem(name);
    if (name == app_.settings.SkinName) lstSkins->SetListIndex(lstSkins->ItemCount() - 1);
  }
}

frmCfg& frmCfg::ShowDialog(Velvane& app) {
  return Show([&app] { return std::unique_ptr<frmCfg>(new frmCfg(app)); });
}

bool SettingsOpen() { return frmCfg::Current() != nullptr; }

void frmCfg::OnButton(int index) {
  switch (index) {
    case 0: OnAccept(); break;
    case 1: OnCancel(); break;
    // The capture and the about box open beside this window (PlaceBeside tells why).
    case 2: frmKeyPress::ShowDialog(app_, 1, window_.get()); break;
    case 3: frmKeyPress::ShowDialog(app_, 2, window_.get()); break;
    case 4: OnEditFolder(); break;
    case 5: frmAbout::ShowDialog(app_, window_.get()); break;
    default: break;
  }
}

void frmCfg::OnAccept() {
  SetAutostart(chk[0]->Value());
  if (chk[0]->Value()) ApproveAutostart();
  std::vector<ProfileFile::Value> values;
  for (int i = 1; i <= kOptionCount; ++i)
    values.push_back(keys::kOption.Numbered(i).Is(chk[static_cast<size_t>(i)]->Value() ? L"1" : L"0"));
  values.push_back(keys::kScreenshotPrefix.Is(txt[0]->Text()));
  values.push_back(keys::kScreenshotNumber.Is(txt[1]->Text()));
  values.push_back(keys::kScreensFolder.Is(lblPath->Text()));
  // An empty language list offered nothing to choose: the active language stays. With options, no selection writes
  // the empty text.
  if (const int row = lstLang->ListIndex(); lstLang->ItemCount() > 0)
    values.push_back(keys::kActiveLanguage.Is(row >= 0 ? OptionLanguage(langOptions_[static_cast<size_t>(row)]) : L""));
  // An empty skin would leave the next start without its pictures: without a selection the skin stays.
  if (lstSkins->ListIndex() >= 0) values.push_back(keys::kSkin.Is(lstSkins->Item(lstSkins->ListIndex())));
  // The hot keys, possibly captured anew while the window was open.
  for (ProfileFile::Value& keys : app_.settings.HotKeyValues()) values.push_back(std::move(keys));
  if (Outcome saved = app_.store.config.Set(values); !saved) {
    // Nothing was written and nothing reverts: the window stays with the choices made, and OK tries again.
    ui::MsgBox(FileProblemsText(app_, messages::kSettingsUnsaved, {{app_.store.config, std::move(saved)}}), ui::kMbExclamation,
               app_.LangText(L"_cfg:title"));
    return;
  }
  const std::vector<SettingProblem> problems = ReloadSettings(app_);
  window_->Close();
  // A value out of range keeps its last good value; the user learns which one and what it held.
  if (problems.empty()) return;
  std::wstring text = app_.LangText(L"_cfg:badvalue");
  for (const SettingProblem& p : problems) text += L"\r\n" + p.where + L" = " + p.value;
  ui::MsgBox(text, ui::kMbExclamation, app_.LangText(L"_cfg:title"));
}

void frmCfg::OnCancel() { window_->Close(); }

void frmCfg::OnEditFolder() {
  const auto folder = ui::InputBox(app_.LangText(L"_cfg:winedit"), window_->Caption(), lblPath->Text());
  if (folder && !folder->empty()) lblPath->SetText(*folder);
}

void frmCfg::OnFolderDropped(const std::vector<std::wstring>& files) {
  if (files.empty() || files.front().empty()) return;
  const std::wstring& path = files.front();
  if (FolderExists(path) && !FileExists(path))
    lblPath->SetText(path);
  else
    ui::MsgBox(app_.LangText(L"_cfg:winnotafolder"), ui::kMbOk | ui::kMbExclamation, window_->Caption());
}

}  // namespace velvane
