// Random folders and random names lists, run through the real handlers on real temporary
// folders. Whatever the names, the run may fail single files but never lose, duplicate or
// replace one: every file ends at its new path or is named in the failure message, and
// nothing leaves the folder except into a subfolder a name points into.
//
// ZQ_PROPERTY_SEED picks the first case's seed and ZQ_PROPERTY_CASES the number of cases; a
// failing case prints its seed, and the two variables replay it alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/engine/rename_run_checks.h"
#include "tests/support/fault_injecting_file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_form.h"

namespace zq {
namespace {

#ifdef _WIN32
// Wine starts files and folders slowly; the Linux run covers the bulk.
constexpr int kDefaultCases = 100;
#else
constexpr int kDefaultCases = 400;
#endif
constexpr std::uint32_t kDefaultSeed = 20261211;

// Small and the same on every platform (the standard distributions are not).
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  std::uint32_t Below(std::uint32_t n) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return n == 0 ? 0 : state_ % n;
  }
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }
  template <class T>
  const T& Pick(const std::vector<T>& from) { return from[Below(static_cast<std::uint32_t>(from.size()))]; }

 private:
  std::uint32_t state_;
};

// Pieces of names: ASCII, a space, a dot, two-byte characters (乗, 誠 and 轡 have 0x5C, a
// backslash, as their second byte).
const std::vector<std::string> kParts = {"a", "b", "IMG", "x", "Y", "1", "_", " ", ".",
                                         "照片", "文件", "乗", "誠", "轡"};
const std::vector<std::string> kExtensions = {"", ".txt", ".jpg", ".tar.gz", ".", ".照片", ". a", ".乗"};
// Characters no Windows file name holds (Linux takes them).
const std::vector<std::string> kRefusedOnWindows = {":", "?", "*", "<", ">", "|", "\""};
const std::vector<std::string> kSubfolders = {"sub", "子目录", "d 1", "乗"};

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

std::string Stem(Random& random, std::uint32_t max_parts) {
  std::string stem;
  for (std::uint32_t n = random.Below(max_parts + 1); n > 0; --n) stem += random.Pick(kParts);
  return stem;
}

std::string Escaped(const std::string& bytes) {
  std::string out;
  char code[8];
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    }
  }
  return out;
}

// Where a rename to `relative` really puts the file: a slash separates as a backslash does;
// Windows drops trailing dots and spaces from the last component, and a last component left
// empty (as "." is) names its folder.
std::string AsStored(std::string relative) {
  for (char& c : relative) {
    if (c == '/') c = '\\';  // never a trail byte: those are 0x40 and above
  }
#ifdef _WIN32
  const std::size_t last = LastBackslash(relative);
  const std::size_t start = last == std::string::npos ? 0 : last + 1;
  while (relative.size() > start && (relative.back() == ' ' || relative.back() == '.')) relative.pop_back();
  if (relative.size() == start && start > 0) relative.pop_back();
#endif
  return relative;
}

struct Case {
  std::vector<std::string> subfolders;   // created in the folder
  std::vector<std::string> files;        // created in the folder, with their contents
  std::vector<std::string> other_files;  // inside subfolders, never listed
  std::vector<std::string> names;
  bool final_line_break = false;
  bool file_count_typed_over = false;    // the user made the counts agree by hand

  std::string NamesText() const {
    std::string text;
    for (std::size_t k = 0; k < names.size(); ++k) text += (k > 0 ? "\r\n" : "") + names[k];
    // Without a line break after it, an empty last line would be no name at all.
    if (!names.empty() && (final_line_break || names.back().empty())) text += "\r\n";
    return text;
  }

  std::string Describe() const {
    std::string out = "files:";
    for (const std::string& f : files) out += " [" + Escaped(f) + "]";
    out += "; subfolders:";
    for (const std::string& s : subfolders) out += " [" + Escaped(s) + "]";
    out += "; names:";
    for (const std::string& n : names) out += " [" + Escaped(n) + "]";
    return out;
  }
};

std::string FileName(Random& random) {
  for (;;) {
    std::string name = Stem(random, 3) + random.Pick(kExtensions);
    if (name.empty() || name == "." || name == "..") continue;
#ifdef _WIN32
    if (name.back() == ' ' || name.back() == '.') continue;  // Windows cannot make these
#endif
    return name;
  }
}

std::string StemOf(const std::string& file) { return file.substr(0, file.find('.')); }

std::string MakeName(Random& random, const Case& c, std::size_t k) {
  switch (random.Below(11)) {
    case 0:
      return Stem(random, 3);
    case 1:
      return k > 0 ? c.names[random.Below(static_cast<std::uint32_t>(k))] : Stem(random, 2);
    case 2:
      return "";
    case 3:
      return StemOf(random.Pick(c.files));
    case 4:
      return random.Pick(c.files);
    case 5:
      return c.subfolders.empty() ? Stem(random, 2) : random.Pick(c.subfolders) + "\\" + Stem(random, 2);
    case 6:
      return "无此目录\\" + Stem(random, 2);
    case 7:
      return Stem(random, 2) + std::string(1 + random.Below(3), ' ');
    case 8:
      return Stem(random, 2) + random.Pick(kRefusedOnWindows) + Stem(random, 2);
    case 9:
      return c.subfolders.empty() ? Stem(random, 2) : random.Pick(c.subfolders) + "/" + Stem(random, 2);
    default:
      return StemOf(c.files[k % c.files.size()]);
  }
}

Case MakeCase(Random& random) {
  Case c;
  for (const std::string& sub : kSubfolders) {
    if (random.Chance(40)) c.subfolders.push_back(sub);
  }
  std::set<std::string> taken;
  for (const std::string& sub : c.subfolders) taken.insert(Lower(sub));
  for (std::uint32_t n = random.Below(13); n > 0; --n) {
    const std::string file = FileName(random);
    if (taken.insert(Lower(file)).second) c.files.push_back(file);
  }
  for (const std::string& sub : c.subfolders) {
    if (random.Chance(50)) c.other_files.push_back(sub + "\\" + (c.files.empty() ? "x.txt" : random.Pick(c.files)));
  }
  for (std::size_t k = 0; k < c.files.size(); ++k) c.names.push_back(MakeName(random, c, k));
  if (random.Chance(6)) {
    if (!c.names.empty() && random.Chance(50)) {
      c.names.pop_back();
      c.file_count_typed_over = random.Chance(50);
    } else {
      c.names.push_back(Stem(random, 2));
    }
  }
  c.final_line_break = random.Chance(50);
  return c;
}

using Contents = std::map<std::string, std::string>;

std::vector<std::string> ContentsOnly(const Contents& contents) {
  std::vector<std::string> all;
  for (const auto& entry : contents) all.push_back(entry.second);
  std::sort(all.begin(), all.end());
  return all;
}

void CheckCase(const Case& c) {
  TempFolder folder;
  for (const std::string& sub : c.subfolders) folder.MakeFolder(sub);
  for (std::size_t i = 0; i < c.files.size(); ++i) folder.WriteFile(c.files[i], "file " + std::to_string(i));
  for (std::size_t i = 0; i < c.other_files.size(); ++i) folder.WriteFile(c.other_files[i], "other " + std::to_string(i));
  const Contents before = folder.Contents();
  ASSERT_EQ(before.size(), c.files.size() + c.other_files.size()) << "the case could not be set up";

  FaultInjectingFileSystem recorder(SystemFileSystem());
  TestForm form;
  const std::string names_count = std::to_string(c.names.size());
  const RunOutcome outcome =
      RunRename(form, recorder, folder.Path(), c.NamesText(), [&](TestForm& f) {
        if (c.file_count_typed_over) f.WriteBoxText(Box::FileCountBox, Text(names_count.c_str()));
      });
  const Contents after = folder.Contents();

  // Nothing lost, nothing duplicated, nothing replaced.
  ASSERT_EQ(ContentsOnly(after), ContentsOnly(before));

  const bool counts_agree = c.names.size() == c.files.size();
  if (!counts_agree) {
    EXPECT_TRUE(recorder.renames.empty());
    EXPECT_EQ(after, before);
    ASSERT_FALSE(outcome.messages.empty());
    EXPECT_EQ(outcome.messages.back().text, "文件数和命名名称数量不等！！");
    return;
  }
  ASSERT_EQ(outcome.listed.size(), c.files.size());
  ASSERT_FALSE(outcome.messages.empty());
  EXPECT_EQ(outcome.messages.front().text, "确定？？");

  // The renames asked for: in list order, each the file's own new path, none for a file
  // whose path stays the same.
  std::vector<std::string> failed;
  std::size_t next_call = 0;
  Contents expected = before;
  for (std::size_t k = 0; k < outcome.listed.size(); ++k) {
    const std::string& old_path = outcome.listed[k];
    const std::string new_path = ExpectedNewPath(old_path, c.names[k]);
    if (new_path == old_path) continue;
    ASSERT_LT(next_call, recorder.renames.size()) << "no rename for " << Escaped(old_path);
    const auto& call = recorder.renames[next_call++];
    ASSERT_EQ(Escaped(call.old_path), Escaped(old_path));
    EXPECT_EQ(Escaped(call.new_path), Escaped(new_path));
    if (!call.done) {
      failed.push_back(old_path);
      continue;
    }
    const std::string from = RelativeTo(folder.Path(), old_path);
    const std::string to = AsStored(RelativeTo(folder.Path(), new_path));
    EXPECT_FALSE(to.empty()) << "moved out of the folder: " << Escaped(new_path);
    EXPECT_TRUE(expected.count(to) == 0 || to == from) << "replaced: " << Escaped(to);
    const std::string content = expected[from];
    expected.erase(from);
    expected[to] = content;
  }
  EXPECT_EQ(next_call, recorder.renames.size()) << "renames nobody asked for";
  EXPECT_EQ(after, expected);

  const FailureReport report = ReadFailureReport(outcome.messages);
  EXPECT_EQ(report.shown, !failed.empty());
  EXPECT_EQ(outcome.messages.size(), failed.empty() ? 1u : 2u);
  if (report.shown) {
    EXPECT_EQ(report.count, static_cast<int>(failed.size()));
    const std::size_t listed = std::min<std::size_t>(failed.size(), 20);
    EXPECT_EQ(report.paths, std::vector<std::string>(failed.begin(), failed.begin() + listed));
    EXPECT_EQ(report.more, failed.size() > 20);
  }
}

std::uint32_t FromEnvironment(const char* variable, std::uint32_t otherwise) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0' ? static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10))
                                            : otherwise;
}

TEST(RenameRunProperty, NoFileIsEverLostDuplicatedOrReplaced) {
  const std::uint32_t first_seed = FromEnvironment("ZQ_PROPERTY_SEED", kDefaultSeed);
  const std::uint32_t cases = FromEnvironment("ZQ_PROPERTY_CASES", kDefaultCases);
  for (std::uint32_t seed = first_seed; seed < first_seed + cases; ++seed) {
    Random random(seed);
    const Case c = MakeCase(random);
    SCOPED_TRACE("ZQ_PROPERTY_SEED=" + std::to_string(seed) + " ZQ_PROPERTY_CASES=1; " + c.Describe());
    CheckCase(c);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace zq
