#include "common/lang.h"

#include <algorithm>

#include "common/folders.h"
#include "common/setting_keys.h"
#include "common/text.h"
#include "common/text_files.h"

namespace velvane {
namespace {

constexpr wchar_t kLineBreakMark[] = L"|R|";

}  // namespace

std::wstring clsLang::ActLang() const { return keys::kActiveLanguage.Text(); }
std::wstring clsLang::DefLang() const { return keys::kDefaultLanguage.Text(); }

void clsLang::LoadLanguage(const std::wstring& langName, const std::wstring& file) {
  std::wstring path = LangDir + langName + L"\\" + file + L".txt";
  if (!FileExists(path)) path = LangDir + DefLang() + L"\\" + file + L".txt";
  if (!FileExists(path)) {
    if (showMessage_)
      showMessage_(L"Error opening the languaje file: " + langName + L"\\" + file +
                       L". Default file couldn't be loaded either.",
                   L"Error");
    return;
  }
  try {
    // A table is loaded once per program; should it be loaded again, a full table takes no more entries.
    for (int n = 1; n <= kMaxLines && count_ < kMaxEntries; ++n) {
      const std::wstring line = ReadFileLine(path, n);
      if (line == L"[END]") break;
      if (line.find(L'=') == std::wstring::npos) continue;
      ++count_;
      // Keys and texts are taken as written: blanks around "=" belong to them.
      entries_[count_] = {TextBefore(line, L"="), TextAfter(line, L"=")};
      if (count_ == kMaxEntries) break;
    }
  } catch (...) {
    // A read failure ends the load quietly; what was read stays.
  }
}

std::vector<std::wstring> LangOptions() {
  const int n = std::min<int>(keys::kLanguageCount.Byte().value_or(0), kMaxLangOptions);
  std::vector<std::wstring> options;
  for (int i = 1; i <= n; ++i) options.push_back(keys::kLanguageOption.Numbered(i).Text());
  return options;
}

std::wstring OptionDisplayName(const std::wstring& option) { return TextBefore(option, L"|"); }
std::wstring OptionLanguage(const std::wstring& option) { return TextAfter(option, L"|"); }

std::wstring clsLang::lReplace(const std::wstring& code) const {
  std::wstring text = code;
  for (int i = 1; i <= count_; ++i) {
    text = ReplaceAll(text, entries_[static_cast<size_t>(i)].first, entries_[static_cast<size_t>(i)].second);
    text = ReplaceAll(text, kLineBreakMark, L"\r");
  }
  return text;
}

}  // namespace velvane
