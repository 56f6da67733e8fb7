#pragma once
// How a routine below the windows says whether it did its work: empty on success, else the reason in the words a
// person reads, with the system's error number. RuntimeError is thrown only where a run-time error is to reach the
// user (start-up, window procedure).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace velvane {

class [[nodiscard]] Outcome {
public:
  Outcome() = default;  // success
  // A failure, told in the system's own words for its error number.
  explicit Outcome(std::uint32_t systemError);

  explicit operator bool() const { return !failure_.has_value(); }
  std::uint32_t SystemError() const { return failure_ ? failure_->systemError : 0; }
  // "The process cannot access the file because it is being used by another process. (error 32)"; "" on success.
  std::wstring Reason() const;

private:
  struct Failure {
    std::uint32_t systemError;
    std::wstring words;
  };
  std::optional<Failure> failure_;
};

}  // namespace velvane
