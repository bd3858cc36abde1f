// Option lookup by keyword lists, and validation of the whole command line
// from the marks that the lookups left in the argument list.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/ascii.h"
#include "core/records.h"
#include "platform/console.h"

// One-character keywords that ParamSyntaxMode 1 and 3 accept without prefix.
inline constexpr std::string_view kSymbolKeyChars = "!#$%*+-.@_~";
// What separates the keywords of a keyword list.
inline constexpr std::string_view kWordDelimiters = " ,;";
// The core's information keywords; validation lists those a program used.
inline constexpr std::string_view kInfoKeywordList =
    "H HELP ? H2 HELP2 ?? VERSION-ONLY BUILD-ONLY INFO";

// The prefixes of a keyword's written forms, in the order they are tried;
// formMode as ParamSyntaxMode (1 and 3 let a symbol keyword stand bare).
// An empty keyword has none.
std::span<const std::string_view> KeywordPrefixes(std::string_view keyword,
                                                  std::int32_t formMode);

// Calls visit(word) for each keyword of a list split at kWordDelimiters.
template <typename Visit>
void ForEachKeyword(std::string_view keywords, Visit visit) {
  std::size_t pos = 0;
  while ((pos = keywords.find_first_not_of(kWordDelimiters, pos)) != std::string_view::npos) {
    const std::size_t end = std::min(keywords.find_first_of(kWordDelimiters, pos), keywords.size());
    visit(keywords.substr(pos, end - pos));
    pos = end;
  }
}

// The text comparison of option matching. Where the platform compares ASCII,
// texts of different lengths or with different first or last bytes (letters
// folded) are ruled out without the call, which gives the same results.
inline bool OptionTextEqual(std::string_view a, std::string_view b) {
  if (plat::kTextEqualIsAscii) {
    if (a.size() != b.size()) return false;
    if (!a.empty() && (AsciiLower(a.front()) != AsciiLower(b.front()) ||
                       AsciiLower(a.back()) != AsciiLower(b.back())))
      return false;
  }
  return plat::TextEqualNoCase(a, b);
}

// SearchFlags of FindParam.
inline constexpr std::uint32_t kBothValuesRequired = 1;
inline constexpr std::uint32_t kFirstValueRequired = 2;
inline constexpr std::uint32_t kSearchAll = 4;

// Whether `argument` is one of the written forms of `keyword`; `match` gets
// the option as typed and an attached value.
bool MatchKeyword(std::string_view keyword, std::string_view argument, TFindParamRec& match);

// The general lookup. stopIndex -1 (or beyond the end) means the last entry;
// a negative startIndex means 0. valueCount: 0 none, 2 two, else one.
void FindParam(TFindParamRec& result, TParamStatusArray& list, std::string_view keywords,
               std::int32_t stopIndex, std::int32_t startIndex, std::uint32_t valueCount,
               std::uint32_t searchFlags, std::string_view defaultValue = {},
               std::string_view defaultValue2 = {});

// rangeMode 0 searches from index to the end, 1 from the start through index.
void FindSwitch(TFindParamRec& result, TParamStatusArray& list, std::string_view keywords,
                std::uint32_t searchFlags, std::int32_t index, std::int32_t rangeMode);
void FindBoolSwitch(TFindParamRec& result, TParamStatusArray& list, std::string_view keywords,
                    bool& flag, std::int32_t index, std::int32_t rangeMode);
void FindValueParam(TFindParamRec& result, TParamStatusArray& list, std::string_view keywords,
                    std::string& text, std::int32_t index, std::int32_t rangeMode);

// Adds the upper-cased words of `keywords` that it lacks to `collection`.
void CollectKeywords(std::string& collection, std::string_view keywords);

// Sorts the arguments from first to last (-1: whole list) into the lists of
// `stats` and gives the verdict; the first call of a run also fills
// DefaultValidation.
void ValidateSyntax(TParamStatisticsRec& stats, const TParamStatusArray& list,
                    std::string_view mandatoryKeywords, bool requireMandatory,
                    std::int32_t first, std::int32_t last);

// Every written form of the keywords, each followed by one space.
std::string ExpandSwitchForms(std::string_view keywords, std::int32_t formMode);

// Appends to infoSwitchList the switch forms of the keywords that also occur
// in `source`.
void BuildInfoSwitches(std::string& infoSwitchList, std::string_view source,
                       std::string_view keywords);

// Appends the item (quoted when empty or spaced) and one space; counts it.
void AddListItem(std::uint16_t& count, std::string& list, std::string_view item);
