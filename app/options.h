// The program's options: one row per lookup, in the order the driver makes
// them. The order is part of the command-line contract: a value-claiming
// lookup whose value argument an earlier lookup matched as an option marks
// its own option incomplete.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/records.h"

enum class LookupKind { Switch, BoolSwitch, ValueParam };

struct TOptionRow {
  std::string_view Keywords;
  LookupKind Kind;
};

inline constexpr std::size_t kDebugOption = 0;
inline constexpr std::size_t kErrorDelayOption = 1;
inline constexpr std::size_t kAudibleErrorOption = 2;
inline constexpr std::size_t kHelpOption = 3;
inline constexpr std::size_t kVerboseOption = 4;
inline constexpr std::size_t kVersionOnlyOption = 5;
inline constexpr std::size_t kInfoOption = 6;
inline constexpr std::size_t kBannerOption = 7;
inline constexpr std::size_t kPromptOption = 8;
inline constexpr std::size_t kDefaultOption = 9;
inline constexpr std::size_t kMaskOption = 10;
inline constexpr std::size_t kQuietOption = 11;

inline constexpr std::array<TOptionRow, 12> kOptionTable{{
    {"  DEBUG DEBUG-MODE", LookupKind::Switch},
    {"  ERROR-DELAY", LookupKind::BoolSwitch},
    {"  AUDIBLE-ERROR", LookupKind::BoolSwitch},
    {"H HELP ? H2 HELP2 ??", LookupKind::Switch},
    {"V VERBOSE BUILD H2 HELP2 ??", LookupKind::Switch},
    {"  VERSION-ONLY BUILD-ONLY", LookupKind::Switch},
    {"I INFO", LookupKind::Switch},
    {"B BANNER", LookupKind::Switch},
    {"P PROMPT", LookupKind::ValueParam},
    {"D DEFAULT", LookupKind::ValueParam},
    {"M MASK", LookupKind::ValueParam},
    {"Q QUIET HIDE", LookupKind::ValueParam},
}};

// The mandatory option of the validation.
inline constexpr std::string_view kMandatoryKeywords = "P PROMPT";

// Makes the lookup of one row over ParamList, over the whole list, as the
// driver does; the two Boolean options set ErrorDelayEnabled and
// AudibleErrorEnabled.
void LookUpOption(std::size_t row, TFindParamRec& result);
