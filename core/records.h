// The records that lookup, validation and identity share: one status record
// per argument, the result of a lookup, the findings of a validation and the
// identity of the running program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Status codes of a TParamStatusRec.
enum : std::int32_t {
  kStatusUnclaimed = 0,   // no lookup matched it or took it as a value
  kStatusOption = 2,      // matched by a lookup
  kStatusValue = 3,       // taken as the value of the option before it
  kStatusAttached = 4,    // option with an accepted value after ":" or "="
  kStatusIncomplete = 5,  // option whose required value is missing
  kStatusReserved = 6,    // never assigned; validation lists it apart
};

struct TParamStatusRec {
  std::int32_t Status = kStatusUnclaimed;
  bool IsOption = false;
  bool HasValue = false;
  bool ValueAttached = false;
  bool Reserved = false;
  std::string Text;
};
using TParamStatusArray = std::vector<TParamStatusRec>;

struct TFindParamRec {
  bool Reserved = false;
  bool Found = false;
  bool ValueAttached = false;
  std::int32_t ParamIndex = -1;
  std::int32_t ParamNumber = -1;
  std::string Param;
  std::string Value;
  std::string Value2;
};
using TParamRecArray = std::vector<TFindParamRec>;

using TStringArray = std::vector<std::string>;

struct TParamStatisticsRec {
  bool SyntaxOK = false;
  bool Validated = false;
  bool MandatoryMissing = false;
  std::uint16_t FirstIndex = 0;
  std::uint16_t LastIndex = 0;
  std::uint16_t ArgCount = 0;
  std::uint16_t UniqueCount = 0;
  std::uint16_t NonEmptyCount = 0;
  std::uint16_t ShownCount = 0;
  std::uint16_t SwitchCount = 0;
  std::uint16_t ValueArgCount = 0;
  std::uint16_t OtherCount = 0;
  std::uint16_t AttachedCount = 0;
  std::uint16_t IncompleteCount = 0;
  std::uint16_t InvalidCount = 0;
  std::uint16_t OutOfRangeCount = 0;
  std::uint16_t ReservedStatusCount = 0;
  std::string ArgList;
  std::string UniqueList;
  std::string NonEmptyList;
  std::string ShownList;
  std::string SwitchList;
  std::string ValueArgList;
  std::string OtherList;
  std::string AttachedList;
  std::string IncompleteList;
  std::string InvalidList;
  std::string OutOfRangeList;
  std::string ReservedStatusList;
  std::string MandatoryFound;
  std::string MandatoryForms;
  std::string Label;
};

struct TFileVersionInfoRec {
  bool Filled = false;
  std::string FileName;
  std::string BaseName;
  std::string FileExt;
  std::string ShortVersionTitle;
  std::string FileVersionTitle;
  std::string FullVersionTitle;
  std::string Reserved1;
  std::string Reserved2;
  std::string Reserved3;
  std::string Reserved4;
  std::string Reserved5;
  std::string Description;
  std::string Reserved6;
  std::string Notice;
  std::string Attribution;
  std::string Reserved7;
  std::string Directory;
};

// One entry per command-line argument after the program name, all unclaimed.
TParamStatusArray LoadParamList();

// Fresh arrays of n empty entries.
TParamStatusArray NewParamStatusArray(std::size_t n);
TParamRecArray NewParamRecArray(std::size_t n);

// Resets every finding; SyntaxOK becomes true. The label is stored when one is
// given, otherwise the old one stays.
void InitStatisticsRec(TParamStatisticsRec& stats,
                       std::optional<std::string_view> label = std::nullopt);
