// Writes arbitrary bytes into the names box, as loading a names file does, and holds the name
// list and the count the handler leaves against a split of the reference model.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/name_list.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/reference_text.h"
#include "tests/support/test_form.h"

namespace zq {
namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += "[" + name + "]";
  return out;
}

void CheckNames(TestForm& form, const std::string& text) {
  const std::vector<std::string> expected = reference::Split(reference::FromBytes(text.data(), text.size()), "\r\n");
  std::vector<std::string> real;
  for (const Text& name : NameList) real.push_back(name.ToStdString());
  if (real != expected) fuzz::Differs("NameList", {text}, Joined(real), Joined(expected));
  const std::string count = form.ReadBoxText(Box::NameCountBox).ToStdString();
  if (count != std::to_string(expected.size())) {
    fuzz::Differs("NameCountBox", {text}, count, std::to_string(expected.size()));
  }
}

}  // namespace
}  // namespace zq

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zq;
  const std::string whole(reinterpret_cast<const char*>(data), size);
  // The input up to its first NUL is one names text; what follows is a second one, written
  // over it as the user's next edit.
  fuzz::FuzzInput input(data, size);
  input.Piece();
  const std::string second = input.Piece();

  TestForm form;
  form.bindings.names_changed = [&form] { OnNamesChanged(form); };
  InitGlobals();
  form.WriteBoxText(Box::NamesBox, TextFromBytes(whole.data(), static_cast<std::int32_t>(whole.size())));
  CheckNames(form, whole);
  form.WriteBoxText(Box::NamesBox, Text(second.data(), static_cast<std::int32_t>(second.size())));
  CheckNames(form, second);
  ReleaseGlobals();
  return 0;
}
