#include "engine/name_list.h"

#include "engine/rename_run.h"

namespace zq {

TextList NameList;

void InitGlobals() { NameList = TextList(); }

void ReleaseGlobals() {
  NameList = TextList();
  MatchedName = Text();
}

void OnNamesChanged(Form& form) {
  // The new list is complete before the old one goes.
  NameList = TextSplit(form.ReadBoxText(Box::NamesBox), "\r\n");
  form.WriteBoxText(Box::NameCountBox, TextFromNumber(static_cast<std::int32_t>(NameList.size())));
}

}  // namespace zq
