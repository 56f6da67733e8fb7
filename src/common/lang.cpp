#include "common/lang.h"

#include <algorithm>

#include "common/data_store.h"
#include "common/setting_keys.h"
#include "common/text.h"
#include "common/text_files.h"

namespace velvane {
namespace {

constexpr wchar_t kLineBreakMark[] = L"|R|";

}  // namespace

std::wstring clsLang::ActLang() const { return Read(store_->config, keys::kActiveLanguage); }
std::wstring clsLang::DefLang() const { return Read(store_->config, keys::kDefaultLanguage); }

void clsLang::LoadLanguage(const std::wstring& langName, const std::wstring& file) {
  const std::wstring& langDir = store_->folders.LangDir;
  std::wstring path = langDir + langName + L"\\" + file + L".txt";
  if (!FileExists(path)) path = langDir + DefLang() + L"\\" + file + L".txt";
  if (!FileExists(path)) {
    if (showMessage_)
      showMessage_(L"Error opening the languaje file: " + langName + L"\\" + file +
                       L". Default file couldn't be loaded either.",
                   L"Error");
    return;
  }
  // A file that cannot be read loads as an empty one. A table is loaded once per program; should it be loaded
  // again, a full table takes no more entries.
  const std::vector<std::wstring> lines = SplitLines(ReadStoredText(path).value_or(L""));
  for (size_t n = 0; n < lines.size() && n < kMaxLines && entries_.size() < kMaxEntries; ++n) {
    const std::wstring& line = lines[n];
    if (line == L"[END]") break;
    // Keys and texts are taken as written: blanks around "=" belong to them.
    if (line.find(L'=') != std::wstring::npos) entries_.emplace_back(TextBefore(line, L"="), TextAfter(line, L"="));
  }
}

std::vector<std::wstring> LangOptions(ProfileFile& config) {
  std::uint8_t count = 0;
  std::vector<SettingProblem> outOfRange;  // none offered then
  Read(config, keys::kLanguageCount, count, outOfRange);
  std::vector<std::wstring> options;
  for (int i = 1; i <= std::min<int>(count, kMaxLangOptions); ++i)
    options.push_back(Read(config, keys::kLanguageOption.Numbered(i)));
  return options;
}

std::wstring OptionDisplayName(const std::wstring& option) { return TextBefore(option, L"|"); }
std::wstring OptionLanguage(const std::wstring& option) { return TextAfter(option, L"|"); }

std::wstring clsLang::lReplace(const std::wstring& code) const {
  std::wstring text = code;
  for (const auto& [key, replacement] : entries_) {
    text = ReplaceAll(text, key, replacement);
    text = ReplaceAll(text, kLineBreakMark, L"\r");
  }
  return text;
}

std::wstring clsLang::lReplace(const std::wstring& key, const wchar_t* english) const {
  std::wstring text = lReplace(key);
  return text == key ? english : text;
}

}  // namespace velvane
