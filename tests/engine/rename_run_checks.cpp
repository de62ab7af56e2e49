#include "tests/engine/rename_run_checks.h"

#include "engine/folder_listing.h"
#include "engine/name_list.h"
#include "engine/rename_run.h"

namespace zq {
namespace {

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Offset of the first (or the last) `wanted` byte that starts a character; a trail byte of
// the same value does not count.
std::size_t FindCharacter(const std::string& s, char wanted, bool last) {
  std::size_t found = std::string::npos;
  for (std::size_t p = 0; p < s.size(); p += IsLeadByte(s[p]) ? 2 : 1) {
    if (s[p] != wanted) continue;
    found = p;
    if (!last) break;
  }
  return found;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

RunOutcome RunRename(TestForm& form, FileSystem& file_system, const std::string& folder,
                     const std::string& names_text, const std::function<void(TestForm&)>& before_click) {
  form.bindings.names_changed = [&form] { OnNamesChanged(form); };
  form.folder_answers.push_back(Text(folder.c_str()));
  OnOpenFolderClicked(form, file_system);
  form.WriteBoxText(Box::NamesBox, Text(names_text.data(), static_cast<std::int32_t>(names_text.size())));
  if (before_click) before_click(form);
  form.message_answers.push_back(kMessageOk);
  OnStartRenameClicked(form, file_system);

  RunOutcome outcome;
  for (std::int32_t i = 0; i < form.FileListCount(); ++i) outcome.listed.push_back(form.FileListItem(i).ToStdString());
  outcome.messages = form.shown_messages;
  return outcome;
}

FailureReport ReadFailureReport(const std::vector<ShownMessage>& messages) {
  const std::string heading_start = "有 ";
  const std::string heading_end = " 个文件未能改名：";
  FailureReport report;
  for (const ShownMessage& message : messages) {
    if (message.text.compare(0, heading_start.size(), heading_start) != 0) continue;
    report.shown = true;
    std::vector<std::string> lines = Lines(message.text);
    const std::string& heading = lines.front();
    const std::size_t end = heading.find(heading_end);
    if (end != std::string::npos && end + heading_end.size() == heading.size()) {
      report.count = std::stoi(heading.substr(heading_start.size(), end - heading_start.size()));
    }
    lines.erase(lines.begin());
    if (!lines.empty() && lines.back() == "……") {
      report.more = true;
      lines.pop_back();
    }
    report.paths = lines;
  }
  return report;
}

std::size_t LastBackslash(const std::string& path) { return FindCharacter(path, '\\', true); }

std::string ExpectedNewPath(const std::string& old_path, const std::string& name) {
  const std::size_t backslash = LastBackslash(old_path);
  const std::size_t name_start = backslash == std::string::npos ? 0 : backslash + 1;
  const std::string file_name = old_path.substr(name_start);
  const std::size_t dot = FindCharacter(file_name, '.', false);
  return old_path.substr(0, name_start) + name + (dot == std::string::npos ? "" : file_name.substr(dot));
}

std::string RelativeTo(const std::string& folder, const std::string& path) {
  const std::string prefix = folder + "\\";
  if (path.compare(0, prefix.size(), prefix) != 0) return "";
  return path.substr(prefix.size());
}

}  // namespace zq
