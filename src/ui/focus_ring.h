#pragma once
// The focus ring's colour: it has to stand out from whatever a skin puts around the focused control, light, dark or
// both (a white box on a dark background), by the contrast the accessibility guidelines ask of it (3:1 or more).
#include <vector>

#include "common/color.h"

namespace velvane::ui {

// The contrast of two colours as those guidelines measure it: from 1 (the same) to 21 (black on white).
double ContrastRatio(Color a, Color b);
// Of a family of blues from dark to light, the one whose lesser contrast with the darkest and the lightest of the
// colours around it is the greatest.
Color FocusRingColor(const std::vector<Color>& around);

}  // namespace velvane::ui
