#include "lists/temp_files.h"

#include <algorithm>
#include <vector>

#include "common/data_store.h"
#include "common/shell_open.h"
#include "common/text.h"
#include "lists/list_file.h"

namespace velvane {
namespace {

constexpr std::int32_t kShowNormal = 1;

}  // namespace

const std::wstring& clsTempFiles::FilePath(std::uint8_t place) const {
  static const std::wstring kEmpty;
  return place >= 1 && place <= paths_.size() ? paths_[place - 1u] : kEmpty;
}

Outcome clsTempFiles::SaveList(bool keep) {
  if (!keep) return {};
  if (!file_.Known()) {
    const std::wstring* stored = file_.Read();
    if (!stored) return file_.Problem();
    JoinStored(lists::ListFileEntries(*stored, kTotal));
  }
  return file_.Write(lists::ListFileText(paths_));
}

void clsTempFiles::LoadList(bool keep) {
  if (!keep) return;
  const std::wstring* stored = file_.Read();
  if (!stored) return;
  paths_ = lists::ListFileEntries(*stored, kTotal);
  RefreshList();
}

void clsTempFiles::JoinStored(const std::vector<std::wstring>& stored) {
  std::vector<std::wstring> joined = stored;
  for (std::wstring& path : paths_)
    if (std::find(joined.begin(), joined.end(), path) == joined.end()) joined.push_back(std::move(path));
  if (joined.size() > kTotal) joined.resize(kTotal);
  paths_ = std::move(joined);
  RefreshList();
}

void clsTempFiles::ExecTempFile(std::uint8_t place) {
  if (!FilePath(place).empty()) ShellOpen(FilePath(place), kShowNormal);  // a failure is the shell's to show
}

bool clsTempFiles::AddFile(const std::wstring& path, bool forceAdd) {
  // A path that could not be read back from the file as itself is no path a drop delivers.
  if (!lists::StorableEntry(path) || paths_.size() >= kTotal) return false;
  if (!forceAdd && std::find(paths_.begin(), paths_.end(), path) != paths_.end()) return false;
  paths_.push_back(path);
  RefreshList();
  return true;
}

void clsTempFiles::DelFile(std::uint8_t place) {
  if (place >= 1 && place <= paths_.size()) paths_.erase(paths_.begin() + (place - 1));
  RefreshList();
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

}  // namespace velvane
