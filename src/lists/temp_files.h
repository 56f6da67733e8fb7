#pragma once
// The file shelf: up to 15 dropped files or folders, opened with a click, kept in tempfiles.qdt while the keep
// option is on.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "common/outcome.h"

namespace velvane {

// The file shelf.
class clsTempFiles {
public:
  static constexpr int kTotal = 15;

  std::function<void()> onChanged;  // the places changed: the side bar redraws lblFiles (RefreshList)
  // Writes tempfiles.qdt when keep is set (the keep option, or a forced save). A failed write leaves the shelf in memory
  // and answers the reason; the next save writes the whole shelf again.
  Outcome SaveList(bool keep);
  // Replaces the shelf by tempfiles.qdt's when keep is set.
  void LoadList(bool keep);
  std::int16_t TotalTempFiles() const { return kTotal; }
  const std::wstring& FilePath(std::uint8_t index) const { return paths_[index <= kTotal ? index : 0]; }
  // Opens the path of a place with the shell's default action (normal window); an empty place does nothing.
  void ExecTempFile(std::uint8_t index);
  // Puts the path in the first empty place unless it is already on the shelf (exact case; not checked with
  // forceAdd) or the shelf is full. Answers whether it was put on the shelf.
  bool AddFile(const std::wstring& path, bool forceAdd = false);
  void DelFile(std::uint8_t index);
  void RefreshList();
  void OrderFiles();

  // What a row shows for a path: "TXT - report" for ...\report.txt, "Tools" for a folder without a dot.
  static std::wstring CaptionOf(const std::wstring& path);
  static std::wstring ShelfFile();  // DataDir & "tempfiles.qdt"

private:
  int FindEmptyShelf() const;
  std::array<std::wstring, kTotal + 1> paths_{};  // slot 0 unused
};

}  // namespace velvane
