#pragma once
// The first-run wizard's flow through its windows: the start (one wizard at a time), the language window or the
// fallback language, the pages, and the finish that hands over to the side bar.
#include <string>

namespace velvane::wizard {
struct Primewiz;

inline constexpr wchar_t kWizardMutexName[] = L"Primewiz_APPLICATION_MUTEX";

enum class WizardStart { Exit, Run };
// The entry's work: a second wizard, a first run already done (the side bar is started) or settings that cannot be
// read (said in a box) answer Exit; otherwise the first window is open and the message loop must run. programFolder
// overrides the executable's folder (tests).
WizardStart StartWizard(Primewiz& wiz, const std::wstring& programFolder = {});
// Writes [LANG] Active, then ShowFirstPage; false when it could not be written (said in a box): nothing happens then.
bool ChooseLanguage(Primewiz& wiz, const std::wstring& language);
// Loads the wizard's texts of the active language and shows page 1.
void ShowFirstPage(Primewiz& wiz);
// Marks the first run done, starts the side bar and ends the wizard. A mark that cannot be written is said in a box,
// and the wizard stays on its last page: the side bar would start it again.
void FinishWizard(Primewiz& wiz);

}  // namespace velvane::wizard
