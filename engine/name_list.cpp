#include "engine/name_list.h"

#include "engine/rename_run.h"

namespace zq {

TextList NameList;

void InitGlobals() { NameList = TextList(); }

void ReleaseGlobals() {
  // Swapping with empty values gives the memory back; clear() would keep it.
  TextList().swap(NameList);
  MatchedName = Text();
}

void OnNamesChanged(Form& form) {
  TextList names = TextSplit(form.ReadBoxText(Box::NamesBox), "\r\n");
  NameList.swap(names);
  form.WriteBoxText(Box::NameCountBox, TextFromNumber(static_cast<std::int32_t>(NameList.size())));
}

}  // namespace zq
