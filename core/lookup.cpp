// Option lookup: an argument is compared with every written form of every
// keyword of a list, and the lookup marks in the argument list what it claimed.
#include <algorithm>
#include <array>
#include <vector>

#include "core/params.h"
#include "core/state.h"

namespace {

constexpr std::size_t kMaxAttachedValue = 999;

// One written form, with the two texts that begin an attached value.
struct TForm {
  std::string Plain;
  std::string Colon;
  std::string Equals;
};

// The forms of one keyword, built once per lookup so that the scan over the
// arguments does nothing but compare.
struct TKeywordForms {
  std::array<TForm, 3> Forms;
  std::size_t Count = 0;
};

struct TFormMatch {
  bool Matched = false;
  bool Attached = false;
  std::string_view Param;  // views of the argument text
  std::string_view Value;
};

bool AttachedValuesAccepted() { return ParamSyntaxMode == 2 || ParamSyntaxMode == 3; }

TKeywordForms BuildForms(std::string_view keyword) {
  TKeywordForms built;
  for (std::string_view prefix : KeywordPrefixes(keyword, ParamSyntaxMode)) {
    TForm& form = built.Forms[built.Count++];
    form.Plain.append(prefix).append(keyword);
    form.Colon = form.Plain + ':';
    form.Equals = form.Plain + '=';
  }
  return built;
}

// The forms of every keyword of a list, with what an ASCII comparison needs
// to rule arguments out: the lengths of the forms that begin with each byte.
struct TListForms {
  std::vector<TKeywordForms> Keywords;
  std::array<std::uint64_t, 256> Lengths{};  // bit n: a form of n bytes (n < 64)
  std::size_t Longest = 0;
};

TListForms BuildListForms(std::string_view keywords) {
  TListForms all;
  ForEachKeyword(keywords, [&all](std::string_view keyword) {
    all.Keywords.push_back(BuildForms(keyword));
    const TKeywordForms& built = all.Keywords.back();
    for (std::size_t f = 0; f < built.Count; ++f) {
      const std::string& form = built.Forms[f].Plain;
      std::uint64_t& lengths = all.Lengths[static_cast<unsigned char>(AsciiLower(form[0]))];
      lengths |= form.size() < 64 ? std::uint64_t{1} << form.size() : 1;
      all.Longest = std::max(all.Longest, form.size());
    }
  });
  return all;
}

// Where the comparison is ASCII, an argument can match a form only when it
// begins with the form's first byte and is as long as the form, or has ":" or
// "=" right after the form's length; most arguments are ruled out here at once.
// (A form of 64 bytes or more marks its first byte with bit 0, and then only
// the first byte is tested.)
bool MayMatch(const TListForms& forms, std::string_view argument) {
  if (!plat::kTextEqualIsAscii) return true;
  if (argument.empty()) return false;
  const std::uint64_t lengths = forms.Lengths[static_cast<unsigned char>(AsciiLower(argument[0]))];
  if (lengths == 0) return false;
  if (forms.Longest >= 64) return true;
  if (argument.size() < 64 && (lengths >> argument.size() & 1) != 0) return true;
  const std::size_t end = std::min(argument.size(), forms.Longest + 1);
  for (std::size_t n = 1; n < end; ++n)
    if ((argument[n] == ':' || argument[n] == '=') && (lengths >> n & 1) != 0) return true;
  return false;
}

// The forms are tried in order; an attached value is looked for only after
// the form itself failed, and the first match of either kind decides.
TFormMatch MatchForms(const TKeywordForms& keyword, std::string_view argument,
                      bool attachedAccepted) {
  for (std::size_t f = 0; f < keyword.Count; ++f) {
    const TForm& form = keyword.Forms[f];
    if (OptionTextEqual(argument, form.Plain)) return {true, false, argument, {}};
    if (!attachedAccepted) continue;
    const std::size_t n = form.Plain.size() + 1;
    const std::string_view head = argument.substr(0, n);
    if (OptionTextEqual(head, form.Colon) || OptionTextEqual(head, form.Equals)) {
      const std::string_view value =
          n < argument.size() ? argument.substr(n, kMaxAttachedValue) : std::string_view{};
      return {true, true, argument.substr(0, n - 1), value};
    }
  }
  return {};
}

void MarkIncomplete(TParamStatusRec& entry) {
  entry.Status = kStatusIncomplete;
  entry.HasValue = false;
  entry.ValueAttached = false;
}

// Takes the value `offset` entries after the option at `option` into `value`.
// Only the end of the whole list counts as "no value", not the end of the
// searched range.
void TakeValue(TFindParamRec& result, std::string& value, TParamStatusArray& list,
               std::size_t option, std::size_t offset, bool required) {
  TParamStatusRec& entry = list[option];
  if (option + offset >= list.size()) {
    value.clear();
    if (required) {
      result.Found = false;
      MarkIncomplete(entry);
    }
    return;
  }
  TParamStatusRec& source = list[option + offset];
  if (source.Text.empty() && required) {
    value.clear();
    result.Found = false;
    MarkIncomplete(entry);
    return;
  }
  value = source.Text;
  if (source.Status == kStatusUnclaimed || source.Status == kStatusValue) {
    source.Status = kStatusValue;
    source.HasValue = true;
  } else {
    // The would-be value is already an option: the option lacks its value.
    entry.Status = kStatusIncomplete;
  }
}

void RangeOf(std::int32_t index, std::int32_t rangeMode, std::int32_t& start,
             std::int32_t& stop) {
  if (rangeMode == 1) {
    start = -1;
    stop = index;
  } else {
    start = index;
    stop = -1;
  }
}

}  // namespace

bool MatchKeyword(std::string_view keyword, std::string_view argument, TFindParamRec& match) {
  const TFormMatch found = MatchForms(BuildForms(keyword), argument, AttachedValuesAccepted());
  // Built apart from `match`, which the argument text may belong to.
  TFindParamRec filled;
  if (found.Matched) {
    filled.Param = found.Param;
    // Found tells an exact form; a form with a value shows in ValueAttached.
    filled.Found = !found.Attached;
    filled.ValueAttached = found.Attached;
    filled.Value = found.Value;
  }
  match = std::move(filled);
  return found.Matched;
}

void FindParam(TFindParamRec& result, TParamStatusArray& list, std::string_view keywords,
               std::int32_t stopIndex, std::int32_t startIndex, std::uint32_t valueCount,
               std::uint32_t searchFlags, std::string_view defaultValue,
               std::string_view defaultValue2) {
  CollectKeywords(KnownKeywords, keywords);

  result.Reserved = false;
  result.Found = false;
  result.ValueAttached = false;
  result.ParamIndex = -1;
  result.ParamNumber = -1;
  result.Param.clear();
  result.Value = defaultValue;
  result.Value2 = defaultValue2;

  const auto last = static_cast<std::int32_t>(list.size()) - 1;
  const std::int32_t stop = stopIndex == -1 || stopIndex > last ? last : stopIndex;
  const std::int32_t start = startIndex < 0 ? 0 : startIndex;
  if (stop < start) return;

  const TListForms forms = BuildListForms(keywords);
  const bool attachedAccepted = AttachedValuesAccepted();
  const bool firstRequired = (searchFlags & (kBothValuesRequired | kFirstValueRequired)) != 0;
  const bool secondRequired = (searchFlags & kBothValuesRequired) != 0;

  for (std::int32_t i = start;; ++i) {
    const auto at = static_cast<std::size_t>(i);
    TParamStatusRec& entry = list[at];
    if (MayMatch(forms, entry.Text)) {
      // The keywords in order, each also on an argument that an earlier one
      // matched; only an accepted attached value ends the argument at once.
      for (const TKeywordForms& keyword : forms.Keywords) {
        const TFormMatch match = MatchForms(keyword, entry.Text, attachedAccepted);
        if (!match.Matched) continue;
        entry.Status = kStatusOption;
        entry.IsOption = true;
        result.Param = entry.Text;
        result.ParamIndex = i;
        result.ParamNumber = i + 1;
        result.Found = true;
        if (match.Attached) {
          result.Param = match.Param;
          result.Value = match.Value;
          result.ValueAttached = true;
          if (!(firstRequired && result.Value.empty())) {
            entry.Status = kStatusAttached;
            entry.HasValue = true;
            entry.ValueAttached = true;
            entry.Reserved = false;
            break;
          }
          // An empty attached value that is required: the option is incomplete,
          // and the following argument may still supply the value.
          entry.Status = kStatusIncomplete;
          entry.HasValue = false;
          entry.ValueAttached = true;
        }
        if (valueCount != 0) TakeValue(result, result.Value, list, at, 1, firstRequired);
        if (valueCount == 2) TakeValue(result, result.Value2, list, at, 2, secondRequired);
        if (RecordLookupHistory) LookupHistory.push_back(result);
      }
    }
    if (i == stop || ((searchFlags & kSearchAll) == 0 && result.ParamIndex != -1)) break;
  }
}

void FindSwitch(TFindParamRec& result, TParamStatusArray& list, std::string_view keywords,
                std::uint32_t searchFlags, std::int32_t index, std::int32_t rangeMode) {
  std::int32_t start = 0;
  std::int32_t stop = 0;
  RangeOf(index, rangeMode, start, stop);
  FindParam(result, list, keywords, stop, start, 0, searchFlags);
}

void FindBoolSwitch(TFindParamRec& result, TParamStatusArray& list, std::string_view keywords,
                    bool& flag, std::int32_t index, std::int32_t rangeMode) {
  std::int32_t start = 0;
  std::int32_t stop = 0;
  RangeOf(index, rangeMode, start, stop);
  FindParam(result, list, keywords, stop, start, 1, 0);
  flag = result.Found;
}

void FindValueParam(TFindParamRec& result, TParamStatusArray& list, std::string_view keywords,
                    std::string& text, std::int32_t index, std::int32_t rangeMode) {
  text.clear();
  std::int32_t start = 0;
  std::int32_t stop = 0;
  RangeOf(index, rangeMode, start, stop);
  FindParam(result, list, keywords, stop, start, 1, 0);
  text = result.Value;
}
