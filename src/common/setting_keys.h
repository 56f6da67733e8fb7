#pragma once
// The keys of config.qdt, each declared once with its section, its name and its type, and the one rule each type is
// read by: a text as stored; a flag on exactly when its leading number is 1; a number its leading number; a byte its
// leading number rounded half to even, which must lie from 0 to 255. A byte out of range has no value: the setting
// keeps the one it had and is listed as a problem. A missing key reads as "", which every rule takes as its default:
// no text, off, 0. The settings model, the settings dialog, the start-up and the wizard reach config.qdt through these.
#include <cstdint>
#include <string>
#include <vector>

#include "common/data_store.h"
#include "common/text.h"

namespace velvane {

template <typename T>
struct Setting {
  std::wstring section;
  std::wstring key;

  Setting Numbered(int n) const { return {section, key + ToText(n)}; }   // Chk1, Op3, Txt0, ...
  Setting InSection(int n) const { return {section + ToText(n), key}; }  // KEYS1, KEYS2
  std::wstring Where() const { return L"[" + section + L"] " + key; }
  ProfileFile::Value Is(std::wstring value) const { return {section, key, std::move(value)}; }  // to be written
};

// A stored value that does not fit its setting: where it is ("[SS] Type", "skin.txt [TEXT1] Red") and its text.
struct SettingProblem {
  std::wstring where;
  std::wstring value;
};

// The byte rule on a text: its value goes into the byte; out of range the byte keeps its value and the text is listed.
void TakeByte(const std::wstring& text, std::uint8_t& into, std::wstring where, std::vector<SettingProblem>& problems);

// A setting without a range (text, flag, number) by the rule of its type.
std::wstring Read(ProfileFile& file, const Setting<std::wstring>& setting);
bool Read(ProfileFile& file, const Setting<bool>& setting);
double Read(ProfileFile& file, const Setting<double>& setting);
// A byte setting into `into`, by the byte rule.
void Read(ProfileFile& file, const Setting<std::uint8_t>& setting, std::uint8_t& into,
          std::vector<SettingProblem>& problems);

namespace keys {
inline const Setting<double> kFirstTime{L"INIT", L"FirstTime"};  // the side bar runs once it is not 0, the wizard
                                                                // ends when it is 1
inline const Setting<std::wstring> kActiveLanguage{L"LANG", L"Active"};
inline const Setting<std::wstring> kDefaultLanguage{L"LANG", L"Def"};
inline const Setting<std::uint8_t> kLanguageCount{L"LANG", L"Options"};  // how many options (see LangOptions)
inline const Setting<std::wstring> kLanguageOption{L"LANG", L"Op"};  // numbered from 1: "display name|language name"
inline const Setting<bool> kOption{L"CHK", L"Chk"};                  // numbered 1 to 5: the options of OptChk
inline const Setting<std::wstring> kScreenshotPrefix{L"TXT", L"Txt0"};
inline const Setting<std::wstring> kScreenshotNumber{L"TXT", L"Txt1"};  // the number of the next screenshot
inline const Setting<std::wstring> kScreensFolder{L"PATH", L"Screens"};
inline const Setting<std::wstring> kDocumentsFolder{L"PATH", L"Default"};
inline const Setting<std::uint8_t> kScreenshotKind{L"SS", L"Type"};
inline const Setting<std::wstring> kSkin{L"XTRA", L"Skin"};
// Sections 1 (show and hide) and 2 (screenshot), keys 0 and 1: the virtual-key codes of the hot keys.
inline const Setting<std::uint8_t> kHotKey{L"KEYS", L"Key"};
}  // namespace keys

}  // namespace velvane
