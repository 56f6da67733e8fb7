#include "lists/exec_list.h"

#include <algorithm>

#include "common/data_store.h"
#include "common/numbers.h"
#include "common/text.h"
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

// Total, then each entry's section with its keys in the order Name, Exec, Path.
std::vector<ProfileFile::Value> ValuesOf(const std::vector<ExecEntry>& entries) {
  std::vector<ProfileFile::Value> values{{kInitSection, kTotalKey, ToText(static_cast<long long>(entries.size()))}};
  values.reserve(1 + 3 * entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::wstring section = EntrySection(static_cast<int>(i) + 1);
    values.push_back({section, L"Name", entries[i].Name});
    values.push_back({section, L"Exec", entries[i].Exec});
    values.push_back({section, L"Path", entries[i].Path});
  }
  return values;
}

}  // namespace

const ExecEntry& clsExec::Entry(int i) const {
  static const ExecEntry kNone;
  return i >= 1 && i <= ExecCount() ? entries_[static_cast<size_t>(i) - 1] : kNone;
}

std::vector<ExecEntry> clsExec::StoredEntries() {
  const double total = RoundHalfEven(LeadingNumber(file_.Get(kInitSection, kTotalKey)));
  const int count = total >= kCapacity ? kCapacity : total >= 1 ? static_cast<int>(total) : 0;
  std::vector<ExecEntry> stored(static_cast<size_t>(count));
  for (int i = 1; i <= count; ++i) {
    ExecEntry& e = stored[static_cast<size_t>(i) - 1];
    const std::wstring section = EntrySection(i);
    e.Name = file_.Get(section, L"Name");
    e.Exec = file_.Get(section, L"Exec");
    e.Path = file_.Get(section, L"Path");
  }
  return stored;
}

void clsExec::LoadExecs() { entries_ = StoredEntries(); }

Outcome clsExec::SaveExecs() {
  if (!file_.Known()) {
    if (!file_.Read()) return file_.Problem();
    JoinStored(StoredEntries());
  }
  return file_.Set(ValuesOf(entries_));
}

Outcome clsExec::ReplaceExecs(const std::vector<ExecEntry>& entries) {
  entries_.assign(entries.begin(), entries.begin() + std::min<size_t>(entries.size(), kCapacity));
  return file_.Set(ValuesOf(entries_), true);
}

Outcome clsExec::AddExec(const std::wstring& path, const std::wstring& ename, const std::wstring& appName) {
  if (IsFull()) return {};
  // Each value is one line of exec.qdt; a line break would start a line of its own there.
  entries_.push_back(ExecEntry{OneLine(ename), OneLine(appName), OneLine(path)});
  return SaveExecs();
}

void clsExec::DeleteExec(int index) {
  if (index >= 1 && index <= ExecCount()) entries_.erase(entries_.begin() + (index - 1));
}

void clsExec::JoinStored(const std::vector<ExecEntry>& stored) {
  std::vector<ExecEntry> joined = stored;
  for (ExecEntry& e : entries_)
    if (std::find(joined.begin(), joined.end(), e) == joined.end()) joined.push_back(std::move(e));
  if (joined.size() > kCapacity) joined.resize(kCapacity);
  entries_ = std::move(joined);
}

int clsExec::FindExec(const std::wstring& name) const {
  const std::wstring upperName = ToUpperText(name);
  for (int i = 1; i <= ExecCount(); ++i)
    if (StartsWithIgnoringCase(Entry(i).Exec, upperName)) return i;
  return 0;
}

std::wstring clsExec::UpdateExec(const std::wstring& typed) const {
  return typed.empty() ? std::wstring() : Entry(FindExec(typed)).Name;
}

bool clsExec::DoExec(const std::wstring& name) {
  const int i = FindExec(name);
  if (i == 0) return false;
  platform::StartProgram(Entry(i).Path);  // a failure to start is not reported
  return true;
}

}  // namespace velvane
