#include "core/screenshot.h"

namespace velvane {

void clsScreenshot::TakeScreenshot(std::uint8_t& /*kind*/) {
  // Screen capture is not part of this build yet; the hot key is recognised and does nothing.
}

}  // namespace velvane
