// The message box of the handlers: caption "信息：", no owner, modal to the whole thread.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace zq {

// `buttons` holds MessageBoxA style bits. Gives 0 for OK (and when the box could not be
// shown), 1 for Cancel, Esc or the close box, 2 to 6 for Abort, Retry, Ignore, Yes, No.
std::int32_t ShowMessage(const Text& message, std::int32_t buttons);

}  // namespace zq
