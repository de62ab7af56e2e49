#include "ui/event_hold.h"

namespace zq {
namespace {

int g_event_hold = 0;

}  // namespace

void RaiseEventHold() { ++g_event_hold; }

void LowerEventHold() {
  if (g_event_hold > 0) --g_event_hold;
}

bool EventsHeld() { return g_event_hold > 0; }

}  // namespace zq
