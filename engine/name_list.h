// The program-wide list of new names, rebuilt from the names box at every change.
#pragma once

#include "core/form.h"
#include "core/text.h"

namespace zq {

// Element k (counted from 1) is the name of the file at item k of the file list.
extern TextList NameList;

// Makes NameList empty; run once at start-up.
void InitGlobals();
// Releases NameList and MatchedName; the one exit routine of a normal exit.
void ReleaseGlobals();

// Text change of the names box: splits its text at CR LF into a new NameList and writes the
// count into the name count box.
void OnNamesChanged(Form& form);

}  // namespace zq
