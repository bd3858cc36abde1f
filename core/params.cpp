// Placeholder until lookup and validation land.
#include "core/params.h"

bool MatchKeyword(std::string_view, std::string_view, TFindParamRec& match) {
  match = TFindParamRec{};
  return false;
}
void FindParam(TFindParamRec& result, TParamStatusArray&, std::string_view, std::int32_t,
               std::int32_t, std::uint32_t, std::uint32_t, std::string_view, std::string_view) {
  result = TFindParamRec{};
}
void FindSwitch(TFindParamRec& result, TParamStatusArray&, std::string_view, std::uint32_t,
                std::int32_t, std::int32_t) {
  result = TFindParamRec{};
}
void FindBoolSwitch(TFindParamRec& result, TParamStatusArray&, std::string_view, bool& flag,
                    std::int32_t, std::int32_t) {
  result = TFindParamRec{};
  flag = false;
}
void FindValueParam(TFindParamRec& result, TParamStatusArray&, std::string_view,
                    std::string& text, std::int32_t, std::int32_t) {
  result = TFindParamRec{};
  text.clear();
}
void CollectKeywords(std::string&, std::string_view) {}
void ValidateSyntax(TParamStatisticsRec& stats, const TParamStatusArray&, std::string_view, bool,
                    std::int32_t, std::int32_t) {
  InitStatisticsRec(stats);
}
std::string ExpandSwitchForms(std::string_view, std::int32_t) { return {}; }
void BuildInfoSwitches(std::string&, std::string_view, std::string_view) {}
void AddListItem(std::uint16_t&, std::string&, std::string_view) {}
