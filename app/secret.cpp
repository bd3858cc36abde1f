#include "app/secret.h"

void WipeSecret(TSecretString& text) {
  // capacity() covers the inline buffer of a short string as well as a heap
  // block; the terminating NUL slot is part of the storage too.
  plat::WipeMemory(text.data(), text.capacity() + 1);
  text.clear();
  text.shrink_to_fit();
}
