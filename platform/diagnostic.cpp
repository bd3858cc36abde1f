#include "platform/diagnostic.h"

namespace plat {

std::string ProgramStem(std::string_view path) {
  std::string_view name = path;
  std::size_t sep = name.find_last_of("\\/:");
  if (sep != std::string_view::npos) name.remove_prefix(sep + 1);
  std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name.empty() ? std::string_view("quillet") : name);
}

std::string FailureDiagnostic(std::string_view arg0, std::string_view what,
                              std::string_view reason) {
  std::string line = ProgramStem(arg0);
  line += ": ";
  line += what;
  if (!reason.empty()) {
    line += ": ";
    line += reason;
  }
  return line;
}

bool AsciiEqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace plat
