#include "lists/todo.h"

#include <algorithm>

#include "common/data_store.h"
#include "common/text.h"
#include "lists/list_file.h"

namespace velvane {

const std::wstring& clsToDo::Item(int i) const {
  static const std::wstring kNone;
  return i >= 1 && i <= Count() ? items_[static_cast<size_t>(i) - 1] : kNone;
}

Outcome clsToDo::SaveList(bool keep) {
  if (!keep) return {};
  if (!file_.Known()) {
    const std::wstring* stored = file_.Read();
    if (!stored) return file_.Problem();
    JoinStored(lists::ListFileEntries(*stored, kCapacity));
  }
  return file_.Write(lists::ListFileText(items_));
}

void clsToDo::LoadList(bool keep) {
  if (!keep) return;
  const std::wstring* stored = file_.Read();
  if (!stored) return;
  items_ = lists::ListFileEntries(*stored, kCapacity);
  RefreshList();
}

void clsToDo::JoinStored(const std::vector<std::wstring>& stored) {
  for (const std::wstring& item : stored)
    if (std::find(items_.begin(), items_.end(), item) == items_.end()) items_.push_back(item);
  if (items_.size() > kCapacity) items_.resize(kCapacity);
  RefreshList();
}

void clsToDo::RefreshList() {
  if (onChanged) onChanged();
}

void clsToDo::AddToDo(const std::wstring& text) {
  // An item is one row of the list and one line of the file: a carriage return inside it would split it in two
  // when the file is read back.
  std::wstring item = OneLine(text);
  if (!lists::StorableEntry(item)) return;
  // On a full list the bottom (oldest) item drops out.
  if (items_.size() == kCapacity) items_.pop_back();
  items_.insert(items_.begin(), std::move(item));
  RefreshList();
}

void clsToDo::DelToDo(std::uint8_t index) {
  const int at = index == 0 ? 1 : index;
  if (at <= Count()) items_.erase(items_.begin() + (at - 1));
  RefreshList();
}

}  // namespace velvane
