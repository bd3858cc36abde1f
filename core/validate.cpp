// Syntax validation: sorts the arguments into lists by the marks the lookups
// left, and tells whether the command line is acceptable.
#include <array>
#include <vector>

#include "core/params.h"
#include "core/state.h"
#include "platform/console.h"

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Tells whether a text occurs anywhere inside the text appended so far, in
// time linear in the query, while the text keeps growing: a suffix automaton
// extended one byte at a time. Each state keeps its edges in a linked list
// (most states have one or two); the root, which has the most, has a table.
struct TSubstringIndex {
  struct TState {
    std::int32_t Length;
    std::int32_t Link;
    std::int32_t FirstEdge;
  };
  struct TEdge {
    std::int32_t Next;
    std::int32_t Target;
    unsigned char Byte;
  };
  std::vector<TState> States{{0, -1, -1}};
  std::vector<TEdge> Edges;
  std::array<std::int32_t, 256> RootEdges = [] {
    std::array<std::int32_t, 256> none{};
    none.fill(-1);
    return none;
  }();
  std::int32_t Last = 0;
};

std::int32_t* EdgeTarget(TSubstringIndex& index, std::int32_t state, unsigned char byte) {
  if (state == 0) return index.RootEdges[byte] < 0 ? nullptr : &index.RootEdges[byte];
  for (std::int32_t e = index.States[static_cast<std::size_t>(state)].FirstEdge; e >= 0;) {
    TSubstringIndex::TEdge& edge = index.Edges[static_cast<std::size_t>(e)];
    if (edge.Byte == byte) return &edge.Target;
    e = edge.Next;
  }
  return nullptr;
}

std::int32_t Follow(const TSubstringIndex& index, std::int32_t state, unsigned char byte) {
  if (state == 0) return index.RootEdges[byte];
  for (std::int32_t e = index.States[static_cast<std::size_t>(state)].FirstEdge; e >= 0;) {
    const TSubstringIndex::TEdge& edge = index.Edges[static_cast<std::size_t>(e)];
    if (edge.Byte == byte) return edge.Target;
    e = edge.Next;
  }
  return -1;
}

void AddEdge(TSubstringIndex& index, std::int32_t state, unsigned char byte, std::int32_t target) {
  if (state == 0) {
    index.RootEdges[byte] = target;
    return;
  }
  TSubstringIndex::TState& from = index.States[static_cast<std::size_t>(state)];
  index.Edges.push_back({from.FirstEdge, target, byte});
  from.FirstEdge = static_cast<std::int32_t>(index.Edges.size() - 1);
}

std::int32_t AddState(TSubstringIndex& index, std::int32_t length, std::int32_t link) {
  index.States.push_back({length, link, -1});
  return static_cast<std::int32_t>(index.States.size() - 1);
}

TSubstringIndex::TState& StateAt(TSubstringIndex& index, std::int32_t state) {
  return index.States[static_cast<std::size_t>(state)];
}

void IndexAppend(TSubstringIndex& index, unsigned char byte) {
  const std::int32_t grown = AddState(index, StateAt(index, index.Last).Length + 1, -1);
  std::int32_t p = index.Last;
  index.Last = grown;
  for (; p >= 0 && Follow(index, p, byte) < 0; p = StateAt(index, p).Link)
    AddEdge(index, p, byte, grown);
  if (p < 0) {
    StateAt(index, grown).Link = 0;
    return;
  }
  const std::int32_t q = Follow(index, p, byte);
  if (StateAt(index, p).Length + 1 == StateAt(index, q).Length) {
    StateAt(index, grown).Link = q;
    return;
  }
  const std::int32_t clone =
      AddState(index, StateAt(index, p).Length + 1, StateAt(index, q).Link);
  for (std::int32_t e = StateAt(index, q).FirstEdge; e >= 0;) {
    const TSubstringIndex::TEdge edge = index.Edges[static_cast<std::size_t>(e)];
    AddEdge(index, clone, edge.Byte, edge.Target);
    e = edge.Next;
  }
  for (; p >= 0; p = StateAt(index, p).Link) {
    std::int32_t* target = EdgeTarget(index, p, byte);
    if (target == nullptr || *target != q) break;
    *target = clone;
  }
  StateAt(index, q).Link = clone;
  StateAt(index, grown).Link = clone;
}

// Whether the lower-cased text occurs in the (lower-cased) indexed text.
bool IndexContainsLower(const TSubstringIndex& index, std::string_view text) {
  std::int32_t state = 0;
  for (char c : text) {
    state = Follow(index, state, static_cast<unsigned char>(AsciiLower(c)));
    if (state < 0) return false;
  }
  return true;
}

// Calls visit(piece) for the pieces of a text split at any of `delimiters`.
template <typename Visit>
void ForEachPiece(std::string_view text, std::string_view delimiters, Visit visit) {
  std::size_t pos = 0;
  while ((pos = text.find_first_not_of(delimiters, pos)) != std::string_view::npos) {
    const std::size_t end = std::min(text.find_first_of(delimiters, pos), text.size());
    visit(text.substr(pos, end - pos));
    pos = end;
  }
}

// Which of the given options are mandatory ones. Pieces are cut at ":" too,
// so -p:Hi counts as -p, while -p=Hi stays one piece and does not count.
void FindMandatory(TParamStatisticsRec& stats) {
  std::vector<std::string_view> forms;
  ForEachPiece(stats.MandatoryForms, " ", [&forms](std::string_view form) { forms.push_back(form); });
  // SwitchList and AttachedList joined: each ends with a space when it has
  // items, so no piece spans the two and they can be split one by one.
  for (const std::string* list : {&stats.SwitchList, &stats.AttachedList}) {
    ForEachPiece(*list, " :", [&](std::string_view piece) {
      for (std::string_view form : forms) {
        if (plat::TextEqualNoCase(piece, form)) {
          stats.MandatoryFound.append(piece) += ' ';
          break;
        }
      }
    });
  }
}

void ValidateInto(TParamStatisticsRec& stats, const TParamStatusArray& list,
                  std::string_view mandatoryKeywords, bool requireMandatory, std::int32_t first,
                  std::int32_t last) {
  InitStatisticsRec(stats);
  BuildInfoSwitches(InfoSwitchList, KnownKeywords, kInfoKeywordList);
  stats.MandatoryForms = ExpandSwitchForms(mandatoryKeywords, 0);

  if (!list.empty()) {
    const auto lastEntry = static_cast<std::int32_t>(list.size()) - 1;
    first = first < 0 ? 0 : first;
    last = last < 0 || last > lastEntry ? lastEntry : last;
    stats.FirstIndex = static_cast<std::uint16_t>(first);
    stats.LastIndex = static_cast<std::uint16_t>(last);
    TSubstringIndex unique;
    for (std::int32_t i = 0; i <= lastEntry; ++i) {
      const TParamStatusRec& entry = list[static_cast<std::size_t>(i)];
      const std::string& text = entry.Text;
      if (i < first || i > last) {
        AddListItem(stats.OutOfRangeCount, stats.OutOfRangeList, text);
        if (entry.Status == kStatusReserved)
          AddListItem(stats.ReservedStatusCount, stats.ReservedStatusList, text);
        continue;
      }
      AddListItem(stats.ArgCount, stats.ArgList, text);
      const std::string_view shown = text.empty() ? std::string_view("\"\"") : text;
      if (!text.empty()) AddListItem(stats.NonEmptyCount, stats.NonEmptyList, text);
      // "Already there" is a substring test on the list text without case,
      // so a text inside a longer item, or across two items, counts too.
      if (!IndexContainsLower(unique, shown)) {
        const std::size_t before = stats.UniqueList.size();
        AddListItem(stats.UniqueCount, stats.UniqueList, shown);
        for (std::size_t k = before; k < stats.UniqueList.size(); ++k)
          IndexAppend(unique, static_cast<unsigned char>(AsciiLower(stats.UniqueList[k])));
      }
      if (entry.Status != kStatusOption && entry.Status != kStatusValue)
        AddListItem(stats.OtherCount, stats.OtherList, shown);
      AddListItem(stats.ShownCount, stats.ShownList, shown);
      switch (entry.Status) {
        case kStatusUnclaimed: AddListItem(stats.InvalidCount, stats.InvalidList, shown); break;
        case kStatusOption: AddListItem(stats.SwitchCount, stats.SwitchList, shown); break;
        case kStatusValue: AddListItem(stats.ValueArgCount, stats.ValueArgList, shown); break;
        case kStatusAttached: AddListItem(stats.AttachedCount, stats.AttachedList, shown); break;
        case kStatusIncomplete:
          AddListItem(stats.IncompleteCount, stats.IncompleteList, shown);
          break;
        case kStatusReserved:
          AddListItem(stats.ReservedStatusCount, stats.ReservedStatusList, shown);
          break;
        default: break;
      }
    }
  }

  if (!stats.MandatoryForms.empty()) {
    FindMandatory(stats);
    stats.MandatoryMissing = requireMandatory && stats.MandatoryFound.empty();
  }
  stats.Validated = true;
  // With an empty list `first` is the caller's, unchanged.
  stats.SyntaxOK = first <= static_cast<std::int32_t>(stats.ArgCount) && stats.InvalidList.empty() &&
                   stats.IncompleteList.empty() && !stats.MandatoryMissing;
}

}  // namespace

void ValidateSyntax(TParamStatisticsRec& stats, const TParamStatusArray& list,
                    std::string_view mandatoryKeywords, bool requireMandatory,
                    std::int32_t first, std::int32_t last) {
  ValidateInto(stats, list, mandatoryKeywords, requireMandatory, first, last);
  if (!DefaultValidation.Validated)
    ValidateInto(DefaultValidation, list, mandatoryKeywords, requireMandatory, -1, -1);
}

void AddListItem(std::uint16_t& count, std::string& list, std::string_view item) {
  ++count;
  // The rule of QuoteIfSpaced, written straight into the list.
  if (item.empty() || item.find(' ') != std::string_view::npos) {
    list += '"';
    list += item;
    list += '"';
  } else {
    list += item;
  }
  list += ' ';
}
