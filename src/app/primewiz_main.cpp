// Primewiz.exe: the first-run wizard's entry point. It takes no arguments.
#include <windows.h>

#include "platform/win32/system_library.h"
#include "ui/forms.h"
#include "wizard/first_time.h"
#include "wizard/forms/wizard_flow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  velvane::platform::win32::LoadOnlySystemDlls();
  velvane::wizard::Primewiz wiz;  // lives as long as the process
  if (velvane::wizard::StartWizard(wiz) != velvane::wizard::WizardStart::Run) return 0;
  return velvane::ui::RunMessageLoop();
}
