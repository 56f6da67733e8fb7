#pragma once
// The notes box's text, kept in notes.qdt while the keep-notes option is on.
#include <optional>
#include <string>

#include "common/outcome.h"

namespace velvane {

std::wstring NotesFile();  // DataDir & "notes.qdt"

// With keep set (the keep-notes option, or a forced load): the text for the notes box from notes.qdt (a missing file
// gives ""); nothing otherwise.
std::optional<std::wstring> LoadNotes(bool keep);
// With keep set: notes.qdt = the text and CR LF. A failed write answers its reason.
Outcome SaveNotes(const std::wstring& text, bool keep);
// Up to two trailing control characters (codes 0 to 13) removed; texts shorter than 2 characters stay as they are.
std::wstring StripTrailingBreaks(std::wstring text);

}  // namespace velvane
