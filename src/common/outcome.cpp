#include "common/outcome.h"

#include "platform/files.h"

namespace velvane {

Outcome::Outcome(std::uint32_t systemError)
    : failure_(Failure{systemError, platform::SystemErrorText(systemError)}) {}

std::wstring Outcome::Reason() const {
  if (!failure_) return {};
  const std::wstring number = L"(error " + std::to_wstring(failure_->systemError) + L")";
  return failure_->words.empty() ? number : failure_->words + L" " + number;
}

}  // namespace velvane
