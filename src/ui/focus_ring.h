#pragma once
// The focus ring's colour: it has to stand out from what a skin puts on either side of it, light, dark or one of each
// (a light card on a dark background), by the contrast the accessibility guidelines ask of it (3:1 or more).
#include <vector>

#include "common/color.h"

namespace velvane::ui {

// The contrast of two colours as those guidelines measure it: from 1 (the same) to 21 (black on white).
double ContrastRatio(Color a, Color b);
// Of a family of blues from dark to light, the one that stands out most from the colour most of the pixels outside the
// ring have and from the one most of those inside it have (a stray pixel of another colour does not decide it).
Color FocusRingColor(const std::vector<Color>& outside, const std::vector<Color>& inside);

}  // namespace velvane::ui
