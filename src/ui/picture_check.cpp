#include "ui/picture_check.h"

#include <cstdint>

#include "common/errors.h"
#include "platform/files.h"

namespace velvane::ui {

namespace {

std::uint32_t ReadU32(const std::string& b, size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t ReadU16(const std::string& b, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

constexpr std::int64_t kMaxSide = 1 << 16;

[[noreturn]] void Invalid() { throw RuntimeError(ErrorNumber::PictureInvalid, "Invalid picture"); }

}  // namespace

BitmapInfo CheckBitmapFile(const std::wstring& path) {
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) throw RuntimeError(ErrorNumber::FileNotFound, "File not found");
  const std::string& b = *bytes;
  // File header (14 bytes), then the size of the info header that follows.
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') Invalid();
  const std::uint32_t infoSize = ReadU32(b, 14);
  BitmapInfo info;
  if (infoSize == 12) {  // the old OS/2 core header: 16-bit sizes
    info.width = ReadU16(b, 18);
    info.height = ReadU16(b, 20);
  } else if (infoSize >= 40 && infoSize <= 124 && b.size() >= 14 + 40) {
    const std::int64_t width = static_cast<std::int32_t>(ReadU32(b, 18));
    std::int64_t height = static_cast<std::int32_t>(ReadU32(b, 22));
    if (height < 0) height = -height;  // a top-down bitmap
    if (width > kMaxSide || height > kMaxSide) Invalid();
    info.width = static_cast<int>(width);
    info.height = static_cast<int>(height);
  } else {
    Invalid();
  }
  if (info.width <= 0 || info.height <= 0 || ReadU32(b, 10) >= b.size()) Invalid();
  return info;
}

}  // namespace velvane::ui
