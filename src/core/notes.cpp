#include "core/notes.h"

#include "common/data_store.h"

namespace velvane {
namespace {

// Control codes up to the carriage return (13) count as line-break characters at the end of the notes.
constexpr unsigned kLastBreakCode = L'\r';

}  // namespace

std::wstring StripTrailingBreaks(std::wstring text) {
  if (text.size() < 2) return text;
  // At most two: exactly the CR LF that SaveNotes adds, so a saved text, whatever it ends with, loads back unchanged.
  for (int pass = 0; pass < 2 && !text.empty(); ++pass)
    if (static_cast<unsigned>(text.back()) <= kLastBreakCode) text.pop_back();
  return text;
}

std::wstring JoinNotes(const std::wstring& stored, const std::wstring& added) {
  if (stored.empty() || added.empty()) return stored + added;
  const bool ownLine = added.front() == L'\r' || added.front() == L'\n';
  return stored + (ownLine ? L"" : L"\r\n\r\n") + added;
}

std::optional<std::wstring> LoadNotes(DataFile& file, bool keep) {
  if (!keep) return std::nullopt;
  const std::wstring* stored = file.Read();
  return stored ? StripTrailingBreaks(*stored) : std::wstring();
}

Outcome SaveNotes(DataFile& file, std::wstring& text, bool keep) {
  if (!keep) return {};
  if (!file.Known()) {
    const std::wstring* stored = file.Read();
    if (!stored) return file.Problem();
    text = JoinNotes(StripTrailingBreaks(*stored), text);
  }
  return file.Write(text + L"\r\n");
}

}  // namespace velvane
