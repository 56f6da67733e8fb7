#pragma once
// The launcher: short names typed in the side bar's launcher box start programs. Kept in exec.qdt.
#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome.h"

namespace velvane {
class ProfileFile;

// One launcher entry, as the side bar keeps it and the wizard's search finds it.
struct ExecEntry {
  std::wstring Exec;  // the short name typed
  std::wstring Name;  // the display name
  std::wstring Path;  // the command line
  bool operator==(const ExecEntry&) const = default;
};

// The launcher list (exec.qdt, the one module that reads and writes it, for the side bar and the wizard alike): its
// entries, the completion of the launcher box and the starting of an entry. Entries are numbered from 1.
class clsExec {
public:
  static constexpr int kCapacity = 300;

  explicit clsExec(ProfileFile& file) : file_(file) {}  // exec.qdt of the store

  // The file's entries; a file that cannot be read gives none for now (SaveExecs keeps them later).
  void LoadExecs();
  // Writes Total and sections E1..ETotal in one write; sections beyond Total stay in the file and are ignored. A file
  // not read yet (it could not be read at the start) is read first and its entries kept (JoinStored); one that cannot
  // be read is not written.
  Outcome SaveExecs();
  // Replaces the list and the file by the entries given (the first 300), also the sections beyond them: the wizard's
  // search writes it so.
  Outcome ReplaceExecs(const std::vector<ExecEntry>& entries);
  bool IsFull() const { return ExecCount() >= kCapacity; }
  // Appends the entry and saves (the save's outcome); a full list changes nothing (IsFull tells first).
  Outcome AddExec(const std::wstring& path, const std::wstring& ename, const std::wstring& appName);
  void DeleteExec(int index);  // memory only; 1 to ExecCount
  // The stored entries first, then those added meanwhile that are not among them, up to 300.
  void JoinStored(const std::vector<ExecEntry>& stored);
  // Starts the entry that the name selects (a failure to start is not reported); false when no entry matches.
  bool DoExec(const std::wstring& name);
  // What lblAppName shows for the launcher box's text: the display name of the entry it selects, "" for none.
  std::wstring UpdateExec(const std::wstring& typed) const;
  // The number of the first entry whose short name starts with `name`, case-insensitive; 0 when none. "" matches 1.
  int FindExec(const std::wstring& name) const;

  int ExecCount() const { return static_cast<int>(entries_.size()); }
  const ExecEntry& Entry(int i) const;  // 1 to ExecCount; an empty entry beyond

private:
  std::vector<ExecEntry> StoredEntries();

  ProfileFile& file_;
  std::vector<ExecEntry> entries_;
};

}  // namespace velvane
