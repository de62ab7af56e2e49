#include "tests/support/test_form.h"

#include "core/fatal_stop.h"

namespace zq {
namespace {

[[noreturn]] void ThrowFatalStopped(const char* message, std::int32_t code) {
  throw FatalStopped{message == nullptr ? std::string() : std::string(message), code};
}

}  // namespace

ScopedFatalStopCatcher::ScopedFatalStopCatcher()
    : previous_(SetFatalStopHandler(&ThrowFatalStopped)) {}

ScopedFatalStopCatcher::~ScopedFatalStopCatcher() { SetFatalStopHandler(previous_); }

bool TestFileDialog::Open() {
  ++open_calls;
  Text answer;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  if (answer.IsEmpty()) return false;
  file_name = answer;
  return true;
}

bool TestDropTarget::RegisterTarget(NativeWindow window) {
  if (has_window) return false;
  has_window = true;
  registered = window;
  return true;
}

Text TestForm::ReadBoxText(Box box) { return boxes_[box]; }

void TestForm::WriteBoxText(Box box, const Text& text) {
  boxes_[box] = text;
  ++text_changed_events[box];
  if (box == Box::NamesBox && bindings.names_changed) bindings.names_changed();
}

void TestForm::ClearFileList() { file_list_.clear(); }

void TestForm::AppendFileListItem(const Text& item) {
  if (list_refuses && list_refuses(item)) return;
  file_list_.push_back(item);
}

std::int32_t TestForm::FileListCount() { return static_cast<std::int32_t>(file_list_.size()); }

Text TestForm::FileListItem(std::int32_t index) {
  if (index < 0 || index >= FileListCount()) return Text();
  return file_list_[static_cast<std::size_t>(index)];
}

std::int32_t TestForm::ShowMessage(const Text& message, std::int32_t buttons) {
  shown_messages.push_back({message.ToStdString(), buttons});
  if (message_answers.empty()) return kMessageOk;
  const std::int32_t answer = message_answers.front();
  message_answers.pop_front();
  return answer;
}

Text TestForm::BrowseForFolder(const Text& title) {
  browse_titles.push_back(title.ToStdString());
  if (folder_answers.empty()) return Text();
  Text answer = folder_answers.front();
  folder_answers.pop_front();
  return answer;
}

void TestForm::PumpPendingEvents() {
  ++pump_calls;
  if (pending_events) {
    // The events run once: they were waiting, and are handled now.
    std::function<void()> events = std::move(pending_events);
    pending_events = nullptr;
    events();
  }
}

void TestForm::FatalStop(const Text& message, std::int32_t code) {
  ThrowFatalStopped(message.CStr(), code);
}

}  // namespace zq
