#include <windows.h>

#include "platform/input.h"

namespace velvane::platform {

bool IsKeyDown(int virtualKey) {
  if (virtualKey <= 0 || virtualKey > 255) return false;
  // Any bit counts: the high bit (down now) or the low bit (pressed since the last call).
  return GetAsyncKeyState(virtualKey) != 0;
}

std::optional<std::pair<int, int>> CursorPosition() {
  POINT p{};
  if (!GetCursorPos(&p)) return std::nullopt;
  return std::make_pair(static_cast<int>(p.x), static_cast<int>(p.y));
}

}  // namespace velvane::platform
