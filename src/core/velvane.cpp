#include "core/velvane.h"

#include "common/message_box.h"
#include "core/side_bar_view.h"

namespace velvane {

Velvane::Velvane(SideBarView& view)
    : bar(view), lang(store, [&view](const std::wstring& text, const std::wstring& title) {
        view.Message(text, kMbExclamation, title);
      }) {}

}  // namespace velvane
