#include "core/services.h"

#include "ui/forms.h"

namespace velvane {

std::unique_ptr<clsLang> gLang;
std::unique_ptr<clsExec> gExec;
std::unique_ptr<clsClipboard> gClipboard;
std::unique_ptr<clsTempFiles> gTempFiles;
std::unique_ptr<clsToDo> gToDo;
std::unique_ptr<clsScreenshot> gScreenshot;

void CreateServices() {
  gLang = std::make_unique<clsLang>(
      [](const std::wstring& text, const std::wstring& title) { ui::MsgBox(text, ui::kMbExclamation, title); });
  gExec = std::make_unique<clsExec>();
  gClipboard = std::make_unique<clsClipboard>();
  gTempFiles = std::make_unique<clsTempFiles>();
  gToDo = std::make_unique<clsToDo>();
  gScreenshot = std::make_unique<clsScreenshot>();
}

void DestroyServices() {
  gScreenshot.reset();
  gToDo.reset();
  gTempFiles.reset();
  gClipboard.reset();
  gExec.reset();
  gLang.reset();
}

}  // namespace velvane
