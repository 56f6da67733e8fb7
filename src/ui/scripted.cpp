#include "ui/scripted.h"

#include <deque>
#include <functional>
#include <utility>

#include "ui/testing.h"

namespace velvane::ui {

namespace {

constexpr int kButtonsMask = 7;  // the classic button sets of a message box style

// The tests' desktop: boxes and dialogs logged and answered from the queues, the screen as set.
struct Script final : Desktop {
  std::deque<int> msgAnswers;
  std::deque<std::optional<std::wstring>> inputAnswers;
  std::deque<std::optional<std::wstring>> fileAnswers;
  std::vector<testing::ShownMessage> messages;
  std::vector<testing::ShownInputBox> inputs;
  std::vector<testing::ShownFileDialog> files;
  std::optional<std::pair<int, int>> screen;
  std::optional<Rect> workArea;
  std::optional<std::vector<Monitor>> monitors;
  std::optional<int> dpi;
  std::optional<int> quit;
  std::optional<SystemColors> highContrast;
  bool animations = true;
  std::function<void()> whileMsgBox;

  int MsgBox(const std::wstring& text, int style, const std::wstring& title) override {
    messages.push_back({text, style, title});
    if (const auto meanwhile = std::exchange(whileMsgBox, nullptr)) meanwhile();
    if (!msgAnswers.empty()) return Next(msgAnswers);
    switch (style & kButtonsMask) {
      case kMbYesNo: return kAnswerNo;
      case kMbOkCancel: return kAnswerCancel;
      default: return kAnswerOk;
    }
  }
  std::optional<std::wstring> InputBox(const std::wstring& prompt, const std::wstring& title,
                                       const std::wstring& initial) override {
    inputs.push_back({prompt, title, initial});
    return inputAnswers.empty() ? std::nullopt : Next(inputAnswers);
  }
  std::optional<std::wstring> FileDialog(bool save, const FileDialogOptions& options) override {
    files.push_back({save, options.title, options.filter, options.initialDir});
    return fileAnswers.empty() ? std::nullopt : Next(fileAnswers);
  }
  Rect Screen() override { return screen ? Rect{0, 0, screen->first, screen->second} : SystemDesktop().Screen(); }
  Rect WorkArea() override { return workArea ? *workArea : SystemDesktop().WorkArea(); }
  std::vector<Monitor> Monitors() override {
    if (monitors) return *monitors;
    std::vector<Monitor> list = SystemDesktop().Monitors();
    if (screen) list.front().bounds = Screen();
    if (workArea) list.front().work = *workArea;  // a work area set here stands for the primary monitor's
    return list;
  }
  void Quit(int exitCode) override { quit = exitCode; }  // the thread's queue stays clean for the next test
  std::optional<SystemColors> HighContrast() override { return highContrast; }
  bool ClientAreaAnimation() override { return animations; }

  template <typename T>
  static T Next(std::deque<T>& queue) {
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
  }
};

Script& TheScript() {
  static Script script;
  return script;
}

Script& On() {
  UseDesktop(&TheScript());
  return TheScript();
}

}  // namespace

namespace detail {

std::optional<int> DpiOverride() { return TheScript().dpi; }

}  // namespace detail

namespace testing {

void Reset() {
  TheScript() = Script{};
  On();
}

void SetScripted(bool on) { UseDesktop(on ? &TheScript() : nullptr); }

void PushMsgBoxAnswer(int answer) { On().msgAnswers.push_back(answer); }
void WhileNextMsgBox(std::function<void()> meanwhile) { On().whileMsgBox = std::move(meanwhile); }
void PushInputBoxAnswer(std::optional<std::wstring> answer) { On().inputAnswers.push_back(std::move(answer)); }
void PushFileDialogAnswer(std::optional<std::wstring> path) { On().fileAnswers.push_back(std::move(path)); }

const std::vector<ShownMessage>& MessageLog() { return On().messages; }
const std::vector<ShownInputBox>& InputBoxLog() { return On().inputs; }
const std::vector<ShownFileDialog>& FileDialogLog() { return On().files; }

void SetScreenSize(int width, int height) { On().screen = std::make_pair(width, height); }
void SetWorkArea(Rect area) { On().workArea = area; }
void SetMonitors(std::vector<Monitor> monitors) { On().monitors = std::move(monitors); }
void SetDpi(int dpi) { On().dpi = dpi; }
void SetHighContrast(std::optional<SystemColors> colors) { On().highContrast = colors; }
void SetClientAreaAnimation(bool on) { On().animations = on; }

std::optional<int> QuitRequested() { return TheScript().quit; }

bool FireTimer(Timer& timer) {
  if (!timer.Enabled() || timer.Interval() <= 0 || timer.Parent().Closed()) return false;
  timer.NotifyTick();
  return true;
}

}  // namespace testing

}  // namespace velvane::ui
