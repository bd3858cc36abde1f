#include "platform/arguments.h"

#include "platform/console.h"

namespace plat {

namespace {
std::string programFile;
std::vector<std::string> arguments;
std::string rawCommandLine;
}  // namespace

void KeepArguments(std::string file, std::vector<std::string> args, std::string raw) {
  programFile = std::move(file);
  arguments = std::move(args);
  rawCommandLine = std::move(raw);
}

int ArgCount() { return static_cast<int>(arguments.size()); }

std::string Arg(int index) {
  if (index == 0) return programFile;
  if (index < 0 || index > ArgCount()) return {};
  return arguments[static_cast<std::size_t>(index - 1)];
}

const std::string& RawCommandLine() { return rawCommandLine; }

}  // namespace plat
