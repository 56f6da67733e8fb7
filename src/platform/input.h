#pragma once
// The keyboard and pointer state the hot-key polling and the window drag read.
#include <optional>
#include <utility>

namespace velvane::platform {

// True when the key is down now or was pressed since the previous query of it; code 0 and codes above 255 never are.
bool IsKeyDown(int virtualKey);
// The pointer position in screen pixels; nullopt when it cannot be read.
std::optional<std::pair<int, int>> CursorPosition();

}  // namespace velvane::platform
