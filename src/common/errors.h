#pragma once
// Run-time errors of Velvane's routines. A routine either traps its own errors and answers an empty value, or lets
// a RuntimeError travel to its caller; start-up shows the one that reaches it and ends. Descriptions are UTF-8.
#include <stdexcept>
#include <string>

namespace velvane {

enum class ErrorNumber : int {
  InvalidCall = 5,    // invalid procedure call or argument
  Overflow = 6,       // a number outside its type's range
  Internal = 51,      // an unexpected failure that carries no number of its own
  FileNotFound = 53,
  FileAccess = 75,    // path or file access error
  PathNotFound = 76,
  ObjectRequired = 424,
  PictureInvalid = 481,
};

class RuntimeError : public std::runtime_error {
public:
  RuntimeError(ErrorNumber number, const std::string& description, std::string source = "Velvane")
      : std::runtime_error(description), number_(number), source_(std::move(source)) {}
  int Number() const { return static_cast<int>(number_); }
  const std::string& Source() const { return source_; }

private:
  ErrorNumber number_;
  std::string source_;
};

}  // namespace velvane
