// Filling the names box from a file: chosen in the open-file dialog or dropped on the window.
#pragma once

#include "core/file_system.h"
#include "core/form.h"
#include "core/text.h"

namespace zq {

// Created event of the main window: makes the window a drop target.
void OnMainWindowCreated(Form& form);
// Click on the open-names-file button.
void OnOpenNamesFileClicked(Form& form, FileSystem& file_system);
// Got-files event of the drop target; `paths` belongs to the drop target.
void OnFileDropped(Form& form, FileSystem& file_system, const Text& paths);

}  // namespace zq
