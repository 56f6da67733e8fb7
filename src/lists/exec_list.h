#pragma once
// The launcher: short names typed in the side bar's launcher box start programs. Kept in exec.qdt.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome.h"

namespace velvane {

// One launcher entry, as the side bar keeps it and the wizard's search finds it.
struct ExecEntry {
  std::wstring Exec;  // the short name typed
  std::wstring Name;  // the display name
  std::wstring Path;  // the command line
};

// The launcher list (exec.qdt, the one module that reads and writes it): its entries, the completion of the
// launcher box and the starting of an entry.
class clsExec {
public:
  static constexpr int kCapacity = 300;

  void LoadExecs();
  // Writes Total and sections E1..ETotal; sections beyond Total stay in the file and are ignored.
  void SaveExecs() const;
  // Replaces the file by the entries given, also the sections beyond them; the wizard's search writes it so.
  Outcome ReplaceExecs(const std::vector<ExecEntry>& entries);
  // Appends the entry and saves; false at 300 entries (the caller shows the limit message).
  bool AddExec(const std::wstring& path, const std::wstring& ename, const std::wstring& appName);
  void DeleteExec(int index);  // memory only; 1 to ExecCount
  // Starts the entry that the name selects (a failure to start is not reported); false when no entry matches.
  bool DoExec(const std::wstring& name);
  // What lblAppName shows for the launcher box's text: the display name of the entry it selects, "" for none.
  std::wstring UpdateExec(const std::wstring& typed) const;
  // The first entry whose short name starts with `name`, case-insensitive; 0 when none. "" matches entry 1.
  int FindExec(const std::wstring& name) const;

  int ExecCount() const { return count_; }
  const ExecEntry& Entry(int i) const { return entries_[i >= 0 && i <= kCapacity ? static_cast<size_t>(i) : 0]; }

  static std::wstring ExecFile();  // DataDir & "exec.qdt"

private:
  std::array<ExecEntry, kCapacity + 1> entries_{};  // slot 0 unused
  std::int16_t count_ = 0;
};

}  // namespace velvane
