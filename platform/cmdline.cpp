#include "platform/cmdline.h"

namespace plat {

namespace {
bool IsSeparator(unsigned char c) { return c >= 1 && c <= 32; }
}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view raw) {
  std::size_t nul = raw.find('\0');
  if (nul != std::string_view::npos) raw = raw.substr(0, nul);

  std::vector<std::string> words;
  std::size_t i = 0;
  const std::size_t n = raw.size();
  bool first = true;
  while (true) {
    while (i < n && IsSeparator(static_cast<unsigned char>(raw[i]))) ++i;
    if (i == n) break;
    std::string word;
    bool quoted = false;
    while (i < n) {
      unsigned char c = static_cast<unsigned char>(raw[i]);
      if (!quoted && IsSeparator(c)) break;
      if (c == '"') {
        if (i + 1 < n && raw[i + 1] == '"') {
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      word += static_cast<char>(c);
      ++i;
    }
    if (!first) words.push_back(std::move(word));
    first = false;
  }
  return words;
}

}  // namespace plat
