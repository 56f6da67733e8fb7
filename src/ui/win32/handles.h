#pragma once
// The forms layer's handle owners are the platform's (platform/win32/gdi_handles.h), under the layer's own namespace.
#include "platform/win32/gdi_handles.h"

namespace velvane::ui::win32 {
using namespace velvane::platform::win32;
}  // namespace velvane::ui::win32
