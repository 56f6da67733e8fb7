#pragma once
// The notes box's text, kept in notes.qdt while the keep-notes option is on, and the saving of its selected text
// to a file of the user's choice.
#include <string>

namespace velvane {
namespace ui { class TextBox; class Window; }

void BindNotes(ui::TextBox* txtNotes);  // the side bar's notes box
std::wstring NotesFile();               // DataDir & "notes.qdt"

// With the keep-notes option on, or force: the box's text from notes.qdt (a missing file gives an empty box).
void LoadNotes(bool force = false);
// With the keep-notes option on, or force: notes.qdt = the box's text and CR LF. Throws RuntimeError when the file
// cannot be written.
void SaveNotes(bool force = false);
// Up to two trailing control characters (codes 0 to 13) removed; texts shorter than 2 characters stay as they are.
std::wstring StripTrailingBreaks(std::wstring text);

// Asks for a file, writes the selected text of the box to it and then removes that text from the box. Nothing
// selected or a cancelled dialog does nothing; a failed write shows a message and leaves the notes as they were.
// True when the text moved to the file.
bool SaveNotesSelection(ui::TextBox& box, const ui::Window* owner = nullptr);

}  // namespace velvane
