#pragma once
// The first-run wizard's module: its start, its state, the page table, the language choice, the program search and
// the finish that hands over to the side bar.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/lang.h"
#include "wizard/c_registry.h"

namespace velvane::wizard {

inline constexpr wchar_t kWizardMutexName[] = L"Primewiz_APPLICATION_MUTEX";
inline constexpr int kPageCount = 9;
inline constexpr int kMaxLangOptions = 20;
inline constexpr int kMaxFound = 255;
// Where the shell keeps the display names of the programs a user started: the older place first, then the one of
// current Windows versions, whose value names are a path followed by a suffix.
inline constexpr wchar_t kMuiCacheKey[] = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
inline constexpr wchar_t kMuiCacheCurrentKey[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
inline constexpr wchar_t kFriendlyNameSuffix[] = L".FriendlyAppName";

extern std::wstring ImagesDir;  // AppDir & "images\"

// One launcher entry found by the search.
struct ExecEntry {
  std::wstring Exec;  // short name
  std::wstring Name;  // display name
  std::wstring Path;
};

// The process's state.
extern std::unique_ptr<clsLang> gLang;
extern std::unique_ptr<cRegistry> gRegistry;
extern std::uint8_t CurrentPage;  // 0 until a language is chosen, then 1 to 9
extern std::uint8_t FoundCount;
extern std::array<ExecEntry, kMaxFound + 1> FoundEntries;  // slot 0 unused

// What page p shows.
struct PageLook {
  int picture;                 // the number of images\t<n>.bmp
  std::wstring titleKey, bodyKey, nextKey;
  bool previousEnabled;
  bool searchVisible;
};
PageLook PageFor(int page);

// The language options of [LANG]: Options of them, at most 20, each "display name|language name".
std::vector<std::wstring> LangOptions();
std::wstring OptionDisplayName(const std::wstring& option);
std::wstring OptionLanguage(const std::wstring& option);
// The language used when config.qdt offers none: [LANG] Def, else the first language folder with the wizard's texts.
std::wstring FallbackLanguage();

enum class WizardStart { Exit, Run };
// The entry's work: a second wizard, or a first run already done (the side bar is started), answers Exit; otherwise
// the first window is open and the message loop must run. programFolder overrides the executable's folder (tests).
WizardStart StartWizard(const std::wstring& programFolder = {});
// Writes [LANG] Active, then ShowFirstPage.
void ChooseLanguage(const std::wstring& language);
// Loads the wizard's texts of the active language and shows page 1.
void ShowFirstPage();
// Marks the first run done, starts the side bar and ends the wizard.
void FinishWizard();
void ReleaseWizardLock();

// Rebuilds exec.qdt from the shell's cache of program names; sets FoundCount and FoundEntries.
void SearchPrograms();
// The search's registry part alone: FoundCount and FoundEntries from the cache, nothing written.
void FindPrograms();
// "_win:searchdone" with every "%n" replaced by FoundCount.
std::wstring SearchDoneText();

}  // namespace velvane::wizard
