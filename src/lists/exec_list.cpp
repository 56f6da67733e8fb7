#include "lists/exec_list.h"

#include <algorithm>

#include "common/folders.h"
#include "common/numbers.h"
#include "common/profile_files.h"
#include "common/text.h"
#include "common/text_files.h"
#include "lists/list_file.h"
#include "platform/process.h"

namespace velvane {
namespace {

constexpr wchar_t kInitSection[] = L"INIT";
constexpr wchar_t kTotalKey[] = L"Total";

std::wstring EntrySection(int i) { return L"E" + ToText(i); }

// The prefix already in upper case; a text shorter than it never matches.
bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& upperPrefix) {
  return upperPrefix.size() <= text.size() &&
         ToUpperText(std::wstring_view(text).substr(0, upperPrefix.size())) == upperPrefix;
}

}  // namespace

std::wstring clsExec::ExecFile() { return DataDir + L"exec.qdt"; }

void clsExec::LoadExecs() {
  const std::wstring file = ExecFile();
  const double total = RoundHalfEven(LeadingNumber(ReadSetting(file, kInitSection, kTotalKey)));
  entries_ = {};
  count_ = static_cast<std::int16_t>(total >= kCapacity ? kCapacity : total >= 1 ? static_cast<int>(total) : 0);
  for (int i = 1; i <= count_; ++i) {
    ExecEntry& e = entries_[static_cast<size_t>(i)];
    const std::wstring section = EntrySection(i);
    e.Name = ReadSetting(file, section, L"Name");
    e.Exec = ReadSetting(file, section, L"Exec");
    e.Path = ReadSetting(file, section, L"Path");
  }
}

void clsExec::SaveExecs() const {
  const std::wstring file = ExecFile();
  WriteSetting(file, kInitSection, kTotalKey, ToText(count_));
  for (int i = 1; i <= count_; ++i) {
    const ExecEntry& e = entries_[static_cast<size_t>(i)];
    const std::wstring section = EntrySection(i);
    WriteSetting(file, section, L"Name", e.Name);
    WriteSetting(file, section, L"Exec", e.Exec);
    WriteSetting(file, section, L"Path", e.Path);
  }
}

Outcome clsExec::ReplaceExecs(const std::vector<ExecEntry>& entries) {
  if (Outcome emptied = WriteTextFile(ExecFile(), L""); !emptied) return emptied;
  entries_ = {};
  count_ = static_cast<std::int16_t>(std::min<size_t>(entries.size(), kCapacity));
  std::copy(entries.begin(), entries.begin() + count_, entries_.begin() + 1);
  SaveExecs();
  return {};
}

bool clsExec::AddExec(const std::wstring& path, const std::wstring& ename, const std::wstring& appName) {
  if (count_ >= kCapacity) return false;
  ++count_;
  // Each value is one line of exec.qdt; a line break would start a line of its own there.
  entries_[static_cast<size_t>(count_)] = ExecEntry{lists::OneLine(ename), lists::OneLine(appName), lists::OneLine(path)};
  SaveExecs();
  return true;
}

void clsExec::DeleteExec(int index) {
  if (index < 1 || index > count_) return;
  for (int i = index; i < count_; ++i) entries_[static_cast<size_t>(i)] = std::move(entries_[static_cast<size_t>(i) + 1]);
  entries_[static_cast<size_t>(count_)] = {};
  --count_;
}

int clsExec::FindExec(const std::wstring& name) const {
  const std::wstring upperName = ToUpperText(name);
  for (int i = 1; i <= count_; ++i)
    if (StartsWithIgnoringCase(entries_[static_cast<size_t>(i)].Exec, upperName)) return i;
  return 0;
}

std::wstring clsExec::UpdateExec(const std::wstring& typed) const {
  const int i = typed.empty() ? 0 : FindExec(typed);
  return i != 0 ? entries_[static_cast<size_t>(i)].Name : std::wstring();
}

bool clsExec::DoExec(const std::wstring& name) {
  const int i = FindExec(name);
  if (i == 0) return false;
  platform::StartProgram(entries_[static_cast<size_t>(i)].Path);  // a failure to start is not reported
  return true;
}

}  // namespace velvane
