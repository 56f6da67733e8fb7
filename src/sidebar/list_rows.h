#pragma once
// How the side bar's rows show the lists: the clipboard history's captions, tooltips, mark and locks, the shelf's
// captions and the to-do rows. The lists tell the side bar that they changed; these draw what they hold.
#include <array>
#include <cstdint>

#include "lists/clipboard_history.h"
#include "lists/temp_files.h"
#include "lists/todo.h"
#include "ui/forms.h"

namespace velvane {

// lblClip(1..7): captions and tooltips, the entry last seen on the clipboard in bold (UploadClipb).
void ShowClipboardRows(const clsClipboard& history, const std::array<ui::Label*, clsClipboard::kTotal + 1>& rows);
// imgLock(num): the skin folder's picture of the lock's state; without it no picture, never the other state's (RefreshALock).
void ShowClipboardLock(const clsClipboard& history, std::uint8_t num, ui::Image& lock, const std::wstring& skin);
// lblFiles(1..15): "TXT - report" for ...\report.txt (RefreshList).
void ShowShelfRows(const clsTempFiles& shelf, const std::array<ui::Label*, clsTempFiles::kTotal + 1>& rows);
// lstToDo: one row per item, the newest on top (RefreshList).
void ShowToDoRows(const clsToDo& list, ui::ListBox& rows);

}  // namespace velvane
