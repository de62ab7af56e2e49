// The rename run when the file system lets it down: each fault hits one file (or the whole
// folder), and the run must go on with the next file, name the failed one in its failure
// message, change no other file, undo nothing and replace nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/folder_listing.h"
#include "tests/engine/rename_run_checks.h"
#include "tests/support/fault_injecting_file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_form.h"

namespace zq {
namespace {

using Contents = std::map<std::string, std::string>;

std::vector<std::string> ListOf(const std::string& folder) {
  TestForm form;
  form.folder_answers.push_back(Text(folder.c_str()));
  OnOpenFolderClicked(form, SystemFileSystem());
  std::vector<std::string> listed;
  for (std::int32_t i = 0; i < form.FileListCount(); ++i) listed.push_back(form.FileListItem(i).ToStdString());
  return listed;
}

std::string JoinedNames(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += name + "\r\n";
  return text;
}

// No file was renamed twice, and no rename took a file back to where an earlier one had
// taken it from.
void ExpectNothingUndone(const std::vector<FaultInjectingFileSystem::RenameCall>& renames) {
  std::set<std::string> renamed_from;
  std::set<std::string> renamed_to;
  for (const auto& call : renames) {
    EXPECT_TRUE(renamed_from.insert(call.old_path).second) << "renamed twice: " << call.old_path;
    EXPECT_EQ(renamed_to.count(call.old_path), 0u) << "renamed back: " << call.old_path;
    if (call.done) renamed_to.insert(call.new_path);
  }
}

struct Setting {
  const TempFolder& folder;
  const TempFolder& elsewhere;
  const std::vector<std::string>& listed;
  const std::vector<std::string>& names;
};

struct FaultRow {
  const char* label;
  std::vector<std::string> names;  // name k for listed file k
  std::function<void(FaultInjectingFileSystem&, const Setting&)> inject;
  std::vector<std::size_t> failing;  // listed positions whose rename must fail
  // What the fault itself (another program, not the run) does to the two folders.
  std::function<void(Contents& folder, Contents& elsewhere, const Setting&)> outside;
};

void RunFaultRow(const FaultRow& row) {
  SCOPED_TRACE(row.label);
  TempFolder folder;
  TempFolder elsewhere;
  for (const char* file : {"a.txt", "b.txt", "c.txt", "d.txt"}) folder.WriteFile(file, std::string("content of ") + file);
  folder.MakeFolder("sub");
  folder.WriteFile("sub\\e.txt", "not listed");
  const std::vector<std::string> listed = ListOf(folder.Path());
  ASSERT_EQ(listed.size(), 4u);
  const Setting setting{folder, elsewhere, listed, row.names};

  Contents expected_folder = folder.Contents();
  Contents expected_elsewhere;
  if (row.outside) row.outside(expected_folder, expected_elsewhere, setting);
  std::vector<std::string> expected_failures;
  for (std::size_t k = 0; k < listed.size(); ++k) {
    if (std::find(row.failing.begin(), row.failing.end(), k) != row.failing.end()) {
      expected_failures.push_back(listed[k]);
      continue;
    }
    const std::string from = RelativeTo(folder.Path(), listed[k]);
    expected_folder[RelativeTo(folder.Path(), ExpectedNewPath(listed[k], row.names[k]))] = expected_folder[from];
    expected_folder.erase(from);
  }

  FaultInjectingFileSystem file_system(SystemFileSystem());
  row.inject(file_system, setting);
  TestForm form;
  const RunOutcome outcome = RunRename(form, file_system, folder.Path(), JoinedNames(row.names));

  EXPECT_EQ(outcome.listed, listed);
  EXPECT_EQ(folder.Contents(), expected_folder);
  EXPECT_EQ(elsewhere.Contents(), expected_elsewhere);
  EXPECT_EQ(file_system.renames.size(), listed.size()) << "the run stopped early";
  ExpectNothingUndone(file_system.renames);

  ASSERT_FALSE(outcome.messages.empty());
  EXPECT_EQ(outcome.messages.front().text, "确定？？");
  const FailureReport report = ReadFailureReport(outcome.messages);
  EXPECT_EQ(outcome.messages.size(), report.shown ? 2u : 1u);
  EXPECT_EQ(report.shown, !expected_failures.empty());
  if (report.shown) {
    EXPECT_EQ(report.count, static_cast<int>(expected_failures.size()));
    EXPECT_EQ(report.paths, expected_failures);
    EXPECT_FALSE(report.more);
  }
}

TEST(RenameRunFaults, EachFaultFailsOnlyItsFileAndTheRunGoesOn) {
  const std::vector<std::string> names = {"w", "x", "y", "z"};
  const FaultRow rows[] = {
      {"no fault", names, [](FaultInjectingFileSystem&, const Setting&) {}, {}, nullptr},
      {"the system refuses the rename of the second file (access denied)", names,
       [](FaultInjectingFileSystem& fs, const Setting& s) { fs.RefuseRenameOf(Text(s.listed[1].c_str())); },
       {1},
       nullptr},
      {"the second file's new path is longer than the system allows",
       {"w", std::string(250, 'n'), "y", "z"},
       [](FaultInjectingFileSystem& fs, const Setting&) { fs.LimitPathLength(259); },
       {1},
       nullptr},
      {"a file appears under the second file's target name just before its rename", names,
       [](FaultInjectingFileSystem& fs, const Setting& s) {
         fs.CreateTargetBeforeRenameOf(Text(s.listed[1].c_str()), "intruder");
       },
       {1},
       [](Contents& folder, Contents&, const Setting& s) {
         folder[RelativeTo(s.folder.Path(), ExpectedNewPath(s.listed[1], s.names[1]))] = "intruder";
       }},
      {"the second file is moved away just before its rename", names,
       [](FaultInjectingFileSystem& fs, const Setting& s) {
         const Text victim(s.listed[1].c_str());
         fs.MoveAwayBeforeRenameOf(victim, victim, Text(s.elsewhere.PathOf("gone.txt").c_str()));
       },
       {1},
       [](Contents& folder, Contents& elsewhere, const Setting& s) {
         const std::string victim = RelativeTo(s.folder.Path(), s.listed[1]);
         elsewhere["gone.txt"] = folder[victim];
         folder.erase(victim);
       }},
      {"the folder is moved away between the listing and the run", names,
       [](FaultInjectingFileSystem& fs, const Setting& s) {
         fs.MoveAwayBeforeRenameOf(Text(s.listed[0].c_str()), Text(s.folder.Path().c_str()),
                                   Text(s.elsewhere.PathOf("moved").c_str()));
       },
       {0, 1, 2, 3},
       [](Contents& folder, Contents& elsewhere, const Setting&) {
         for (const auto& [path, content] : folder) elsewhere["moved\\" + path] = content;
         folder.clear();
       }},
  };
  for (const FaultRow& row : rows) RunFaultRow(row);
}

}  // namespace
}  // namespace zq
