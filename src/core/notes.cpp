#include "core/notes.h"

#include "common/folders.h"
#include "common/text_files.h"

namespace velvane {
namespace {

// Control codes up to the carriage return (13) count as line-break characters at the end of the notes.
constexpr unsigned kLastBreakCode = L'\r';

}  // namespace

std::wstring NotesFile() { return DataDir + L"notes.qdt"; }

std::wstring StripTrailingBreaks(std::wstring text) {
  if (text.size() < 2) return text;
  // At most two: exactly the CR LF that SaveNotes adds, so a saved text, whatever it ends with, loads back unchanged.
  for (int pass = 0; pass < 2 && !text.empty(); ++pass)
    if (static_cast<unsigned>(text.back()) <= kLastBreakCode) text.pop_back();
  return text;
}

std::optional<std::wstring> LoadNotes(bool keep) {
  if (!keep) return std::nullopt;
  return StripTrailingBreaks(ReadTextFile(NotesFile()));
}

Outcome SaveNotes(const std::wstring& text, bool keep) {
  if (!keep) return {};
  return WriteTextFile(NotesFile(), text);
}

}  // namespace velvane
