#include "core/fatal_stop.h"

#include <cstdio>
#include <cstdlib>

#include "core/text.h"

namespace zq {
namespace {

FatalStopHandler g_handler = nullptr;

// Appends `part` to out[0..size), keeping it NUL-terminated; returns the new used length.
std::size_t AppendBounded(char* out, std::size_t size, std::size_t used, const char* part) {
  while (*part != '\0' && used + 1 < size) out[used++] = *part++;
  if (size > 0) out[used] = '\0';
  return used;
}

}  // namespace

FatalStopHandler SetFatalStopHandler(FatalStopHandler handler) {
  FatalStopHandler previous = g_handler;
  g_handler = handler;
  return previous;
}

std::size_t FormatFatalStopText(const char* message, std::int32_t code, char* out,
                                std::size_t out_size) {
  std::size_t used = AppendBounded(out, out_size, 0, "运行时出错!\r\n\r\n");
  if (code != 0) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%ld", static_cast<long>(code));
    used = AppendBounded(out, out_size, used, "错误代码：");
    used = AppendBounded(out, out_size, used, digits);
    used = AppendBounded(out, out_size, used, "\r\n\r\n");
  }
  if (message != nullptr && *message != '\0') {
    used = AppendBounded(out, out_size, used, "错误信息：");
    used = AppendBounded(out, out_size, used, message);
    used = AppendBounded(out, out_size, used, "\r\n");
  }
  return used;
}

void FatalStop(const char* message, std::int32_t code) {
  if (g_handler != nullptr) g_handler(message, code);
  char text[1024];
  FormatFatalStopText(message, code, text, sizeof text);
  std::fputs(text, stderr);
  std::exit(-1);
}

void FatalStop(const Text& message, std::int32_t code) { FatalStop(message.CStr(), code); }

}  // namespace zq
