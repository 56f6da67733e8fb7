#pragma once
// Velvane, the side bar's owner: its data store, settings, models, start-up state and the command router, made once
// by the program's entry (or a test) over the side bar's view and passed by reference to whoever needs them.
#include <cstdint>
#include <string>

#include "common/data_store.h"
#include "common/lang.h"
#include "common/single_instance.h"
#include "core/commands.h"
#include "core/config.h"
#include "core/screenshot.h"
#include "core/visibility.h"
#include "lists/clipboard_history.h"
#include "lists/exec_list.h"
#include "lists/temp_files.h"
#include "lists/todo.h"

namespace velvane {
class SideBarView;

struct Velvane {
  explicit Velvane(SideBarView& view);  // the language loader's messages go to the side bar
  Velvane(const Velvane&) = delete;
  Velvane& operator=(const Velvane&) = delete;

  std::wstring LangText(const std::wstring& key) const { return lang.lReplace(key); }  // the key without an entry
  // The same with the English text for a key that an older language file lacks.
  std::wstring LangText(const std::wstring& key, const wchar_t* english) const { return lang.lReplace(key, english); }

  SideBarView& bar;
  DataStore store;           // the folders and the data files
  Settings settings{store.folders};
  clsLang lang;              // the language table
  clsExec exec{store.exec};  // the launcher list
  clsClipboard clipboard;    // the clipboard history
  clsTempFiles shelf{store.shelf};  // the file shelf
  clsToDo toDo{store.toDo};  // the to-do list
  clsScreenshot screenshot;  // the screenshot taker
  std::uint8_t FadeAlpha = 0;  // the alpha last given to the side bar; 0 also means hidden
  FadeState FadeDirection = FadeState::Idle;
  SingleInstance instance;
  CommandRouter router{*this};  // the hand-offs and the commands held during the start
  std::wstring saveFailureSaid;  // the failed save last said, until a save succeeds
};

}  // namespace velvane
