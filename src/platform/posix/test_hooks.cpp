#include "platform/test_hooks.h"

namespace velvane::platform::testing {

std::vector<std::wstring>& StartedPrograms() {
  static std::vector<std::wstring> started;
  return started;
}

std::vector<std::wstring>& OpenedPaths() {
  static std::vector<std::wstring> opened;
  return opened;
}

}  // namespace velvane::platform::testing
