// Syntax validation: sorts the arguments into lists by the marks the lookups
// left, and tells whether the command line is acceptable.
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "core/params.h"
#include "core/state.h"

namespace {

// Counts stop at the largest 16-bit value instead of wrapping: a wrapped
// count of 65,536 invalid arguments would read as none, and the driver, which
// decides on the counts, would then take the command line as usable.
void CountItem(std::uint16_t& count) {
  if (count != std::numeric_limits<std::uint16_t>::max()) ++count;
}

}  // namespace

namespace {

// Tells whether a text occurs anywhere inside the text appended so far, in
// time linear in the query, while the text keeps growing: a suffix automaton
// extended one byte at a time (amortised constant time per byte).
//
// Its size is what costs time, so a state is 16 bytes: most states have a
// single edge, which lies in the state itself. Further edges lie side by side
// in a block of the edge arenas; a full block moves to one twice the size and
// the old block is reused. The root, which has the most edges, has a table.
struct TSubstringIndex {
  struct TState {
    std::int32_t Length;
    std::int32_t Link;
    std::int32_t FirstTarget;
    std::uint16_t EdgeCount;
    unsigned char FirstByte;
    unsigned char BlockClass;  // the block holds 1 << BlockClass edges; 0: none
  };
  std::vector<TState> States;
  std::vector<std::uint32_t> BlockOf;  // per state, where its block begins
  std::vector<unsigned char> EdgeBytes;
  std::vector<std::int32_t> EdgeTargets;
  std::array<std::vector<std::uint32_t>, 9> FreeBlocks;  // by class
  std::array<std::int32_t, 256> RootEdges{};
  std::int32_t Last = 0;
};

// An index for a text of up to `bytes` bytes (a bound, to spare regrowth).
TSubstringIndex NewSubstringIndex(std::size_t bytes) {
  TSubstringIndex index;
  index.States.reserve(2 * bytes + 1);
  index.BlockOf.reserve(2 * bytes + 1);
  index.States.push_back({0, -1, -1, 0, 0, 0});
  index.BlockOf.push_back(0);
  index.RootEdges.fill(-1);
  return index;
}

std::int32_t AddState(TSubstringIndex& index, TSubstringIndex::TState state) {
  index.States.push_back(state);
  index.BlockOf.push_back(0);
  return static_cast<std::int32_t>(index.States.size() - 1);
}

TSubstringIndex::TState& StateAt(TSubstringIndex& index, std::int32_t state) {
  return index.States[static_cast<std::size_t>(state)];
}

// Where the target of the state's edge on `byte` is kept, or null.
std::int32_t* EdgeSlot(TSubstringIndex& index, std::int32_t state, unsigned char byte) {
  if (state == 0) return index.RootEdges[byte] < 0 ? nullptr : &index.RootEdges[byte];
  TSubstringIndex::TState& s = StateAt(index, state);
  if (s.EdgeCount == 0) return nullptr;
  if (s.FirstByte == byte) return &s.FirstTarget;
  const std::uint32_t block = index.BlockOf[static_cast<std::size_t>(state)];
  const unsigned char* bytes = index.EdgeBytes.data() + block;
  const std::size_t further = s.EdgeCount - 1u;
  std::size_t k = 0;
  if (further <= 8) {
    while (k < further && bytes[k] != byte) ++k;
    if (k == further) return nullptr;
  } else {
    const void* at = std::memchr(bytes, byte, further);
    if (at == nullptr) return nullptr;
    k = static_cast<std::size_t>(static_cast<const unsigned char*>(at) - bytes);
  }
  return &index.EdgeTargets[block + k];
}

std::int32_t Follow(TSubstringIndex& index, std::int32_t state, unsigned char byte) {
  const std::int32_t* slot = EdgeSlot(index, state, byte);
  return slot == nullptr ? -1 : *slot;
}

std::uint32_t NewBlock(TSubstringIndex& index, unsigned char blockClass) {
  std::vector<std::uint32_t>& free = index.FreeBlocks[blockClass];
  if (!free.empty()) {
    const std::uint32_t block = free.back();
    free.pop_back();
    return block;
  }
  const auto block = static_cast<std::uint32_t>(index.EdgeBytes.size());
  index.EdgeBytes.resize(index.EdgeBytes.size() + (std::size_t{1} << blockClass));
  index.EdgeTargets.resize(index.EdgeTargets.size() + (std::size_t{1} << blockClass));
  return block;
}

// Gives `to` a block of class `blockClass` holding the further edges of `from`
// (the same state when a block grows) and frees the block `to` had.
void MoveBlock(TSubstringIndex& index, std::int32_t from, std::int32_t to,
               unsigned char blockClass) {
  const std::uint32_t block = NewBlock(index, blockClass);
  const auto further = static_cast<std::size_t>(StateAt(index, from).EdgeCount - 1);
  const std::uint32_t old = index.BlockOf[static_cast<std::size_t>(from)];
  std::copy_n(index.EdgeBytes.begin() + old, further, index.EdgeBytes.begin() + block);
  std::copy_n(index.EdgeTargets.begin() + old, further, index.EdgeTargets.begin() + block);
  TSubstringIndex::TState& target = StateAt(index, to);
  if (target.BlockClass != 0)
    index.FreeBlocks[target.BlockClass].push_back(index.BlockOf[static_cast<std::size_t>(to)]);
  index.BlockOf[static_cast<std::size_t>(to)] = block;
  target.BlockClass = blockClass;
}

void AddEdge(TSubstringIndex& index, std::int32_t state, unsigned char byte, std::int32_t target) {
  if (state == 0) {
    index.RootEdges[byte] = target;
    return;
  }
  TSubstringIndex::TState& s = StateAt(index, state);
  if (s.EdgeCount == 0) {
    s.FirstByte = byte;
    s.FirstTarget = target;
    s.EdgeCount = 1;
    return;
  }
  const std::size_t further = s.EdgeCount - 1u;
  if (s.BlockClass == 0 || further == (std::size_t{1} << s.BlockClass))
    MoveBlock(index, state, state, static_cast<unsigned char>(s.BlockClass + 1));
  const std::uint32_t block = index.BlockOf[static_cast<std::size_t>(state)];
  index.EdgeBytes[block + further] = byte;
  index.EdgeTargets[block + further] = target;
  ++StateAt(index, state).EdgeCount;
}

void IndexAppend(TSubstringIndex& index, unsigned char byte) {
  const std::int32_t grown =
      AddState(index, {StateAt(index, index.Last).Length + 1, -1, -1, 0, 0, 0});
  std::int32_t p = index.Last;
  index.Last = grown;
  std::int32_t q = -1;
  for (; p >= 0; p = StateAt(index, p).Link) {
    q = Follow(index, p, byte);
    if (q >= 0) break;
    AddEdge(index, p, byte, grown);
  }
  if (p < 0) {
    StateAt(index, grown).Link = 0;
    return;
  }
  if (StateAt(index, p).Length + 1 == StateAt(index, q).Length) {
    StateAt(index, grown).Link = q;
    return;
  }
  // q also stands for longer texts than the one reached here: the shorter
  // ones move to a clone of q.
  TSubstringIndex::TState copy = StateAt(index, q);
  copy.Length = StateAt(index, p).Length + 1;
  copy.BlockClass = 0;
  const std::int32_t clone = AddState(index, copy);
  if (copy.EdgeCount > 1) MoveBlock(index, q, clone, StateAt(index, q).BlockClass);
  for (; p >= 0; p = StateAt(index, p).Link) {
    std::int32_t* slot = EdgeSlot(index, p, byte);
    if (slot == nullptr || *slot != q) break;
    *slot = clone;
  }
  StateAt(index, q).Link = clone;
  StateAt(index, grown).Link = clone;
}

// Whether the text, lower-cased, occurs in the (lower-cased) indexed text.
bool IndexContainsLower(TSubstringIndex& index, std::string_view text) {
  std::int32_t state = 0;
  for (char c : text) {
    state = Follow(index, state, static_cast<unsigned char>(AsciiLower(c)));
    if (state < 0) return false;
  }
  return true;
}

// A list item: the text, in quotation marks when it is empty or holds a
// space (the rule of QuoteIfSpaced, written straight into the list), then one
// space.
void AppendItem(std::string& list, std::string_view text) {
  if (text.empty() || text.find(' ') != std::string_view::npos) {
    list += '"';
    list += text;
    list += '"';
  } else {
    list += text;
  }
  list += ' ';
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
        if (OptionTextEqual(piece, form)) {
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
    // Room for every item up front: the lists that take every argument do not
    // grow by copying, and the index needs no regrowth.
    std::size_t textBytes = 0;
    for (const TParamStatusRec& entry : list) textBytes += entry.Text.size() + 3;
    stats.ArgList.reserve(textBytes);
    stats.ShownList.reserve(textBytes);
    TSubstringIndex unique = NewSubstringIndex(textBytes);
    // Every list takes an argument as the same item: made once per argument.
    std::string item;
    auto add = [&item](std::uint16_t& count, std::string& list) {
      CountItem(count);
      list += item;
    };
    for (std::int32_t i = 0; i <= lastEntry; ++i) {
      const TParamStatusRec& entry = list[static_cast<std::size_t>(i)];
      const std::string& text = entry.Text;
      item.clear();
      AppendItem(item, text);
      if (i < first || i > last) {
        add(stats.OutOfRangeCount, stats.OutOfRangeList);
        if (entry.Status == kStatusReserved) add(stats.ReservedStatusCount, stats.ReservedStatusList);
        continue;
      }
      add(stats.ArgCount, stats.ArgList);
      if (!text.empty()) add(stats.NonEmptyCount, stats.NonEmptyList);
      // "Already there" is a substring test on the list text without case, of
      // the text (a pair of quotation marks when empty) without its quoting:
      // a text inside a longer item, or across two items, counts too.
      const std::string_view shown = text.empty() ? std::string_view("\"\"") : text;
      if (!IndexContainsLower(unique, shown)) {
        add(stats.UniqueCount, stats.UniqueList);
        for (char c : item) IndexAppend(unique, static_cast<unsigned char>(AsciiLower(c)));
      }
      if (entry.Status != kStatusOption && entry.Status != kStatusValue)
        add(stats.OtherCount, stats.OtherList);
      add(stats.ShownCount, stats.ShownList);
      switch (entry.Status) {
        case kStatusUnclaimed: add(stats.InvalidCount, stats.InvalidList); break;
        case kStatusOption: add(stats.SwitchCount, stats.SwitchList); break;
        case kStatusValue: add(stats.ValueArgCount, stats.ValueArgList); break;
        case kStatusAttached: add(stats.AttachedCount, stats.AttachedList); break;
        case kStatusIncomplete: add(stats.IncompleteCount, stats.IncompleteList); break;
        case kStatusReserved: add(stats.ReservedStatusCount, stats.ReservedStatusList); break;
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
  if (DefaultValidation.Validated) return;
  if (first < 0 && last < 0) {
    // Validating the whole list again would find the same (InfoSwitchList is
    // complete after one pass): copy the findings.
    std::string label = std::move(DefaultValidation.Label);
    DefaultValidation = stats;
    DefaultValidation.Label = std::move(label);
    return;
  }
  ValidateInto(DefaultValidation, list, mandatoryKeywords, requireMandatory, -1, -1);
}

void AddListItem(std::uint16_t& count, std::string& list, std::string_view item) {
  CountItem(count);
  AppendItem(list, item);
}
