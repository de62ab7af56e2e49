// The routines that run once at a normal exit, in the order they were registered.
#pragma once

namespace zq {

using ExitRoutine = void (*)();

// Appends the routine unless it is already registered.
void RegisterExitRoutine(ExitRoutine routine);
// Runs every registered routine once, then empties the list.
void RunExitRoutines();
// Empties the list without running anything: the fatal stop skips the exit routines.
void ClearExitRoutines();

}  // namespace zq
