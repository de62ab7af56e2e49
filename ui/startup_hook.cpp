#include "ui/program.h"

namespace zq {

// The program has no start-up step of its own.
void StartupHook() {}

}  // namespace zq
