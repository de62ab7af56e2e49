// Runs the rename run over arbitrary listed paths and names (malformed two-byte text
// included) against a port that only records, and holds every rename it asks for, its
// failure message and MatchedName against the reference model.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/name_list.h"
#include "engine/rename_run.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/reference_text.h"
#include "tests/support/test_form.h"

namespace zq {
namespace {

namespace ref = reference;

struct Call {
  std::string old_path;
  std::string new_path;
};

// Touches nothing: records each rename and fails those whose bit in `failures` is set.
class RecordingFileSystem : public FileSystem {
 public:
  explicit RecordingFileSystem(std::uint32_t failures) : failures_(failures) {}
  std::unique_ptr<DirectorySearch> StartSearch(const Text&) override { return nullptr; }
  bool RenameFile(const Text& old_path, const Text& new_path) override {
    calls.push_back({old_path.ToStdString(), new_path.ToStdString()});
    return (failures_ >> ((calls.size() - 1) % 32) & 1) == 0;
  }
  bool ReadWholeFile(const Text&, ByteBuffer&) override { return false; }

  std::vector<Call> calls;

 private:
  std::uint32_t failures_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// The file name of a listed path: what follows its last backslash character.
std::string FileNameOf(const std::string& path) {
  const std::int32_t backslash = ref::FindLast(path, "\\");
  return backslash == -1 ? path : path.substr(static_cast<std::size_t>(backslash));
}

std::string NewPath(const std::string& old_path, const std::string& name) {
  const std::string file = FileNameOf(old_path);
  const std::string folder = old_path.substr(0, old_path.size() - file.size());
  const std::int32_t dot = ref::Find(file, ".", 1);
  return folder + name + (dot == -1 ? "" : file.substr(static_cast<std::size_t>(dot - 1)));
}

std::string OldName(const std::string& old_path) {
  const std::string file = FileNameOf(old_path);
  const std::int32_t dot = ref::Find(file, ".", 1);
  return dot == -1 ? file : file.substr(0, static_cast<std::size_t>(dot - 1));
}

std::string Shown(const TestForm& form) {
  std::string all;
  for (const ShownMessage& message : form.shown_messages) all += "[" + message.text + "]";
  return all;
}

}  // namespace
}  // namespace zq

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zq;
  fuzz::FuzzInput input(data, size);
  const auto failures = static_cast<std::uint32_t>(input.Number());
  const std::string names_text = input.Piece();
  const std::string listing = input.Piece();
  const std::vector<std::string> names = ref::Split(names_text, "\r\n");
  const std::vector<std::string> paths = Lines(listing);

  TestForm form;
  form.bindings.names_changed = [&form] { OnNamesChanged(form); };
  InitGlobals();
  for (const std::string& path : paths) form.AppendFileListItem(Text(path.data(), static_cast<std::int32_t>(path.size())));
  form.WriteBoxText(Box::NamesBox, Text(names_text.data(), static_cast<std::int32_t>(names_text.size())));
  // The user typed the name count over the file count: the run starts whatever the counts.
  form.WriteBoxText(Box::FileCountBox, form.ReadBoxText(Box::NameCountBox));
  RecordingFileSystem file_system(failures);
  OnStartRenameClicked(form, file_system);

  std::vector<std::string> expected_messages = {"确定？？"};
  std::vector<Call> expected_calls;
  std::vector<std::string> failed;
  if (names.size() < paths.size()) {
    expected_messages.push_back("文件数和命名名称数量不等！！");
  } else {
    for (std::size_t k = 0; k < paths.size(); ++k) {
      const std::string new_path = NewPath(paths[k], names[k]);
      if (new_path == paths[k]) continue;
      expected_calls.push_back({paths[k], new_path});
      if ((failures >> ((expected_calls.size() - 1) % 32) & 1) != 0) failed.push_back(paths[k]);
    }
    if (!failed.empty()) {
      std::string message = "有 " + std::to_string(failed.size()) + " 个文件未能改名：";
      for (std::size_t i = 0; i < failed.size() && i < 20; ++i) message += "\r\n" + failed[i];
      if (failed.size() > 20) message += "\r\n……";
      expected_messages.push_back(message);
    }
    if (!paths.empty() && MatchedName.ToStdString() != OldName(paths.back())) {
      fuzz::Differs("MatchedName", {names_text, listing}, MatchedName.ToStdString(), OldName(paths.back()));
    }
  }

  if (file_system.calls.size() != expected_calls.size()) {
    fuzz::Differs("rename count", {names_text, listing}, std::to_string(file_system.calls.size()),
                  std::to_string(expected_calls.size()));
  }
  for (std::size_t i = 0; i < expected_calls.size(); ++i) {
    const Call& real = file_system.calls[i];
    const Call& expected = expected_calls[i];
    if (real.old_path != expected.old_path || real.new_path != expected.new_path) {
      fuzz::Differs("rename", {names_text, listing}, real.old_path + " -> " + real.new_path,
                    expected.old_path + " -> " + expected.new_path);
    }
  }
  std::string expected_shown;
  for (const std::string& message : expected_messages) expected_shown += "[" + message + "]";
  if (Shown(form) != expected_shown) fuzz::Differs("messages", {names_text, listing}, Shown(form), expected_shown);
  ReleaseGlobals();
  return 0;
}
