// The form model on the real window: the handlers read and write the controls through it,
// and it turns what the controls report into the six bound events.
#pragma once

#include "core/form.h"
#include "ui/main_window.h"

namespace zq {

class Win32Form : public Form, public WindowEvents {
 public:
  Win32Form() : window_(*this) {}

  MainWindow& Window() { return window_; }
  void Bind(EventBindings bindings) { bindings_ = std::move(bindings); }
  // The window's created event.
  void RaiseCreated();

  // Once the window has been destroyed, reads give "", writes and list changes do nothing
  // and raise nothing: a handler still running then finishes without effect.
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

  NamesFileDialog& FileDialog() override;
  NamesDropTarget& DropTarget() override;
  NativeWindow WindowHandle() override { return window_.Handle(); }

  void ButtonClicked(Control button) override;
  void TextChanged(Control box) override;
  void FilesDropped(const Text& paths) override;

 private:
  void RaiseTextChanged(Box box);

  MainWindow window_;
  EventBindings bindings_;
  // Set while WriteBoxText replaces a box's text: the control's own change reports are
  // ignored then, the write raises its one event itself.
  bool being_written_[5] = {};
};

}  // namespace zq
