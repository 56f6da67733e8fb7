#include "core/config.h"

#include "common/numbers.h"
#include "common/settings_store.h"
#include "core/notes.h"
#include "core/services.h"
#include "core/visibility.h"
#include "sidebar/frm_main.h"

namespace velvane {

std::array<bool, 6> OptChk{};
std::array<std::wstring, 2> OptTxt{};
std::wstring ScreensDir;
std::wstring DefaultDir;
std::wstring SkinName;
std::uint8_t ScreenshotType = 0;
std::array<KeyPair, 3> HotKeys{};
std::array<ui::Color, 3> TextColors{};
std::array<ui::Color, 2> BoxColors{};
ui::Color BackColor{};

std::wstring ConfigFile() { return DataDir + L"config.qdt"; }
std::wstring SkinFolder() { return SkinDir + SkinName; }

namespace {

std::wstring Config(const std::wstring& section, const std::wstring& key) { return ReadSetting(ConfigFile(), section, key); }

ui::Color ReadSkinColor(const std::wstring& skinFile, const std::wstring& section) {
  return {ByteValue(ReadSetting(skinFile, section, L"Red")), ByteValue(ReadSetting(skinFile, section, L"Green")),
          ByteValue(ReadSetting(skinFile, section, L"Blue"))};
}

std::wstring Numbered(const wchar_t* name, int n) { return name + std::to_wstring(n); }

}  // namespace

void LoadConfig(bool loadWindow) {
  for (int i = 1; i <= 5; ++i) OptChk[static_cast<size_t>(i)] = LeadingNumber(Config(L"CHK", Numbered(L"Chk", i))) == 1.0;
  for (int i = 0; i <= 1; ++i) OptTxt[static_cast<size_t>(i)] = Config(L"TXT", Numbered(L"Txt", i));
  ScreensDir = Config(L"PATH", L"Screens");
  DefaultDir = Config(L"PATH", L"Default");
  if (ScreensDir.empty() || ScreensDir.back() != L'\\') ScreensDir += L'\\';
  ScreenshotType = ByteValue(Config(L"SS", L"Type"));
  SkinName = Config(L"XTRA", L"Skin");

  const std::wstring skinFile = SkinFolder() + L"\\skin.txt";
  for (int i = 0; i <= 2; ++i) TextColors[static_cast<size_t>(i)] = ReadSkinColor(skinFile, Numbered(L"TEXT", i));
  for (int i = 0; i <= 1; ++i) BoxColors[static_cast<size_t>(i)] = ReadSkinColor(skinFile, Numbered(L"BOXBACK", i));
  BackColor = ReadSkinColor(skinFile, L"BACKGROUND");

  if (loadWindow) MainForm();
  SetScreenshotType(ScreenshotType);
  // With fading on, the window starts fully transparent so that the first fade-in starts from nothing.
  SetWindowAlpha(MainForm().Window(), OptChk[kOptFade] ? 0 : 255);
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

void SaveAll() {
  SaveNotes(false);
  if (gToDo) gToDo->SaveList(false);
  if (gTempFiles) gTempFiles->SaveList(false);
  WriteSetting(ConfigFile(), L"SS", L"Type", std::to_wstring(ScreenshotType));
}

void SetScreenshotType(std::uint8_t kind) {
  ScreenshotType = kind;
  ui::Image& icon = MainForm().imgSS();
  try {
    icon.LoadPicture(SkinFolder() + L"\\ss_" + std::to_wstring(kind) + L".bmp");
  } catch (...) {
    icon.ClearPicture();
  }
}

}  // namespace velvane
