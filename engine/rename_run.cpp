#include "engine/rename_run.h"

#include "engine/name_list.h"

namespace zq {
namespace {

const char kCountsDiffer[] = "文件数和命名名称数量不等！！";
// The failure message lists this many paths at most, so the box stays on the screen.
constexpr std::int32_t kListedFailures = 20;

// The listed path with the file's own name up to its first dot replaced by `name`; sets
// MatchedName to the part replaced. The folder part is taken as it stands: it ends at the
// last backslash character, so the trail byte of a two-byte character never ends it.
Text NewPathFor(const Text& old_path, const Text& name) {
  const std::int32_t last_backslash = TextFindLast(old_path, "\\");
  const Text file_name = TextTail(old_path, TextLength(old_path) - last_backslash);
  const std::int32_t dot = TextFind(file_name, ".", 1);
  MatchedName = dot == -1 ? file_name : TextSlice(file_name, 1, dot - 1);
  const Text rest = dot == -1 ? Text() : TextTail(file_name, TextLength(file_name) - dot + 1);
  return TextJoin(TextSlice(old_path, 1, last_backslash), name, rest);
}

Text FailureMessage(std::int32_t failed, const TextList& listed) {
  TextBuilder message;
  message.Append(TextJoin("有 ", TextFromNumber(failed), " 个文件未能改名："));
  for (const Text& path : listed) {
    message.Append("\r\n", 2);
    message.Append(path);
  }
  if (failed > static_cast<std::int32_t>(listed.size())) message.Append(Text("\r\n……"));
  return message.Take();
}

// Renames file k to name k for every listed file. Returns without touching anything when a
// file has no name.
void RenameListedFiles(Form& form, FileSystem& file_system) {
  const std::int32_t count = form.FileListCount();
  if (static_cast<std::int32_t>(NameList.size()) < count) {
    form.ShowMessage(kCountsDiffer, kButtonsOk);
    return;
  }
  std::int32_t failed = 0;
  TextList failed_paths;
  for (std::int32_t k = 1; k <= count; ++k) {
    const Text old_path = form.FileListItem(k - 1);
    const Text new_path = NewPathFor(old_path, NameList[static_cast<std::size_t>(k - 1)]);
    if (RenameFile(file_system, old_path, new_path)) continue;
    ++failed;
    if (failed <= kListedFailures) failed_paths.push_back(old_path);
  }
  if (failed > 0) form.ShowMessage(FailureMessage(failed, failed_paths), kButtonsOk);
}

bool CountTextsAgree(Form& form) {
  return TextCompare(form.ReadBoxText(Box::NameCountBox), form.ReadBoxText(Box::FileCountBox)) == 0;
}

}  // namespace

Text MatchedName;

void OnStartRenameClicked(Form& form, FileSystem& file_system) {
  if (CountTextsAgree(form) && form.ShowMessage("确定？？", kButtonsOkCancel) == kMessageOk) {
    RenameListedFiles(form, file_system);
  }
  if (!CountTextsAgree(form)) form.ShowMessage(kCountsDiffer, kButtonsOk);
}

Text TextBetween(const Text& text, Text start_marker, Text end_marker) {
  start_marker = TextReplace(start_marker, "#引号", "\"");
  end_marker = TextReplace(end_marker, "#引号", "\"");
  std::int32_t start = TextFind(text, start_marker, 1);
  if (start != -1) start += TextLength(start_marker);
  const std::int32_t end = TextFind(text, end_marker, start);
  if (start == -1 || end == -1) return Text();
  return TextSlice(text, start, end - start);
}

bool RenameFile(FileSystem& file_system, const Text& old_path, const Text& new_path) {
  if (TextCompare(old_path, new_path) == 0) return true;
  return file_system.RenameFile(old_path, new_path);
}

}  // namespace zq
