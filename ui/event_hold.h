// While events are held, a window event that is raised is dropped: no handler runs and
// nothing is kept for later.
#pragma once

namespace zq {

void RaiseEventHold();
// Never goes below zero.
void LowerEventHold();
bool EventsHeld();

}  // namespace zq
