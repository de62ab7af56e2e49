// An in-memory form that keeps the same contract as the real window: a write replaces the
// text and raises the text-changed event once, synchronously. Dialog answers are scripted
// and every message shown is recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/form.h"

namespace zq {

// Thrown by FatalStop of the test form and by the test fatal-stop handler, so that a test
// can see a stop without the process ending.
struct FatalStopped {
  std::string message;
  std::int32_t code;
};

// Installs a process-wide fatal-stop handler that throws FatalStopped, for the life of the
// object.
class ScopedFatalStopCatcher {
 public:
  ScopedFatalStopCatcher();
  ~ScopedFatalStopCatcher();
  ScopedFatalStopCatcher(const ScopedFatalStopCatcher&) = delete;
  ScopedFatalStopCatcher& operator=(const ScopedFatalStopCatcher&) = delete;

 private:
  void (*previous_)(const char*, std::int32_t);
};

class TestFileDialog : public NamesFileDialog {
 public:
  bool Open() override;
  Text FileName() override { return file_name; }

  // Each Open takes the next answer: a path chosen with OK, or "" for Cancel.
  std::deque<Text> answers;
  Text file_name;
  int open_calls = 0;
};

class TestDropTarget : public NamesDropTarget {
 public:
  bool RegisterTarget(NativeWindow window) override;

  NativeWindow registered = nullptr;
  bool has_window = false;
};

struct ShownMessage {
  std::string text;
  std::int32_t buttons;
};

class TestForm : public Form {
 public:
  Text ReadBoxText(Box box) override;
  void WriteBoxText(Box box, const Text& text) override;

  void ClearFileList() override;
  void AppendFileListItem(const Text& item) override;
  std::int32_t FileListCount() override;
  Text FileListItem(std::int32_t index) override;

  std::int32_t ShowMessage(const Text& message, std::int32_t buttons) override;
  Text BrowseForFolder(const Text& title) override;
  void PumpPendingEvents() override;
  [[noreturn]] void FatalStop(const Text& message, std::int32_t code) override;

  NamesFileDialog& FileDialog() override { return file_dialog; }
  NamesDropTarget& DropTarget() override { return drop_target; }
  NativeWindow WindowHandle() override { return this; }

  // What the user "does" with the next dialogs: kMessageOk / kMessageCancel per box, a path
  // or "" per folder picker. A box with no answer left gets OK.
  std::deque<std::int32_t> message_answers;
  std::deque<Text> folder_answers;
  std::vector<ShownMessage> shown_messages;
  std::vector<std::string> browse_titles;

  // Runs inside PumpPendingEvents: the events that were waiting.
  std::function<void()> pending_events;
  int pump_calls = 0;

  // The bound handlers; a write raises names_changed for NamesBox.
  EventBindings bindings;
  std::map<Box, int> text_changed_events;

  // Stand-in for the list box refusing an item (Windows refuses items when out of memory).
  std::function<bool(const Text&)> list_refuses;

  TestFileDialog file_dialog;
  TestDropTarget drop_target;

 private:
  std::map<Box, Text> boxes_;
  std::vector<Text> file_list_;
};

}  // namespace zq
