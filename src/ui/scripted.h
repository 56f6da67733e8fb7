#pragma once
// The scripted side of the dialogs and the screen, shared by the backends (see ui/testing.h).
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/forms.h"

namespace velvane::ui::detail {

// True once a test has taken over the dialogs.
bool Scripted();
int ScriptedMsgBox(const std::wstring& text, int style, const std::wstring& title);
std::optional<std::wstring> ScriptedInputBox(const std::wstring& prompt, const std::wstring& title,
                                             const std::wstring& initial);
std::optional<std::wstring> ScriptedFileDialog(bool save, const FileDialogOptions& options);

std::optional<std::pair<int, int>> ScreenSizeOverride();
std::optional<Rect> WorkAreaOverride();
std::optional<std::vector<Monitor>> MonitorsOverride();
std::optional<int> DpiOverride();
void RecordQuit(int exitCode);

// The classic button sets of a message box style.
enum : int { kButtonsMask = 7 };

}  // namespace velvane::ui::detail
