#pragma once
// The to-do list: newest item on top, at most 250 items, kept in todo.qdt while the keep option is on.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "common/outcome.h"

namespace velvane {

class clsToDo {
public:
  static constexpr int kCapacity = 250;

  std::function<void()> onChanged;  // the items changed: the side bar refills lstToDo (RefreshList)
  // Writes todo.qdt when keep is set (the keep option, or a forced save). A failed write leaves the list in memory
  // and answers the reason; the next save writes the whole list again.
  Outcome SaveList(bool keep);
  void LoadList(bool keep);  // replaces the list by todo.qdt's when keep is set
  void RefreshList();
  // Puts the text on top; on a full list the oldest item goes. Empty texts, and "[END]" (which would end the list
  // when the file is read back), are refused.
  void AddToDo(const std::wstring& text);
  // Removes item index (1 is the top; 0 counts as 1); an index beyond the list changes nothing.
  void DelToDo(std::uint8_t index);

  int Count() const { return CountToDo(); }
  const std::wstring& Item(int i) const { return items_[i >= 0 && i <= kCapacity ? static_cast<size_t>(i) : 0]; }

  static std::wstring FilePath();  // DataDir & "todo.qdt"

private:
  int CountToDo() const;
  std::array<std::wstring, kCapacity + 1> items_{};  // slot 0 unused; slot 1 is the top row
};

}  // namespace velvane
