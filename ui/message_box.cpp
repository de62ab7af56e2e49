#include "ui/message_box.h"

#include <windows.h>

namespace zq {

std::int32_t ShowMessage(const Text& message, std::int32_t buttons) {
  UINT style = static_cast<UINT>(buttons);
  if ((style & MB_SYSTEMMODAL) == 0) style |= MB_TASKMODAL;
  switch (MessageBoxA(nullptr, message.CStr(), "信息：", style)) {
    case IDCANCEL: return 1;
    case IDABORT: return 2;
    case IDRETRY: return 3;
    case IDIGNORE: return 4;
    case IDYES: return 5;
    case IDNO: return 6;
    default: return 0;  // IDOK, and 0 when the box could not be shown
  }
}

}  // namespace zq
