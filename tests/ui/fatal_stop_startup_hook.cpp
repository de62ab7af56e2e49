// The start-up step of the test build: watches the thread's messages for the one that forces
// a fatal stop. The shipped program's start-up step does nothing.
#include <windows.h>

#include <cstddef>

#include "tests/ui/fatal_stop_trigger.h"
#include "ui/program.h"

namespace zq {
namespace {

LRESULT CALLBACK WatchMessages(int code, WPARAM removal, LPARAM message_address) {
  const MSG* message = reinterpret_cast<const MSG*>(message_address);
  if (code == HC_ACTION && removal == PM_REMOVE && message->message == kForceFatalStop) {
    // Through the program's operator new, so the test also shows that a standard container
    // running out of memory ends in the box.
    ::operator delete(::operator new(static_cast<std::size_t>(-1)));
  }
  return CallNextHookEx(nullptr, code, removal, message_address);
}

}  // namespace

void StartupHook() {
  SetWindowsHookExA(WH_GETMESSAGE, &WatchMessages, nullptr, GetCurrentThreadId());
}

}  // namespace zq
