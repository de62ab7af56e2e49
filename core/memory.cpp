#include "core/memory.h"

#include <cstdio>

#include "core/fatal_stop.h"

namespace zq {

void* AllocateOrStop(std::size_t bytes) {
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (block == nullptr) {
    // No allocation here: memory is what just ran out.
    char message[64];
    std::snprintf(message, sizeof message, "分配 %llu 字节内存失败!",
                  static_cast<unsigned long long>(bytes));
    FatalStop(message, 0);
  }
  return block;
}

}  // namespace zq
