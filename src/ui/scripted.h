#pragma once
// What the headless backend reads from the tests' script beyond the desktop (see ui/testing.h).
#include <optional>

namespace velvane::ui::detail {

std::optional<int> DpiOverride();  // the DPI of the headless windows

}  // namespace velvane::ui::detail
