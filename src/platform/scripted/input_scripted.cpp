// The scripted keyboard and pointer (platform/scripted/input_testing.h): idle until a test scripts them.
#include <array>

#include "platform/input.h"
#include "platform/scripted/input_testing.h"

namespace velvane::platform {
namespace {

struct InputScript {
  std::array<bool, 256> down{};
  std::array<bool, 256> pressed{};  // went down since the last query
  std::optional<std::pair<int, int>> cursor;
};

InputScript& Script() {
  static InputScript script;
  return script;
}

bool ValidKey(int virtualKey) { return virtualKey > 0 && virtualKey < 256; }

}  // namespace

bool IsKeyDown(int virtualKey) {
  if (!ValidKey(virtualKey)) return false;
  InputScript& s = Script();
  const auto k = static_cast<size_t>(virtualKey);
  const bool result = s.down[k] || s.pressed[k];
  s.pressed[k] = false;
  return result;
}

std::optional<std::pair<int, int>> CursorPosition() { return Script().cursor; }

namespace testing {

void SetKeyDown(int virtualKey, bool down) {
  if (!ValidKey(virtualKey)) return;
  InputScript& s = Script();
  const auto k = static_cast<size_t>(virtualKey);
  if (down && !s.down[k]) s.pressed[k] = true;
  s.down[k] = down;
}

void TapKey(int virtualKey) {
  SetKeyDown(virtualKey, true);
  SetKeyDown(virtualKey, false);
}

void SetCursor(int x, int y) { Script().cursor = {x, y}; }

void ResetInput() {
  Script() = InputScript{};
  Script().cursor = {0, 0};
}

}  // namespace testing
}  // namespace velvane::platform
