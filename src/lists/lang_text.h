#pragma once
// Texts of the lists and their dialogs come from the language table; without one the key itself shows.
#include <string>

#include "core/services.h"

namespace velvane::lists {

inline std::wstring LangText(const std::wstring& key) { return gLang ? gLang->lReplace(key) : key; }

}  // namespace velvane::lists
