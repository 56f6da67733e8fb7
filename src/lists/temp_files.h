#pragma once
// The file shelf: up to 15 dropped files or folders, opened with a click, kept in tempfiles.qdt while the keep
// option is on.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/outcome.h"

namespace velvane {
class DataFile;

// The file shelf.
class clsTempFiles {
public:
  static constexpr int kTotal = 15;

  explicit clsTempFiles(DataFile& file) : file_(file) {}  // tempfiles.qdt of the store

  std::function<void()> onChanged;  // the places changed: the side bar redraws lblFiles (RefreshList)
  // Writes tempfiles.qdt when keep is set (the keep option, or a forced save). A file not read yet (it could not be
  // read at the start, or was not loaded) is read first and its paths kept (JoinStored); one that cannot be read is
  // not written. A failed save leaves the shelf in memory and answers the reason; the next save writes it all again.
  Outcome SaveList(bool keep);
  // Replaces the shelf by tempfiles.qdt's when keep is set; a file that cannot be read leaves the shelf as it is.
  void LoadList(bool keep);
  const std::wstring& FilePath(std::uint8_t place) const;  // places 1 to 15; "" for an empty one
  // Opens the path of a place with the shell's default action (normal window); an empty place does nothing.
  void ExecTempFile(std::uint8_t place);
  // Puts the path in the first empty place unless it is already on the shelf (exact case; not checked with
  // forceAdd) or the shelf is full. Answers whether it was put on the shelf.
  bool AddFile(const std::wstring& path, bool forceAdd = false);
  void DelFile(std::uint8_t place);  // the places below move up one
  void RefreshList();
  // The stored paths first, then those dropped meanwhile that are not among them, as far as the places go.
  void JoinStored(const std::vector<std::wstring>& stored);

  // What a row shows for a path: "TXT - report" for ...\report.txt, "Tools" for a folder without a dot.
  static std::wstring CaptionOf(const std::wstring& path);

private:
  DataFile& file_;
  std::vector<std::wstring> paths_;  // place 1 first
};

}  // namespace velvane
