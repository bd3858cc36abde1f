// Expected output as readable text: one literal per line, or a file under
// tests/data with one line per line; both come out with the fake platform's
// CR LF after every line.
#pragma once

#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>

namespace golden {

inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// The file's lines, each ended with CR LF whatever line ends the checkout
// gave the file. An unreadable file gives a text that matches no output.
inline std::string File(std::string_view name) {
  std::ifstream in(std::string(QUILLET_TEST_DATA_DIR) + "/" + std::string(name), std::ios::binary);
  if (!in) return "<cannot read " + std::string(name) + ">";
  std::string text;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    text += line;
    text += "\r\n";
  }
  return text;
}

// Every occurrence of `from` replaced by `to`.
inline std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t pos = text.find(from); pos != std::string::npos;
       pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
  return text;
}

}  // namespace golden
