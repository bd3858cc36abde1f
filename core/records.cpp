#include "core/records.h"

#include "platform/console.h"

TParamStatusArray NewParamStatusArray(std::size_t n) { return TParamStatusArray(n); }

TParamRecArray NewParamRecArray(std::size_t n) { return TParamRecArray(n); }

TParamStatusArray LoadParamList() {
  const int n = plat::ArgCount();
  TParamStatusArray list = NewParamStatusArray(static_cast<std::size_t>(n));
  for (int k = 1; k <= n; ++k) list[static_cast<std::size_t>(k - 1)].Text = plat::Arg(k);
  return list;
}

void InitStatisticsRec(TParamStatisticsRec& stats, std::optional<std::string_view> label) {
  std::string keptLabel = label ? std::string(*label) : std::move(stats.Label);
  stats = TParamStatisticsRec{};
  stats.SyntaxOK = true;
  stats.Label = std::move(keptLabel);
}
