// Primewiz.exe: the first-run wizard's entry point. It takes no arguments.
#include <windows.h>

#include "ui/forms.h"
#include "wizard/forms/wizard_flow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (velvane::wizard::StartWizard() != velvane::wizard::WizardStart::Run) return 0;
  return velvane::ui::RunMessageLoop();
}
