#include "wizard/first_time.h"

#include "common/numbers.h"
#include "common/settings_store.h"
#include "common/text.h"
#include "platform/instance.h"
#include "platform/process.h"
#include "ui/forms.h"
#include "wizard/frm_lang.h"
#include "wizard/frm_main.h"

namespace velvane::wizard {

std::wstring ImagesDir;
std::unique_ptr<clsLang> gLang;
std::unique_ptr<cRegistry> gRegistry;
std::uint8_t CurrentPage = 0;
std::uint8_t FoundCount = 0;
std::array<ExecEntry, kMaxFound + 1> FoundEntries;

namespace {

std::intptr_t gWizardMutex = 0;

std::wstring ConfigFile() { return DataDir + L"config.qdt"; }
std::wstring ExecFile() { return DataDir + L"exec.qdt"; }

std::wstring TwoDigits(int n) { return (n < 10 ? L"0" : L"") + ToText(n); }

void StartSideBar() { platform::StartProgram(L"\"" + AppDir + L"velvane.exe\""); }

bool IsFirstWizard() {
  const platform::MutexOutcome outcome = platform::CreateOwnedMutex(kWizardMutexName);
  if (outcome.alreadyExists) {
    platform::CloseMutex(outcome.handle);
    return false;
  }
  gWizardMutex = outcome.handle;  // kept for the life of the process
  return true;
}

bool EndsWith(const std::wstring& text, std::wstring_view suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

PageLook PageFor(int page) {
  return {page == kPageCount ? 1 : page,
          L"_t:" + TwoDigits(page),
          L"_b:" + TwoDigits(page),
          page >= kPageCount ? L"_btn:finish" : L"_btn:next",
          page >= 2,
          page == 6};
}

std::vector<std::wstring> LangOptions() {
  // The count is rounded as a byte is, "0.7" giving 1; one that is not a number, or below 1 once rounded, offers
  // nothing; only 20 options fit the list.
  const double count = RoundHalfEven(LeadingNumber(ReadSetting(ConfigFile(), L"LANG", L"Options")));
  const int n = count < 1 ? 0 : count > kMaxLangOptions ? kMaxLangOptions : static_cast<int>(count);
  std::vector<std::wstring> options;
  for (int i = 1; i <= n; ++i) options.push_back(ReadSetting(ConfigFile(), L"LANG", L"Op" + ToText(i)));
  return options;
}

std::wstring OptionDisplayName(const std::wstring& option) { return TextBefore(option, L"|"); }
std::wstring OptionLanguage(const std::wstring& option) { return TextAfter(option, L"|"); }

std::wstring FallbackLanguage() {
  if (std::wstring def = ReadSetting(ConfigFile(), L"LANG", L"Def"); !def.empty()) return def;
  for (const std::wstring& name : ListFolder(LangDir + L"*"))
    if (!name.empty() && name != L"." && name != L".." && FileExists(LangDir + name + L"\\primewiz.txt")) return name;
  return {};
}

WizardStart StartWizard(const std::wstring& programFolder) {
  if (!IsFirstWizard()) return WizardStart::Exit;  // another wizard runs: end silently
  if (programFolder.empty()) SetAppFolders();
  else SetAppFoldersFrom(programFolder);
  ImagesDir = AppDir + L"images\\";
  if (LeadingNumber(ReadSetting(ConfigFile(), L"INIT", L"FirstTime")) == 1) {
    StartSideBar();
    return WizardStart::Exit;
  }
  gLang = std::make_unique<clsLang>(
      [](const std::wstring& text, const std::wstring& title) { ui::MsgBox(text, ui::kMbExclamation, title); });
  gRegistry = std::make_unique<cRegistry>();
  CurrentPage = 0;
  // Without language options the choice would be impossible and every later start would land here again: the
  // default language is taken and the pages are shown. Without any language at all the active one stays as it is.
  if (!LangOptions().empty()) frmLang::Open();
  else if (const std::wstring fallback = FallbackLanguage(); !fallback.empty()) ChooseLanguage(fallback);
  else ShowFirstPage();
  return WizardStart::Run;
}

void ChooseLanguage(const std::wstring& language) {
  WriteSetting(ConfigFile(), L"LANG", L"Active", language);
  ShowFirstPage();
}

void ShowFirstPage() {
  gLang->LoadLanguage(gLang->ActLang(), L"primewiz");
  frmMain& pages = frmMain::Open();
  CurrentPage = 1;
  pages.ShowPage(CurrentPage);
}

void FinishWizard() {
  WriteSetting(ConfigFile(), L"INIT", L"FirstTime", L"1");
  StartSideBar();
  CurrentPage = kPageCount + 1;
  if (frmMain* pages = frmMain::Current()) pages->Form().Close();
  ui::QuitApplication(0);
}

void ReleaseWizardLock() {
  if (gWizardMutex) platform::CloseMutex(gWizardMutex);
  gWizardMutex = 0;
}

void SearchPrograms() {
  WriteTextFile(ExecFile(), L"");  // whatever the list held is gone, also when nothing is found
  FindPrograms();
  WriteSetting(ExecFile(), L"INIT", L"Total", ToText(FoundCount));
  for (int i = 1; i <= FoundCount; ++i) {
    const std::wstring section = L"E" + ToText(i);
    WriteSetting(ExecFile(), section, L"Name", FoundEntries[i].Name);
    WriteSetting(ExecFile(), section, L"Exec", FoundEntries[i].Exec);
    WriteSetting(ExecFile(), section, L"Path", FoundEntries[i].Path);
  }
}

void FindPrograms() {
  FoundCount = 0;
  FoundEntries.fill({});
  cRegistry& reg = *gRegistry;
  reg.ClassKey = static_cast<std::int32_t>(platform::kRegCurrentUser);
  reg.SectionKey = kMuiCacheKey;
  // Current Windows versions keep the cache elsewhere, each program's display name under its path and a suffix.
  const bool current = !reg.KeyExists();
  if (current) reg.SectionKey = kMuiCacheCurrentKey;
  std::vector<std::wstring> names;
  std::int32_t count = 0;
  reg.EnumerateValues(names, count);
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::wstring& name = names[static_cast<size_t>(i)];
    if (current && !EndsWith(name, kFriendlyNameSuffix)) continue;
    const std::wstring path = current ? name.substr(0, name.size() - std::wstring_view(kFriendlyNameSuffix).size())
                                      : name;
    // A drive letter and ":" first: resource names ("@..."), network paths and bare names are no programs.
    if (path.size() < 2 || path[1] != L':') continue;
    if (FoundCount == kMaxFound) break;  // the count and the table end here
    ExecEntry& entry = FoundEntries[++FoundCount];
    entry.Path = path;
    reg.ValueKey = name;
    entry.Name = RegText(reg.Value());
    entry.Exec = FileBaseName(path, false);
  }
}

std::wstring SearchDoneText() {
  return ReplaceAll(gLang->lReplace(L"_win:searchdone"), L"%n", ToText(FoundCount));
}

}  // namespace velvane::wizard
