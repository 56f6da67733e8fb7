#include "core/commands.h"

#include <exception>

#include "common/message_box.h"
#include "common/numbers.h"
#include "common/text.h"
#include "core/side_bar_view.h"
#include "core/velvane.h"
#include "platform/codepage.h"
#include "platform/text_codec.h"

namespace velvane {

void CommandRouter::RunCommand(const std::wstring& command) {
  const size_t blank = command.find(L' ');
  const bool hasArgument = blank != std::wstring::npos;
  const std::wstring verb = ToLowerText(hasArgument ? TextBefore(command, L" ") : command);
  const std::wstring argument = hasArgument ? DropLeft(command, static_cast<int>(blank + 1)) : std::wstring();

  // A verb that needs an argument and comes without one does nothing, and so does an item number beyond a byte.
  if (verb == L"-save") {
    SaveAll(app_);
  } else if (verb == L"-addtodo") {
    if (hasArgument) app_.toDo.AddToDo(argument);
  } else if (verb == L"-deltodo") {
    if (const auto index = ByteOf(argument); hasArgument && index) app_.toDo.DelToDo(*index);
  } else if (verb == L"-addnote") {
    if (hasArgument) app_.bar.AppendNote(argument);
  } else if (verb == L"-exec") {
    // With an argument the entry it names starts; alone, whatever the launcher box holds.
    app_.bar.Launch(argument);
  } else if (verb == L"-show") {
    ShowSideBar(app_, true);
  } else if (verb == L"-hide") {
    ShowSideBar(app_, false);
  }
  // "-addtimer hours,minutes,seconds,title" would hand its fields to a timer component. Velvane has none, so this
  // verb, like any unknown one, does nothing, and its fields are not read.
}

void CommandRouter::ReceiveCommand(const std::wstring& command) {
  try {
    app_.bar.BringForward();
    RunCommand(TrimBlanks(command));
  } catch (const std::exception& e) {
    app_.bar.Message(L"An error occurred: " + platform::codec::FromUtf8(e.what()), kMbExclamation, L"Velvane");
  }
}

std::string HandOffPayload(const std::wstring& commandLine) {
  // Never empty: a message without data is ignored, and an empty command line still brings the side bar forward.
  return platform::codec::ToUtf16Le(commandLine.empty() ? std::wstring(1, L'\0') : commandLine);
}

std::wstring HandOffCommand(std::uintptr_t tag, std::string_view payload) {
  return tag == kHandOffUtf16 ? platform::codec::FromUtf16Le(payload) : platform::FromAnsi(payload);
}

void CommandRouter::HandOff(std::uintptr_t tag, std::string_view bytes) {
  if (bytes.empty()) return;
  if (!started_) {
    Hold(HandOffCommand(tag, bytes));
    return;
  }
  ReceiveCommand(HandOffCommand(tag, bytes));
}

void CommandRouter::CompleteStartup(const std::wstring& ownCommand) {
  ReceiveCommand(ownCommand);
  // A command that shows a message box lets later hand-offs in, which join the queue while it runs: each command is
  // copied out before it runs, never used in place in a queue that may grow meanwhile.
  for (size_t i = 0; i < held_.size(); ++i) {
    const std::wstring command = held_[i];
    ReceiveCommand(command);
  }
  held_.clear();
  started_ = true;
}

}  // namespace velvane
