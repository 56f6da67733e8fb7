#include "wizard/first_time.h"

#include "common/numbers.h"
#include "common/setting_keys.h"
#include "common/text.h"
#include "common/text_files.h"

namespace velvane::wizard {

namespace {

std::wstring TwoDigits(int n) { return (n < 10 ? L"0" : L"") + ToText(n); }

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

std::wstring FallbackLanguage(Primewiz& wiz) {
  if (std::wstring def = wiz.lang.DefLang(); !def.empty()) return def;
  const std::wstring& langDir = wiz.store.folders.LangDir;
  for (const std::wstring& name : ListFolder(langDir + L"*"))
    if (!name.empty() && name != L"." && name != L".." && FileExists(langDir + name + L"\\primewiz.txt")) return name;
  return {};
}

Outcome SearchPrograms(Primewiz& wiz) {
  FindPrograms(wiz);
  // Whatever the list held is gone, also when nothing is found.
  clsExec found(wiz.store.exec);
  return found.ReplaceExecs({wiz.FoundEntries.begin(), wiz.FoundEntries.begin() + wiz.FoundCount});
}

void FindPrograms(Primewiz& wiz) {
  wiz.FoundCount = 0;
  wiz.FoundEntries.fill({});
  cRegistry& reg = wiz.registry;
  reg.ClassKey = static_cast<std::int32_t>(platform::kRegCurrentUser);
  reg.SectionKey = kMuiCacheKey;
  // Current Windows versions keep the cache elsewhere, each program's display name under its path and a suffix.
  const bool current = !reg.KeyExists();
  if (current) reg.SectionKey = kMuiCacheCurrentKey;
  for (const std::wstring& name : reg.EnumerateValues()) {
    if (current && !EndsWith(name, kFriendlyNameSuffix)) continue;
    const std::wstring path = current ? name.substr(0, name.size() - std::wstring_view(kFriendlyNameSuffix).size())
                                      : name;
    // A drive letter and ":" first: resource names ("@..."), network paths and bare names are no programs.
    if (path.size() < 2 || path[1] != L':') continue;
    if (wiz.FoundCount == kMaxFound) break;  // the count and the table end here
    ExecEntry& entry = wiz.FoundEntries[wiz.FoundCount++];
    entry.Path = path;
    reg.ValueKey = name;
    entry.Name = RegText(reg.Value());
    entry.Exec = FileBaseName(path, false);
  }
}

std::wstring SearchDoneText(const Primewiz& wiz) {
  return ReplaceAll(wiz.lang.lReplace(L"_win:searchdone"), L"%n", ToText(wiz.FoundCount));
}

}  // namespace velvane::wizard
