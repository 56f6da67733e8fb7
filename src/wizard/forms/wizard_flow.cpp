#include "wizard/forms/wizard_flow.h"

#include "common/setting_keys.h"
#include "platform/files.h"
#include "platform/process.h"
#include "ui/forms.h"
#include "wizard/first_time.h"
#include "wizard/forms/frm_lang.h"
#include "wizard/forms/frm_main.h"

namespace velvane::wizard {
namespace {

void StartSideBar(const Primewiz& wiz) { platform::StartProgram(L"\"" + wiz.store.folders.AppDir + L"velvane.exe\""); }

constexpr wchar_t kSettingUnsaved[] = L"The setting could not be saved, so nothing has changed. Try again in a moment:";

// A setting the wizard writes: false when it could not be, which is said.
bool Write(Primewiz& wiz, const ProfileFile::Value& value) {
  const Outcome written = wiz.store.config.Set({value});
  if (!written)
    ui::MsgBox(wiz.lang.lReplace(L"_win:savefailed", kSettingUnsaved) + L"\r\n\r\n" + wiz.store.config.Path() + L"\r\n" + written.Reason(),
               ui::kMbExclamation, wiz.lang.lReplace(L"_title"));
  return static_cast<bool>(written);
}

}  // namespace

WizardStart StartWizard(Primewiz& wiz, const std::wstring& programFolder) {
  if (!wiz.instance.IsFirstInstance(kWizardMutexName)) return WizardStart::Exit;  // another wizard runs: end silently
  DataStore& store = wiz.store;
  store.Open(Folders::Of(programFolder.empty() ? platform::ExecutableFolder() : programFolder));
  wiz.ImagesDir = store.folders.AppDir + L"images\\";
  // Without the settings the wizard could not tell whether the first run is done, nor keep what it is told.
  if (!store.ReadAtStart({&store.config}, kSettingsReadTries).empty()) {
    ui::MsgBox(L"The set-up could not read Velvane's settings and ended. Start Velvane again once the file can be "
               L"read.\r\n\r\n" + store.config.Path() + L"\r\n" + store.config.Problem().Reason(),
               ui::kMbCritical, L"Velvane");
    return WizardStart::Exit;
  }
  if (Read(store.config, keys::kFirstTime) == 1) {
    StartSideBar(wiz);
    return WizardStart::Exit;
  }
  wiz.lang = clsLang(store, [](const std::wstring& text, const std::wstring& title) { ui::MsgBox(text, ui::kMbExclamation, title); });
  // Without language options the choice would be impossible and every later start would land here again: the
  // default language is taken and the pages are shown. Without any language at all the active one stays as it is.
  if (!LangOptions(store.config).empty()) frmLang::Open(wiz);
  else if (const std::wstring fallback = FallbackLanguage(wiz); !fallback.empty()) ChooseLanguage(wiz, fallback);
  else ShowFirstPage(wiz);
  return WizardStart::Run;
}

bool ChooseLanguage(Primewiz& wiz, const std::wstring& language) {
  if (!Write(wiz, keys::kActiveLanguage.Is(language))) return false;
  ShowFirstPage(wiz);
  return true;
}

void ShowFirstPage(Primewiz& wiz) {
  wiz.lang.LoadLanguage(wiz.lang.ActLang(), L"primewiz");
  frmMain& pages = frmMain::Open(wiz);
  wiz.CurrentPage = 1;
  pages.ShowPage(wiz.CurrentPage);
}

void FinishWizard(Primewiz& wiz) {
  if (!Write(wiz, keys::kFirstTime.Is(L"1"))) {
    wiz.CurrentPage = kPageCount;
    return;
  }
  StartSideBar(wiz);
  wiz.CurrentPage = kPageCount + 1;
  if (frmMain* pages = frmMain::Current()) pages->Form().Close();
  ui::QuitApplication(0);
}

}  // namespace velvane::wizard
