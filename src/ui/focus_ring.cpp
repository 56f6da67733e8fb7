#include "ui/focus_ring.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

namespace velvane::ui {

namespace {

double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Color c) { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }

// A blue of the given lightness (0 navy to 1 pale), through the blue Windows draws its own focus in.
Color Blue(double t) {
  const auto mix = [](double a, double b, double f) { return static_cast<std::uint8_t>(std::lround(a + (b - a) * f)); };
  if (t < 0.5) return {0, mix(40, 120, t * 2), mix(110, 215, t * 2)};
  return {mix(0, 110, t * 2 - 1), mix(120, 200, t * 2 - 1), mix(215, 255, t * 2 - 1)};
}

}  // namespace

double ContrastRatio(Color a, Color b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color FocusRingColor(const std::vector<Color>& outside, const std::vector<Color>& inside) {
  const auto common = [](const std::vector<Color>& pixels) {
    std::map<std::uint32_t, int> counts;
    for (Color c : pixels) ++counts[static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b)];
    const auto most = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; });
    const std::uint32_t rgb = most == counts.end() ? 0 : most->first;
    return Color{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
  };
  const Color out = outside.empty() ? common(inside) : common(outside);
  const Color in = inside.empty() ? out : common(inside);
  constexpr int kShades = 48;
  Color best = Blue(0);
  double bestContrast = 0;
  for (int i = 0; i <= kShades; ++i) {
    const Color c = Blue(static_cast<double>(i) / kShades);
    const double contrast = std::min(ContrastRatio(c, out), ContrastRatio(c, in));
    if (contrast > bestContrast) bestContrast = contrast, best = c;
  }
  return best;
}

}  // namespace velvane::ui
