#pragma once
// The language table: key and text pairs loaded once from the active language's file, and the replacement of keys
// by texts in captions and messages.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velvane {

class clsLang {
public:
  static constexpr int kMaxEntries = 100;
  static constexpr int kMaxLines = 255;

  // Shows the failure message (exclamation icon, OK button, title "Error"); the forms layer supplies it.
  using MessageSink = std::function<void(const std::wstring& text, const std::wstring& title)>;
  explicit clsLang(MessageSink showMessage = {}) : showMessage_(std::move(showMessage)) {}

  std::wstring ActLang() const;  // [LANG] Active of config.qdt, read at every call
  std::wstring DefLang() const;  // [LANG] Def, read at every call

  void LoadLanguage(const std::wstring& langName, const std::wstring& file);
  std::wstring lReplace(const std::wstring& code) const;

  std::uint8_t Count() const { return count_; }
  const std::pair<std::wstring, std::wstring>& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }

private:
  std::array<std::pair<std::wstring, std::wstring>, kMaxEntries + 1> entries_{};  // slot 0 unused
  std::uint8_t count_ = 0;
  MessageSink showMessage_;
};

// The language options of [LANG], each "display name|language name", for the settings dialog and the wizard: Options
// of them (its value rounded to a whole number; none outside a byte's range), the first 20 at most.
inline constexpr int kMaxLangOptions = 20;
std::vector<std::wstring> LangOptions();
std::wstring OptionDisplayName(const std::wstring& option);  // the text before the first "|"
std::wstring OptionLanguage(const std::wstring& option);     // the text after it

}  // namespace velvane
