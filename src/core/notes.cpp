#include "core/notes.h"

#include "common/errors.h"
#include "common/settings_store.h"
#include "core/config.h"
#include "core/services.h"
#include "ui/forms.h"

namespace velvane {
namespace {

ui::TextBox* gNotesBox = nullptr;

constexpr wchar_t kSaveFailedKey[] = L"_savesel:failed";
// Control codes up to the carriage return (13) count as line-break characters at the end of the notes.
constexpr unsigned kLastBreakCode = L'\r';

// Language files older than this message lack its key; they get the English text.
std::wstring SaveFailedText(const std::wstring& path) {
  std::wstring text = LangText(kSaveFailedKey);
  if (text == kSaveFailedKey) text = L"The selected text could not be saved. It is still in the notes.";
  return text + L"\r\n\r\n" + path;
}

}  // namespace

void BindNotes(ui::TextBox* txtNotes) { gNotesBox = txtNotes; }

std::wstring NotesFile() { return DataDir + L"notes.qdt"; }

std::wstring StripTrailingBreaks(std::wstring text) {
  if (text.size() < 2) return text;
  // At most two: exactly the CR LF that SaveNotes adds, so a saved text, whatever it ends with, loads back unchanged.
  for (int pass = 0; pass < 2 && !text.empty(); ++pass)
    if (static_cast<unsigned>(text.back()) <= kLastBreakCode) text.pop_back();
  return text;
}

void LoadNotes(bool force) {
  if (!gNotesBox || (!OptChk[kOptKeepNotes] && !force)) return;
  gNotesBox->SetText(StripTrailingBreaks(ReadTextFile(NotesFile())));
}

void SaveNotes(bool force) {
  if (!gNotesBox || (!OptChk[kOptKeepNotes] && !force)) return;
  WriteTextFile(NotesFile(), gNotesBox->Text());
}

bool SaveNotesSelection(ui::TextBox& box, const ui::Window* owner) {
  if (box.SelLength() <= 0) return false;
  const int start = box.SelStart();
  const std::wstring kept = box.SelText();

  ui::FileDialogOptions options;
  options.title = LangText(L"_savesel:title");
  options.filter = L"TXT - " + LangText(L"_ext:txt") + L"|*.txt|" + LangText(L"_ext:all") + L"|*.*";
  options.initialDir = DefaultDir;
  options.owner = owner;
  const auto file = ui::ShowSaveDialog(options);
  if (!file || file->empty()) return false;

  try {
    WriteTextFile(*file, kept);
  } catch (const RuntimeError&) {
    ui::MsgBox(SaveFailedText(*file), ui::kMbExclamation, LangText(L"_savesel:title"));
    return false;
  }
  // The text leaves the notes only now that it is safe in the file, and only where it still stands: a command that
  // arrived while the dialog was open may have changed the notes.
  const std::wstring& now = box.Text();
  if (static_cast<size_t>(start) + kept.size() <= now.size() && now.compare(static_cast<size_t>(start), kept.size(), kept) == 0) {
    box.SetSelection(start, static_cast<int>(kept.size()));
    box.ReplaceSelection(L"");
  }
  return true;
}

}  // namespace velvane
