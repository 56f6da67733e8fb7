#include "wizard/forms/wizard_flow.h"

#include "common/folders.h"
#include "common/numbers.h"
#include "common/setting_keys.h"
#include "platform/instance.h"
#include "platform/process.h"
#include "ui/forms.h"
#include "wizard/first_time.h"
#include "wizard/forms/frm_lang.h"
#include "wizard/forms/frm_main.h"

namespace velvane::wizard {
namespace {

std::intptr_t gWizardMutex = 0;

void StartSideBar() { platform::StartProgram(L"\"" + AppDir + L"velvane.exe\""); }

bool IsFirstWizard() {
  const platform::MutexOutcome outcome = platform::CreateOwnedMutex(kWizardMutexName);
  if (outcome.alreadyExists) {
    platform::CloseMutex(outcome.handle);
    return false;
  }
  gWizardMutex = outcome.handle;  // kept for the life of the process
  return true;
}

}  // namespace

WizardStart StartWizard(Primewiz& wiz, const std::wstring& programFolder) {
  if (!IsFirstWizard()) return WizardStart::Exit;  // another wizard runs: end silently
  if (programFolder.empty()) SetAppFolders();
  else SetAppFoldersFrom(programFolder);
  wiz.ImagesDir = AppDir + L"images\\";
  if (LeadingNumber(keys::kFirstTime.Text()) == 1) {
    StartSideBar();
    return WizardStart::Exit;
  }
  wiz.lang = clsLang([](const std::wstring& text, const std::wstring& title) { ui::MsgBox(text, ui::kMbExclamation, title); });
  // Without language options the choice would be impossible and every later start would land here again: the
  // default language is taken and the pages are shown. Without any language at all the active one stays as it is.
  if (!LangOptions().empty()) frmLang::Open(wiz);
  else if (const std::wstring fallback = FallbackLanguage(); !fallback.empty()) ChooseLanguage(wiz, fallback);
  else ShowFirstPage(wiz);
  return WizardStart::Run;
}

void ChooseLanguage(Primewiz& wiz, const std::wstring& language) {
  keys::kActiveLanguage.Write(language);
  ShowFirstPage(wiz);
}

void ShowFirstPage(Primewiz& wiz) {
  wiz.lang.LoadLanguage(wiz.lang.ActLang(), L"primewiz");
  frmMain& pages = frmMain::Open(wiz);
  wiz.CurrentPage = 1;
  pages.ShowPage(wiz.CurrentPage);
}

void FinishWizard(Primewiz& wiz) {
  keys::kFirstTime.Write(L"1");
  StartSideBar();
  wiz.CurrentPage = kPageCount + 1;
  if (frmMain* pages = frmMain::Current()) pages->Form().Close();
  ui::QuitApplication(0);
}

void ReleaseWizardLock() {
  if (gWizardMutex) platform::CloseMutex(gWizardMutex);
  gWizardMutex = 0;
}

}  // namespace velvane::wizard
