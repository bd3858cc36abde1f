// Memory for typed secrets. A TSecretString wipes every block it gives back
// to the heap, so growing the line while it is read leaves no copy of it in
// freed memory.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <string>

#include "platform/console.h"

template <typename T>
struct TWipingAllocator {
  using value_type = T;
  TWipingAllocator() = default;
  template <typename U>
  TWipingAllocator(const TWipingAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return std::allocator<T>{}.allocate(n); }
  void deallocate(T* p, std::size_t n) noexcept {
    plat::WipeMemory(p, n * sizeof(T));
    std::allocator<T>{}.deallocate(p, n);
  }
  friend bool operator==(const TWipingAllocator&, const TWipingAllocator&) { return true; }
};

using TSecretString = std::basic_string<char, std::char_traits<char>, TWipingAllocator<char>>;

// Overwrites the whole storage of the string, also the part past its length,
// and empties it.
void WipeSecret(TSecretString& text);
