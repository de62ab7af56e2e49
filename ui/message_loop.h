// The message loop of the window's thread, and the pump that lets waiting events run inside
// a handler.
#pragma once

#include <windows.h>

namespace zq {

class MainWindow;

// Handles every message already waiting, in the order of arrival, and returns when none is
// left. A quit request stays in the queue for the main loop.
void PumpPendingMessages(MainWindow& window);

// Runs until the quit request arrives and gives its code; returns at once when the window is
// not open.
int RunMessageLoop(MainWindow& window);

// True once RunMessageLoop has started: closing the window then ends the loop.
bool MessageLoopStarted();

}  // namespace zq
