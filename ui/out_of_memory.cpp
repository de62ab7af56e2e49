// Every allocation of the program, also those of the standard library's containers and
// function objects in the window code, ends in the fatal stop box when memory runs out,
// naming the bytes asked for, instead of an uncaught exception.
#include <cstdlib>
#include <new>

#include "core/memory.h"

void* operator new(std::size_t bytes) { return zq::AllocateOrStop(bytes); }
void* operator new[](std::size_t bytes) { return zq::AllocateOrStop(bytes); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
