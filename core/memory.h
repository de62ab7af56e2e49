// Every allocation of the program's own values goes through here, so that running out of
// memory ends in the fatal stop naming the bytes asked for instead of an exception or a crash.
#pragma once

#include <cstddef>
#include <cstdlib>

namespace zq {

// Returns a block of `bytes` bytes, or ends the program through the fatal stop.
void* AllocateOrStop(std::size_t bytes);

template <class T>
struct StopOnFailAllocator {
  using value_type = T;

  StopOnFailAllocator() noexcept = default;
  template <class U>
  StopOnFailAllocator(const StopOnFailAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    // n * sizeof(T) could wrap for absurd n; ask for the largest size then, which fails.
    std::size_t bytes = n > static_cast<std::size_t>(-1) / sizeof(T) ? static_cast<std::size_t>(-1)
                                                                     : n * sizeof(T);
    return static_cast<T*>(AllocateOrStop(bytes));
  }
  void deallocate(T* p, std::size_t) noexcept { std::free(p); }

  template <class U>
  bool operator==(const StopOnFailAllocator<U>&) const noexcept { return true; }
  template <class U>
  bool operator!=(const StopOnFailAllocator<U>&) const noexcept { return false; }
};

}  // namespace zq
