#pragma once
// The file checks every backend makes before a bitmap becomes a picture, so that a missing or broken skin file fails
// the same way on screen and in the tests.
#include <string>

namespace velvane::ui {

struct BitmapInfo {
  int width = 0;
  int height = 0;
};

// The size of the Windows bitmap (.bmp) file; throws RuntimeError FileNotFound when the file cannot be read and
// PictureInvalid when it is not a bitmap.
BitmapInfo CheckBitmapFile(const std::wstring& path);

}  // namespace velvane::ui
