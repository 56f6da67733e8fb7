#include "lists/todo.h"

#include <algorithm>
#include <vector>

#include "common/folders.h"
#include "lists/list_file.h"

namespace velvane {

std::wstring clsToDo::FilePath() { return DataDir + L"todo.qdt"; }

int clsToDo::CountToDo() const {
  for (int i = 1; i <= kCapacity; ++i)
    if (items_[static_cast<size_t>(i)].empty()) return i - 1;
  return kCapacity;
}

Outcome clsToDo::SaveList(bool keep) {
  if (!keep) return {};
  const int n = CountToDo();
  const std::vector<std::wstring> entries(items_.begin() + 1, items_.begin() + 1 + n);
  return lists::WriteListFile(FilePath(), entries);
}

void clsToDo::LoadList(bool keep) {
  if (!keep) return;
  const std::vector<std::wstring> entries = lists::ReadListFile(FilePath(), kCapacity);
  items_ = {};
  for (size_t i = 0; i < entries.size(); ++i) items_[i + 1] = entries[i];
  RefreshList();
}

void clsToDo::RefreshList() {
  if (onChanged) onChanged();
}

void clsToDo::AddToDo(const std::wstring& text) {
  // An item is one row of the list and one line of the file: a carriage return inside it would split it in two
  // when the file is read back.
  std::wstring item = lists::OneLine(text);
  if (!lists::StorableEntry(item)) return;
  // On a full list the bottom (oldest) item drops out.
  const int n = std::min(CountToDo(), kCapacity - 1);
  for (int i = n; i >= 1; --i) items_[static_cast<size_t>(i) + 1] = std::move(items_[static_cast<size_t>(i)]);
  items_[1] = std::move(item);
  RefreshList();
}

void clsToDo::DelToDo(std::uint8_t index) {
  const int n = CountToDo();
  const int at = index == 0 ? 1 : index;
  if (at <= n) {
    for (int i = at; i < n; ++i) items_[static_cast<size_t>(i)] = std::move(items_[static_cast<size_t>(i) + 1]);
    items_[static_cast<size_t>(n)].clear();
  }
  RefreshList();
}

}  // namespace velvane
