#pragma once
// The first-run wizard's model: its state, the page table, the language options and the program search. Its windows
// and their flow (start, language choice, finish) are in wizard/forms.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/data_store.h"
#include "common/lang.h"
#include "common/outcome.h"
#include "common/single_instance.h"
#include "lists/exec_list.h"
#include "wizard/c_registry.h"

namespace velvane::wizard {

inline constexpr int kPageCount = 9;
inline constexpr int kMaxFound = 255;
// Where the shell keeps the display names of the programs a user started: the older place first, then the one of
// current Windows versions, whose value names are a path followed by a suffix.
inline constexpr wchar_t kMuiCacheKey[] = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
inline constexpr wchar_t kMuiCacheCurrentKey[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
inline constexpr wchar_t kFriendlyNameSuffix[] = L".FriendlyAppName";

// Primewiz, the wizard's owner: its state, made once by the entry (or a test) and passed by reference to the
// windows and the search.
struct Primewiz {
  DataStore store;         // the folders and config.qdt, exec.qdt
  SingleInstance instance;  // one wizard at a time
  std::wstring ImagesDir;  // AppDir & "images\"
  clsLang lang{store};     // the wizard's texts; the loader's messages are shown in a box
  cRegistry registry;      // the shell's cache of program names
  std::uint8_t CurrentPage = 0;  // 0 until a language is chosen, then 1 to 9
  std::uint8_t FoundCount = 0;
  std::array<ExecEntry, kMaxFound> FoundEntries;  // the first FoundCount, in the order found
};

// What page p shows.
struct PageLook {
  int picture;                 // the number of images\t<n>.bmp
  std::wstring titleKey, bodyKey, nextKey;
  bool previousEnabled;
  bool searchVisible;
};
PageLook PageFor(int page);

// The language used when config.qdt offers none: [LANG] Def, else the first language folder with the wizard's texts.
std::wstring FallbackLanguage(Primewiz& wiz);

// Rebuilds exec.qdt from the shell's cache of program names; sets FoundCount and FoundEntries. A launcher file that
// cannot be written answers the reason.
Outcome SearchPrograms(Primewiz& wiz);
// The search's registry part alone: FoundCount and FoundEntries from the cache, nothing written.
void FindPrograms(Primewiz& wiz);
// "_win:searchdone" with every "%n" replaced by FoundCount.
std::wstring SearchDoneText(const Primewiz& wiz);

}  // namespace velvane::wizard
