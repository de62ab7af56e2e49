// The program's one window: its controls, their look, and the keys the window handles
// itself (Tab, Shift+Tab, Esc). What the controls report goes to a WindowEvents receiver.
#pragma once

#include <windows.h>

#include <memory>

#include "core/form.h"
#include "core/text.h"
#include "ui/drop_target.h"
#include "ui/open_file_dialog.h"
#include "ui/win32_handles.h"

namespace zq {

// The controls in creation order, which is also the order of the Tab cycle.
enum class Control {
  FolderPathBox,
  StartRenameButton,
  OpenFolderButton,
  FolderLabel,
  FileListGroup,
  FileListBox,
  FolderNameBox,
  NamesBox,
  NamesLabel,
  NameCountBox,
  FileCountBox,
  FileCountLabel,
  NameCountLabel,
  OpenNamesFileButton,
};
constexpr int kControlCount = 14;

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void ButtonClicked(Control button) = 0;
  // A change of an edit control's text, as the control reports it.
  virtual void TextChanged(Control box) = 0;
  virtual void FilesDropped(const Text& paths) = 0;
};

class MainWindow {
 public:
  explicit MainWindow(WindowEvents& events) : events_(events) {}
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window, still hidden, with its controls and components. False when the
  // window cannot be created.
  bool Create(HINSTANCE instance);
  // Shows the window normally; the activation puts the focus on the first tab stop.
  void Show();

  // False once the window has been destroyed; then every handle below is null.
  bool IsOpen() const { return window_ != nullptr; }
  HWND Handle() const { return window_; }
  HWND ControlHandle(Control control) const { return controls_[static_cast<int>(control)]; }

  // The two components placed on the window. They outlive the window itself, so that a
  // handler inside the dialog still finds its component when the window is closed meanwhile.
  NamesFileDialog& FileDialogComponent() { return *file_dialog_; }
  NamesDropTarget& DropTargetComponent() { return *drop_target_; }

  // Offered every message before it is dispatched: takes Tab, Shift+Tab and Esc pressed in
  // the window or one of its controls. True when the message was taken.
  bool PreTranslate(const MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  bool CreateControls(HINSTANCE instance);
  void OnCommand(WPARAM wparam);
  LRESULT OnControlColor(UINT message, HDC dc, HWND control);
  void OnActivate(WPARAM wparam);
  void OnSetFocus();
  void OnDestroy();
  void OnNcDestroy();
  // The next tab stop after (step 1) or before (step -1) `from`, wrapping around.
  HWND NextTabStop(HWND from, int step) const;

  WindowEvents& events_;
  HWND window_ = nullptr;
  HWND controls_[kControlCount] = {};
  HWND focus_when_deactivated_ = nullptr;
  UniqueIcon big_icon_;
  UniqueIcon small_icon_;
  std::unique_ptr<OpenFileDialog> file_dialog_;
  std::unique_ptr<DropTarget> drop_target_;
};

}  // namespace zq
