#pragma once
// A colour as the skins and the forms give it: red, green and blue, a byte each.
#include <cstdint>

namespace velvane {

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

}  // namespace velvane
