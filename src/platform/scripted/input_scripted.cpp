// Without a window system the keyboard is idle and there is no pointer, unless a test scripts them.
#include "platform/input.h"
#include "platform/input_testing.h"

namespace velvane::platform {

bool IsKeyDown(int virtualKey) { return detail::ScriptedKeyDown(virtualKey).value_or(false); }

std::optional<std::pair<int, int>> CursorPosition() {
  return detail::ScriptedCursor();
}

}  // namespace velvane::platform
