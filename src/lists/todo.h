#pragma once
// The to-do list: newest item on top, at most 250 items, kept in todo.qdt while the keep option is on.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/outcome.h"

namespace velvane {
class DataFile;

class clsToDo {
public:
  static constexpr int kCapacity = 250;

  explicit clsToDo(DataFile& file) : file_(file) {}  // todo.qdt of the store

  std::function<void()> onChanged;  // the items changed: the side bar refills lstToDo (RefreshList)
  // Writes todo.qdt when keep is set (the keep option, or a forced save). A file not read yet (it could not be read
  // at the start, or was not loaded) is read first and its items kept (JoinStored); one that cannot be read is not
  // written. A failed save leaves the list in memory and answers the reason; the next save writes it all again.
  Outcome SaveList(bool keep);
  // Replaces the list by todo.qdt's when keep is set; a file that cannot be read leaves the list as it is.
  void LoadList(bool keep);
  void RefreshList();
  // Puts the text on top; on a full list the oldest item goes. Empty texts, and "[END]" (which would end the list
  // when the file is read back), are refused.
  void AddToDo(const std::wstring& text);
  // Removes item index (1 is the top; 0 counts as 1); an index beyond the list changes nothing.
  void DelToDo(std::uint8_t index);
  // The stored items below those added meanwhile, each once (the first place counts), the oldest beyond 250 dropped.
  void JoinStored(const std::vector<std::wstring>& stored);

  int Count() const { return static_cast<int>(items_.size()); }
  const std::wstring& Item(int i) const;  // 1 is the top; "" beyond the list

private:
  DataFile& file_;
  std::vector<std::wstring> items_;  // newest first
};

}  // namespace velvane
