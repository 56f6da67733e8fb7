#pragma once
// The stand-in for the first-run wizard: this test executable, copied under the wizard's name.
#include "blackbox/harness.h"

namespace blackbox {

inline constexpr wchar_t kWizardProgram[] = L"Primewiz.exe";
// Written beside the stand-in when it runs; holds its command line.
inline constexpr wchar_t kWizardNote[] = L"wizard-started.txt";

}  // namespace blackbox
