#include "ui/names_file_loading.h"

namespace zq {
namespace {

// A file that cannot be read leaves the box as it is and says so: the user's names are not
// thrown away without a word.
void LoadNamesFile(Form& form, FileSystem& file_system, const Text& path) {
  ByteBuffer bytes;
  if (!file_system.ReadWholeFile(path, bytes)) {
    form.ShowMessage(TextJoin("无法读取名字文件：", path), kButtonsOk);
    return;
  }
  const Text names = TextFromBytes(bytes);
  // Freed before the write, so the box's copy is not a third one.
  bytes.Clear();
  form.WriteBoxText(Box::NamesBox, names);
}

}  // namespace

void OnMainWindowCreated(Form& form) { form.DropTarget().RegisterTarget(form.WindowHandle()); }

void OnOpenNamesFileClicked(Form& form, FileSystem& file_system) {
  NamesFileDialog& dialog = form.FileDialog();
  // Cancel keeps the box; the file chosen before is not read again.
  if (!dialog.Open()) return;
  LoadNamesFile(form, file_system, dialog.FileName());
}

void OnFileDropped(Form& form, FileSystem& file_system, const Text& paths) {
  LoadNamesFile(form, file_system, paths);
}

}  // namespace zq
