#pragma once
// The language table: key and text pairs loaded once from the active language's file, and the replacement of keys
// by texts in captions and messages.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velvane {
struct DataStore;
class ProfileFile;

class clsLang {
public:
  static constexpr int kMaxEntries = 100;
  static constexpr int kMaxLines = 255;

  // Shows the failure message (exclamation icon, OK button, title "Error"); the forms layer supplies it.
  using MessageSink = std::function<void(const std::wstring& text, const std::wstring& title)>;
  // The language folders and config.qdt are the store's.
  explicit clsLang(DataStore& store, MessageSink showMessage = {}) : store_(&store), showMessage_(std::move(showMessage)) {}

  std::wstring ActLang() const;  // [LANG] Active of config.qdt, read at every call
  std::wstring DefLang() const;  // [LANG] Def, read at every call

  void LoadLanguage(const std::wstring& langName, const std::wstring& file);
  std::wstring lReplace(const std::wstring& code) const;
  // The text of one key, or the English words given when the language file is older than the key.
  std::wstring lReplace(const std::wstring& key, const wchar_t* english) const;

  std::uint8_t Count() const { return static_cast<std::uint8_t>(entries_.size()); }
  const std::pair<std::wstring, std::wstring>& Entry(int i) const { return entries_.at(static_cast<size_t>(i)); }

private:
  DataStore* store_;
  std::vector<std::pair<std::wstring, std::wstring>> entries_;  // key and text, in the file's order
  MessageSink showMessage_;
};

// The language options of [LANG], each "display name|language name", for the settings dialog and the wizard: Options
// of them (its value rounded to a whole number; none outside a byte's range), the first 20 at most.
inline constexpr int kMaxLangOptions = 20;
std::vector<std::wstring> LangOptions(ProfileFile& config);
std::wstring OptionDisplayName(const std::wstring& option);  // the text before the first "|"
std::wstring OptionLanguage(const std::wstring& option);     // the text after it

}  // namespace velvane
