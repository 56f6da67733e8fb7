#pragma once
// The keys of config.qdt, each declared once with its section and name and the rule its text is read by: as text,
// as a flag (on exactly when its leading number is 1) or as a byte (its leading number rounded half to even; outside
// 0 to 255 it has no value). The settings model, the settings dialog, the start-up and the wizard reach config.qdt
// through these. A missing key reads as "", which every rule takes as its default: no text, off, 0.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"

namespace velvane {

struct SettingKey {
  std::wstring section;
  std::wstring key;

  SettingKey Numbered(int n) const { return {section, key + ToText(n)}; }  // Chk1, Op3, Txt0, ...
  SettingKey InSection(int n) const { return {section + ToText(n), key}; }  // KEYS1, KEYS2
  std::wstring Text() const;
  bool Flag() const;
  std::optional<std::uint8_t> Byte() const;
  void Write(const std::wstring& value) const;  // creates what is missing; a failed write is ignored
};

// A stored value that does not fit its setting: where it is ("[SS] Type", "skin.txt [TEXT1] Red") and its text.
struct SettingProblem {
  std::wstring where;
  std::wstring value;
};
// A byte setting's text: its value goes into the byte; out of range the byte keeps its value and the text is listed.
void TakeByte(const std::wstring& text, std::uint8_t& into, std::wstring where, std::vector<SettingProblem>& problems);

namespace keys {
inline const SettingKey kFirstTime{L"INIT", L"FirstTime"};  // text: the side bar runs once its number is not 0, the
                                                           // wizard ends when it is 1
inline const SettingKey kActiveLanguage{L"LANG", L"Active"};   // text
inline const SettingKey kDefaultLanguage{L"LANG", L"Def"};     // text
inline const SettingKey kLanguageCount{L"LANG", L"Options"};   // byte: how many options (see LangOptions)
inline const SettingKey kLanguageOption{L"LANG", L"Op"};       // numbered from 1, text: "display name|language name"
inline const SettingKey kOption{L"CHK", L"Chk"};               // numbered 1 to 5, flags: the options of OptChk
inline const SettingKey kScreenshotText{L"TXT", L"Txt"};       // numbered, text: 0 the name prefix, 1 the next number
inline const SettingKey kScreensFolder{L"PATH", L"Screens"};   // text
inline const SettingKey kDocumentsFolder{L"PATH", L"Default"};  // text
inline const SettingKey kScreenshotKind{L"SS", L"Type"};       // byte
inline const SettingKey kSkin{L"XTRA", L"Skin"};               // text
inline const SettingKey kHotKey{L"KEYS", L"Key"};  // sections 1 (show and hide) and 2 (screenshot), keys 0 and 1, bytes
}  // namespace keys

}  // namespace velvane
