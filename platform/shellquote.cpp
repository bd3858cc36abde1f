#include "platform/shellquote.h"

namespace plat {

namespace {

bool NeedsNoQuotes(char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("@%+=:,./-_").find(c) != std::string_view::npos;
}

}  // namespace

std::string ShellQuote(std::string_view word) {
  bool plain = !word.empty();
  for (char c : word) plain = plain && NeedsNoQuotes(c);
  if (plain) return std::string(word);
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'')
      quoted += "'\"'\"'";  // close the quotes, a quoted quote, open again
    else
      quoted += c;
  }
  quoted += '\'';
  return quoted;
}

std::string ShellCommandLine(const std::vector<std::string>& words) {
  std::string line;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) line += ' ';
    line += ShellQuote(words[i]);
  }
  return line;
}

}  // namespace plat
