#pragma once
// How a routine below the windows says that it failed: empty on success, else the reason (error number and
// description). RuntimeError is thrown only where a run-time error is to reach the user (start-up, window procedure).
#include <optional>
#include <string>
#include <utility>

#include "common/errors.h"

namespace velvane {

class [[nodiscard]] Outcome {
public:
  Outcome() = default;  // success
  Outcome(ErrorNumber number, std::string reason) : failure_(Failure{number, std::move(reason)}) {}

  explicit operator bool() const { return !failure_.has_value(); }
  int Number() const { return failure_ ? static_cast<int>(failure_->number) : 0; }

private:
  struct Failure {
    ErrorNumber number;
    std::string reason;
  };
  std::optional<Failure> failure_;
};

}  // namespace velvane
