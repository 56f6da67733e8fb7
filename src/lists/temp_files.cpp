#include "lists/temp_files.h"

#include <vector>

#include "common/folders.h"
#include "common/shell_open.h"
#include "common/text.h"
#include "lists/list_file.h"

namespace velvane {
namespace {

constexpr std::int32_t kShowNormal = 1;

}  // namespace

std::wstring clsTempFiles::ShelfFile() { return DataDir + L"tempfiles.qdt"; }

Outcome clsTempFiles::SaveList(bool keep) {
  if (!keep) return {};
  std::vector<std::wstring> entries;
  for (int i = 1; i <= kTotal && !paths_[static_cast<size_t>(i)].empty(); ++i)
    entries.push_back(paths_[static_cast<size_t>(i)]);
  return lists::WriteListFile(ShelfFile(), entries);
}

void clsTempFiles::LoadList(bool keep) {
  if (!keep) return;
  const std::vector<std::wstring> entries = lists::ReadListFile(ShelfFile(), kTotal);
  paths_ = {};
  for (size_t i = 0; i < entries.size(); ++i) paths_[i + 1] = entries[i];
  RefreshList();
}

void clsTempFiles::ExecTempFile(std::uint8_t index) {
  if (index > kTotal || paths_[index].empty()) return;
  ShellOpen(paths_[index], kShowNormal);  // a failure is the shell's to show
}

bool clsTempFiles::AddFile(const std::wstring& path, bool forceAdd) {
  // A path that could not be read back from the file as itself is no path a drop delivers.
  if (!lists::StorableEntry(path)) return false;
  if (!forceAdd)
    for (int i = 1; i <= kTotal; ++i)
      if (paths_[static_cast<size_t>(i)] == path) return false;
  const int place = FindEmptyShelf();
  if (place == 0) return false;
  paths_[static_cast<size_t>(place)] = path;
  RefreshList();
  return true;
}

void clsTempFiles::DelFile(std::uint8_t index) {
  if (index > kTotal) return;
  paths_[index].clear();
  OrderFiles();
  RefreshList();
}

void clsTempFiles::OrderFiles() {
  for (size_t i = 1; i < kTotal; ++i) {
    if (!paths_[i].empty()) continue;
    paths_[i] = std::move(paths_[i + 1]);
    paths_[i + 1].clear();
  }
}

std::wstring clsTempFiles::CaptionOf(const std::wstring& path) {
  if (path.empty()) return {};
  // A drive root ("D:\") has no file part after its last backslash; it is named by what comes before.
  const size_t end = path.find_last_not_of(L'\\');
  const std::wstring trimmed = end == std::wstring::npos ? path : path.substr(0, end + 1);
  const size_t slash = trimmed.rfind(L'\\');
  const std::wstring name = slash == std::wstring::npos ? trimmed : trimmed.substr(slash + 1);
  // The dot test looks at the whole path, the split at the name: a dotless file in a dotted folder reads
  // "README - ".
  if (path.find(L'.') == std::wstring::npos) return name;
  const size_t dot = name.find(L'.');
  const std::wstring before = dot == std::wstring::npos ? std::wstring() : name.substr(0, dot);
  const std::wstring after = dot == std::wstring::npos ? name : name.substr(dot + 1);
  return ToUpperText(after) + L" - " + before;
}

void clsTempFiles::RefreshList() {
  if (onChanged) onChanged();
}

int clsTempFiles::FindEmptyShelf() const {
  for (int i = 1; i <= kTotal; ++i)
    if (paths_[static_cast<size_t>(i)].empty()) return i;
  return 0;
}

}  // namespace velvane
