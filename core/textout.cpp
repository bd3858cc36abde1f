#include "core/textout.h"

#include <string>

void Write(const TOutStream& stream, std::string_view text) {
  plat::WriteStd(stream.Handle, text);
}

void WriteLine(const TOutStream& stream, std::string_view text) {
  // One write per line, so a line is never split between two system calls.
  std::string line;
  line.reserve(text.size() + 2);
  line.append(text);
  line.append(plat::LineEnd());
  plat::WriteStd(stream.Handle, line);
}
