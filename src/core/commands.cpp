#include "core/commands.h"

#include "common/numbers.h"
#include "common/text.h"
#include "core/config.h"
#include "core/services.h"
#include "core/visibility.h"
#include "sidebar/frm_main.h"
#include "ui/forms.h"

namespace velvane {
namespace {

void AddNote(const std::wstring& text) {
  ui::TextBox& notes = MainForm().txtNotes();
  notes.SetSelection(static_cast<int>(notes.Text().size()), 0);
  notes.ReplaceSelection(L"\r\n\r\n" + text);
}

}  // namespace

void RunCommand(const std::wstring& command) {
  try {
    const size_t blank = command.find(L' ');
    const bool hasArgument = blank != std::wstring::npos;
    const std::wstring verb = ToLowerText(hasArgument ? TextBefore(command, L" ") : command);
    const std::wstring argument = hasArgument ? DropLeft(command, static_cast<int>(blank + 1)) : std::wstring();

    // A verb that needs an argument and comes without one does nothing.
    if (verb == L"-save") {
      SaveAll();
    } else if (verb == L"-addtodo") {
      if (hasArgument) gToDo->AddToDo(argument);
    } else if (verb == L"-deltodo") {
      if (hasArgument) gToDo->DelToDo(ByteValue(argument));
    } else if (verb == L"-addnote") {
      if (hasArgument) AddNote(argument);
    } else if (verb == L"-exec") {
      // With an argument the entry it names starts; alone, whatever the launcher box holds.
      std::wstring entry = argument;
      gExec->DoExec(&entry);
    } else if (verb == L"-show") {
      ShowSideBar(true);
    } else if (verb == L"-hide") {
      ShowSideBar(false);
    }
    // "-addtimer hours,minutes,seconds,title" would hand its fields to a timer component. Velvane has none, so this
    // verb, like any unknown one, does nothing, and its fields are not read.
  } catch (...) {
    // Errors inside a command end it silently: the sender of a hand-off is waiting, and nobody is there to read them.
  }
}

}  // namespace velvane
