#pragma once
// Commands given on the command line, by the first start or handed over by a later one: a verb, optionally followed
// by one blank and an argument. The router runs them on the side bar, and holds those that arrive during the start.
#include <string>
#include <string_view>
#include <vector>

namespace velvane {
struct Velvane;

class CommandRouter {
public:
  explicit CommandRouter(Velvane& app) : app_(app) {}
  CommandRouter(const CommandRouter&) = delete;
  CommandRouter& operator=(const CommandRouter&) = delete;

  // Runs one command; every error inside it ends the command silently.
  void RunCommand(const std::wstring& command);
  // Brings the side bar forward and runs the command line with its outer blanks trimmed.
  void ReceiveCommand(const std::wstring& command);
  // The bytes of a hand-off (ANSI): held while the start is loading, run at once afterwards; empty bytes do nothing.
  void HandOff(std::string_view bytes);
  // Until the start ends the loads would overwrite what a command adds: commands wait, in the order they came.
  void Hold(std::wstring command) { held_.push_back(std::move(command)); }
  // The end of the start: the first start's own command line, then the held commands in order.
  void CompleteStartup(const std::wstring& ownCommand);

private:
  Velvane& app_;
  bool started_ = false;
  std::vector<std::wstring> held_;
};

}  // namespace velvane
