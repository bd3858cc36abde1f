// A fake command line with the core started on it, and the driver's twelve
// lookups made over it in the driver's order.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "app/options.h"
#include "core/params.h"
#include "core/state.h"
#include "platform/fake/fake_console.h"

namespace lookup_fixture {

using Args = std::vector<std::string>;

// Starts the core on `args` with the driver's syntax mode.
inline void Start(Args args) {
  fake::Reset();
  fake::Machine().Args = std::move(args);
  CoreStartup();
  ParamSyntaxMode = 2;
}

// One result per row of kOptionTable.
using DriverResults = std::array<TFindParamRec, kOptionTable.size()>;

inline DriverResults RunDriverLookups() {
  DriverResults results;
  for (std::size_t row = 0; row < kOptionTable.size(); ++row) LookUpOption(row, results[row]);
  return results;
}

inline std::vector<int> Statuses() {
  std::vector<int> statuses;
  for (const TParamStatusRec& entry : ParamList) statuses.push_back(entry.Status);
  return statuses;
}

}  // namespace lookup_fixture
