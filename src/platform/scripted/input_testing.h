#pragma once
// Scripted keyboard and pointer for the tests. Once a test calls one of the functions below, IsKeyDown and
// CursorPosition answer from the script on every platform (the Windows build included, so the same tests run there).
#include <array>
#include <optional>
#include <utility>

namespace velvane::platform {

namespace detail {

struct InputScript {
  bool on = false;
  std::array<bool, 256> down{};
  std::array<bool, 256> pressed{};  // went down since the last query
  std::pair<int, int> cursor{0, 0};
};

inline InputScript& TheInputScript() {
  static InputScript script;
  return script;
}

inline bool ValidKey(int virtualKey) { return virtualKey > 0 && virtualKey < 256; }

// nullopt while no test has taken over the input.
inline std::optional<bool> ScriptedKeyDown(int virtualKey) {
  InputScript& s = TheInputScript();
  if (!s.on) return std::nullopt;
  if (!ValidKey(virtualKey)) return false;
  const auto k = static_cast<size_t>(virtualKey);
  const bool result = s.down[k] || s.pressed[k];
  s.pressed[k] = false;
  return result;
}

inline std::optional<std::pair<int, int>> ScriptedCursor() {
  const InputScript& s = TheInputScript();
  if (!s.on) return std::nullopt;
  return s.cursor;
}

}  // namespace detail

namespace testing {

// A key going down stays "pressed since the last query" after it goes up again, until IsKeyDown has seen it once.
inline void SetKeyDown(int virtualKey, bool down) {
  detail::InputScript& s = detail::TheInputScript();
  s.on = true;
  if (!detail::ValidKey(virtualKey)) return;
  const auto k = static_cast<size_t>(virtualKey);
  if (down && !s.down[k]) s.pressed[k] = true;
  s.down[k] = down;
}

// Down and up again before the next query.
inline void TapKey(int virtualKey) {
  SetKeyDown(virtualKey, true);
  SetKeyDown(virtualKey, false);
}

inline void SetCursor(int x, int y) {
  detail::InputScript& s = detail::TheInputScript();
  s.on = true;
  s.cursor = {x, y};
}

// All keys up, no pending presses, the pointer at 0, 0; the script stays in charge.
inline void ResetInput() {
  detail::TheInputScript() = detail::InputScript{};
  detail::TheInputScript().on = true;
}

}  // namespace testing

}  // namespace velvane::platform
