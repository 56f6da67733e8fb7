#pragma once
// The side bar's service objects: one each for the life of the process, created by Main in this order.
#include <memory>

#include "common/lang.h"
#include "lists/clipboard_history.h"
#include "lists/exec_list.h"
#include "lists/temp_files.h"
#include "lists/todo.h"
#include "core/screenshot.h"

namespace velvane {
class SideBarView;

extern std::unique_ptr<clsLang> gLang;                // the language table
extern std::unique_ptr<clsExec> gExec;                // the launcher list
extern std::unique_ptr<clsClipboard> gClipboard;      // the clipboard history
extern std::unique_ptr<clsTempFiles> gTempFiles;      // the file shelf
extern std::unique_ptr<clsToDo> gToDo;                // the to-do list
extern std::unique_ptr<clsScreenshot> gScreenshot;    // the screenshot taker

// The text of a language key; without a language table the key itself shows.
inline std::wstring LangText(const std::wstring& key) { return gLang ? gLang->lReplace(key) : key; }

void CreateServices(SideBarView& bar);  // the language loader's messages go to the side bar
void DestroyServices();  // tests only; the program keeps them until it ends

}  // namespace velvane
