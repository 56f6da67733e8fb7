#pragma once
// The notes box's text, kept in notes.qdt while the keep-notes option is on.
#include <optional>
#include <string>

#include "common/outcome.h"

namespace velvane {
class DataFile;

// With keep set (the keep-notes option, or a forced load): the text for the notes box from notes.qdt ("" for a
// missing file, and for now for one that cannot be read); nothing otherwise.
std::optional<std::wstring> LoadNotes(DataFile& file, bool keep);
// With keep set: notes.qdt = the text and CR LF. A file not read yet (it could not be read at the start, or was not
// loaded) is read first and its text put before the text given (JoinNotes), which then holds both; one that cannot be
// read is not written. A failed write answers its reason.
Outcome SaveNotes(DataFile& file, std::wstring& text, bool keep);
// The stored notes, then what was written meanwhile, on a line of its own after a blank line as a note added by
// command would be.
std::wstring JoinNotes(const std::wstring& stored, const std::wstring& added);
// Up to two trailing control characters (codes 0 to 13) removed; texts shorter than 2 characters stay as they are.
std::wstring StripTrailingBreaks(std::wstring text);

}  // namespace velvane
