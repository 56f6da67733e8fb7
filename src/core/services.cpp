#include "core/services.h"

#include "common/message_box.h"
#include "core/side_bar_view.h"

namespace velvane {

std::unique_ptr<clsLang> gLang;
std::unique_ptr<clsExec> gExec;
std::unique_ptr<clsClipboard> gClipboard;
std::unique_ptr<clsTempFiles> gTempFiles;
std::unique_ptr<clsToDo> gToDo;
std::unique_ptr<clsScreenshot> gScreenshot;

void CreateServices(SideBarView& bar) {
  gLang = std::make_unique<clsLang>(
      [&bar](const std::wstring& text, const std::wstring& title) { bar.Message(text, kMbExclamation, title); });
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
