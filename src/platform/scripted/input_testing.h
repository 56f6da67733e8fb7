#pragma once
// The scripted keyboard and pointer: the twin of platform/input.h that the portable build and the Windows unit tests
// link instead of the system's, so the same tests run on both.
namespace velvane::platform::testing {

// A key going down stays "pressed since the last query" after it goes up again, until IsKeyDown has seen it once.
void SetKeyDown(int virtualKey, bool down);
void TapKey(int virtualKey);  // down and up again before the next query
// Until a test places it, the pointer cannot be read.
void SetCursor(int x, int y);
void ResetInput();  // all keys up, no pending presses, the pointer at 0, 0

}  // namespace velvane::platform::testing
