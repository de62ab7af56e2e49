// Does one thing a sanitizer must report, chosen by the argument. The sanitize build checks
// that each report really appears, so a build or an environment that quietly turned a
// sanitizer off (LeakSanitizer under ptrace, a lost flag) fails instead of passing silently.
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

void* volatile g_kept;

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "";
  if (std::strcmp(mode, "leak") == 0) {
    g_kept = std::malloc(64);
    g_kept = nullptr;
    return 0;
  }
  if (std::strcmp(mode, "overflow") == 0) {
    char* block = static_cast<char*>(std::malloc(8));
    volatile int past_end = 8;
    block[past_end] = 1;
    std::free(block);
    return 0;
  }
  if (std::strcmp(mode, "undefined") == 0) {
    volatile int largest = INT_MAX;
    volatile int doubled = largest * 2;
    return doubled == 0 ? 1 : 0;
  }
  return 2;
}
