// The identity record of the running program, made from its own file name.
#include <cstddef>
#include <string>

#include "core/ascii.h"
#include "core/identity.h"
#include "core/state.h"
#include "platform/console.h"

namespace {

bool EqualNoCaseAt(std::string_view text, std::size_t pos, std::string_view part) {
  if (text.size() - pos < part.size()) return false;
  for (std::size_t i = 0; i < part.size(); ++i)
    if (AsciiUpper(text[pos + i]) != AsciiUpper(part[i])) return false;
  return true;
}

// Every occurrence of `part` removed, scanning from the left, letter case
// ignored.
std::string RemoveEveryNoCase(std::string_view text, std::string_view part) {
  if (part.empty()) return std::string(text);
  std::string result;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (EqualNoCaseAt(text, pos, part)) {
      pos += part.size();
    } else {
      result += text[pos];
      ++pos;
    }
  }
  return result;
}

}  // namespace

void FillVersionInfo(TFileVersionInfoRec& info, std::string_view shortVersion,
                     std::string_view fullVersion, std::string_view description,
                     bool upperCaseNames) {
  // The whole path: a cut one would give a wrong name and extension.
  const std::string path = plat::Arg(0);
  const std::size_t separator = path.find_last_of("\\/:");
  const std::string_view fileName =
      separator == std::string::npos ? std::string_view(path)
                                     : std::string_view(path).substr(separator + 1);
  const std::size_t dot = fileName.rfind('.');

  info.Directory = DirectoryPart(path);
  info.FileExt = dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
  info.FileName = upperCaseNames ? AsciiUpperCased(fileName) : std::string(fileName);
  info.BaseName = RemoveEveryNoCase(info.FileName, info.FileExt);
  info.FileVersionTitle = info.FileName + " v" + std::string(fullVersion);
  info.FullVersionTitle = info.BaseName + " v" + std::string(fullVersion);
  info.ShortVersionTitle = info.BaseName + " v" + std::string(shortVersion);
  info.Description = std::string(description);
  info.Notice = std::string(NoticeLine);
  info.Attribution = std::string(AttributionLine);
  info.Reserved1.clear();
  info.Reserved2.clear();
  info.Reserved3.clear();
  info.Reserved4.clear();
  info.Reserved5.clear();
  info.Reserved6.clear();
  info.Reserved7.clear();
  info.Filled = true;
}
