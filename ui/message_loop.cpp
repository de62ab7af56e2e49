#include "ui/message_loop.h"

#include "ui/main_window.h"

namespace zq {
namespace {

bool g_loop_started = false;

void Deliver(MainWindow& window, const MSG& message) {
  if (window.PreTranslate(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace

void PumpPendingMessages(MainWindow& window) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // The quit request was taken after all: leave it for the main loop again.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (got < 0) return;
    Deliver(window, message);
  }
}

int RunMessageLoop(MainWindow& window) {
  g_loop_started = true;
  if (!window.IsOpen()) return 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Deliver(window, message);
  return static_cast<int>(message.wParam);
}

bool MessageLoopStarted() { return g_loop_started; }

}  // namespace zq
