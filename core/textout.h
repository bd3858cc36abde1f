// The core's output text streams: a stream is bound to one standard handle,
// and every write reaches that handle before it returns.
#pragma once

#include <string_view>

#include "platform/console.h"

struct TOutStream {
  plat::StdStream Handle = plat::StdStream::Output;
};

// Writes the text as it is.
void Write(const TOutStream& stream, std::string_view text);
// Writes the text, then the platform's line end.
void WriteLine(const TOutStream& stream, std::string_view text = {});
