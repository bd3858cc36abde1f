// Keyword lists as texts: the prefixes of a keyword's forms, the written forms
// of a list, and the collections of keywords that lookups were asked for.
#include "core/params.h"

#include <array>

#include "core/state.h"

namespace {

constexpr std::array<std::string_view, 3> kBarePrefixes{"", "/", "-"};
constexpr std::array<std::string_view, 2> kShortPrefixes{"/", "-"};
constexpr std::array<std::string_view, 2> kLongPrefixes{"/", "--"};
constexpr std::array<std::string_view, 3> kAnyLongPrefixes{"/", "-", "--"};

constexpr std::array<std::string_view, 3> kValueSuffixes{"", ":", "="};

bool AttachesValues(std::int32_t formMode) { return formMode == 2 || formMode == 3; }

bool IsBlankOrControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= ' ' || byte == 0x7f;
}

void TrimBlanksAndControls(std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlankOrControl(text[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  text.erase(end);
  text.erase(0, begin);
}

// Splits at spaces; a space between double quotation marks does not split, and
// the quotation marks stay part of the word.
template <typename Visit>
void ForEachSpacedWord(std::string_view text, Visit visit) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == ' ') {
      ++pos;
      continue;
    }
    const std::size_t begin = pos;
    bool quoted = false;
    for (; pos < text.size() && (quoted || text[pos] != ' '); ++pos)
      if (text[pos] == '"') quoted = !quoted;
    visit(text.substr(begin, pos - begin));
  }
}

}  // namespace

std::span<const std::string_view> KeywordPrefixes(std::string_view keyword,
                                                  std::int32_t formMode) {
  if (keyword.size() >= 2) {
    if (DoubleDashRequired) return kLongPrefixes;
    return kAnyLongPrefixes;
  }
  if (keyword.empty()) return {};
  if ((formMode == 1 || formMode == 3) && kSymbolKeyChars.find(keyword[0]) != std::string_view::npos)
    return kBarePrefixes;
  return kShortPrefixes;
}

void CollectKeywords(std::string& collection, std::string_view keywords) {
  if (!keywords.empty()) {
    ForEachSpacedWord(AsciiUpperCased(keywords), [&collection](std::string_view word) {
      const std::string padded = ' ' + collection + ' ';
      if (padded.find(' ' + std::string(word) + ' ') == std::string::npos) {
        collection += ' ';
        collection += word;
      }
    });
  }
  TrimBlanksAndControls(collection);
}

std::string ExpandSwitchForms(std::string_view keywords, std::int32_t formMode) {
  const std::span<const std::string_view> suffixes =
      AttachesValues(formMode) ? std::span<const std::string_view>(kValueSuffixes)
                               : std::span<const std::string_view>(kValueSuffixes).first(1);
  std::string forms;
  ForEachKeyword(keywords, [&](std::string_view keyword) {
    for (std::string_view suffix : suffixes) {
      for (std::string_view prefix : KeywordPrefixes(keyword, formMode)) {
        std::string form;
        form.append(prefix).append(keyword).append(suffix) += ' ';
        // A plain substring test: a form already contained in the text, even
        // inside a longer form, is not added again.
        if (forms.find(form) == std::string::npos) forms += form;
      }
    }
  });
  return forms;
}

void BuildInfoSwitches(std::string& infoSwitchList, std::string_view source,
                       std::string_view keywords) {
  if (!keywords.empty()) {
    const std::string paddedSource = std::string(source) + ' ';
    ForEachSpacedWord(AsciiUpperCased(keywords), [&](std::string_view word) {
      const std::string probe = std::string(word) + ' ';
      if ((infoSwitchList + ' ').find(probe) == std::string::npos &&
          paddedSource.find(probe) != std::string::npos) {
        infoSwitchList += word.size() == 1 ? " -" : " --";
        infoSwitchList += word;
      }
    });
  }
  TrimBlanksAndControls(infoSwitchList);
}
