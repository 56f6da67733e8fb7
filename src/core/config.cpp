#include "core/config.h"

#include "common/message_box.h"
#include "common/numbers.h"
#include "common/settings_store.h"
#include "common/text.h"
#include "core/notes.h"
#include "core/services.h"
#include "core/side_bar_view.h"

namespace velvane {

std::array<bool, 6> OptChk{};
std::array<std::wstring, 2> OptTxt{};
std::wstring ScreensDir;
std::wstring DefaultDir;
std::wstring SkinName;
std::uint8_t ScreenshotType = 0;
std::array<KeyPair, 3> HotKeys{};
std::array<Color, 3> TextColors{};
std::array<Color, 2> BoxColors{};
Color BackColor{};

std::wstring SkinFolder() { return SkinDir + SkinName; }

namespace {

std::wstring Config(const std::wstring& section, const std::wstring& key) { return ReadSetting(ConfigFile(), section, key); }

std::wstring Numbered(const wchar_t* name, int n) { return name + std::to_wstring(n); }

// Byte settings: a value out of range leaves the setting as it was and is noted.
class ByteReader {
public:
  void Read(const std::wstring& file, const std::wstring& label, const std::wstring& section, const std::wstring& key,
            std::uint8_t& into) {
    const std::wstring text = ReadSetting(file, section, key);
    const double value = RoundHalfEven(LeadingNumber(text));
    if (value >= 0 && value <= 255) into = static_cast<std::uint8_t>(value);
    else problems_.push_back({label + L"[" + section + L"] " + key, text});
  }
  void ReadColor(const std::wstring& skinFile, const std::wstring& section, Color& into) {
    Read(skinFile, L"skin.txt ", section, L"Red", into.r);
    Read(skinFile, L"skin.txt ", section, L"Green", into.g);
    Read(skinFile, L"skin.txt ", section, L"Blue", into.b);
  }
  std::vector<SettingProblem> problems_;
};

}  // namespace

std::vector<SettingProblem> LoadConfig() {
  for (int i = 1; i <= 5; ++i) OptChk[static_cast<size_t>(i)] = LeadingNumber(Config(L"CHK", Numbered(L"Chk", i))) == 1.0;
  for (int i = 0; i <= 1; ++i) OptTxt[static_cast<size_t>(i)] = Config(L"TXT", Numbered(L"Txt", i));
  ScreensDir = Config(L"PATH", L"Screens");
  DefaultDir = Config(L"PATH", L"Default");
  if (ScreensDir.empty() || ScreensDir.back() != L'\\') ScreensDir += L'\\';
  ByteReader bytes;
  bytes.Read(ConfigFile(), L"", L"SS", L"Type", ScreenshotType);
  SkinName = Config(L"XTRA", L"Skin");

  const std::wstring skinFile = SkinFolder() + L"\\skin.txt";
  for (int i = 0; i <= 2; ++i) bytes.ReadColor(skinFile, Numbered(L"TEXT", i), TextColors[static_cast<size_t>(i)]);
  for (int i = 0; i <= 1; ++i) bytes.ReadColor(skinFile, Numbered(L"BOXBACK", i), BoxColors[static_cast<size_t>(i)]);
  bytes.ReadColor(skinFile, L"BACKGROUND", BackColor);
  return std::move(bytes.problems_);
}

std::vector<SettingProblem> ReloadSettings(SideBarView& bar) {
  std::vector<SettingProblem> problems = LoadConfig();
  SetScreenshotType(bar, ScreenshotType);
  // With fading on, the window starts fully transparent so that the first fade-in starts from nothing.
  bar.SetAlpha(OptChk[kOptFade] ? 0 : 255);
  return problems;
}

void LoadHotKeys() {
  for (int pair = 1; pair <= 2; ++pair) {
    const std::wstring section = Numbered(L"KEYS", pair);
    HotKeys[static_cast<size_t>(pair)].key0 = ByteValue(Config(section, L"Key0"));
    HotKeys[static_cast<size_t>(pair)].key1 = ByteValue(Config(section, L"Key1"));
  }
}

void SaveHotKeys() {
  for (int pair = 1; pair <= 2; ++pair) {
    const std::wstring section = Numbered(L"KEYS", pair);
    WriteSetting(ConfigFile(), section, L"Key0", std::to_wstring(HotKeys[static_cast<size_t>(pair)].key0));
    WriteSetting(ConfigFile(), section, L"Key1", std::to_wstring(HotKeys[static_cast<size_t>(pair)].key1));
  }
}

bool SaveAll(SideBarView& bar) {
  std::wstring failed;
  const auto note = [&failed](const Outcome& saved, const std::wstring& file) {
    if (!saved) failed += L"\r\n" + file;
  };
  note(SaveNotes(bar.NotesText()), NotesFile());
  if (gToDo) note(gToDo->SaveList(), clsToDo::FilePath());
  if (gTempFiles) note(gTempFiles->SaveList(), clsTempFiles::ShelfFile());
  WriteSetting(ConfigFile(), L"SS", L"Type", std::to_wstring(ScreenshotType));
  if (failed.empty()) return true;
  bar.Message(LangText(L"_save:failed") + L"\r\n" + failed, kMbExclamation, LangText(L"_main:title"));
  return false;
}

void SetScreenshotType(SideBarView& bar, std::uint8_t kind) {
  ScreenshotType = kind;
  bar.ShowScreenshotKind(kind);
}

}  // namespace velvane
