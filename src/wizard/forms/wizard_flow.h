#pragma once
// The first-run wizard's flow through its windows: the start (one wizard at a time), the language window or the
// fallback language, the pages, and the finish that hands over to the side bar.
#include <string>

namespace velvane::wizard {
struct Primewiz;

inline constexpr wchar_t kWizardMutexName[] = L"Primewiz_APPLICATION_MUTEX";

enum class WizardStart { Exit, Run };
// The entry's work: a second wizard, or a first run already done (the side bar is started), answers Exit; otherwise
// the first window is open and the message loop must run. programFolder overrides the executable's folder (tests).
WizardStart StartWizard(Primewiz& wiz, const std::wstring& programFolder = {});
// Writes [LANG] Active, then ShowFirstPage.
void ChooseLanguage(Primewiz& wiz, const std::wstring& language);
// Loads the wizard's texts of the active language and shows page 1.
void ShowFirstPage(Primewiz& wiz);
// Marks the first run done, starts the side bar and ends the wizard.
void FinishWizard(Primewiz& wiz);
void ReleaseWizardLock();

}  // namespace velvane::wizard
