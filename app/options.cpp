#include "app/options.h"

#include <string>

#include "core/params.h"
#include "core/state.h"

void LookUpOption(std::size_t row, TFindParamRec& result) {
  const TOptionRow& option = kOptionTable[row];
  std::string ignoredText;  // the value is read from the result record
  switch (option.Kind) {
    case LookupKind::Switch:
      FindSwitch(result, ParamList, option.Keywords, 0, -1, 0);
      break;
    case LookupKind::BoolSwitch:
      FindBoolSwitch(result, ParamList, option.Keywords,
                     row == kErrorDelayOption ? ErrorDelayEnabled : AudibleErrorEnabled, -1, 0);
      break;
    case LookupKind::ValueParam:
      FindValueParam(result, ParamList, option.Keywords, ignoredText, -1, 0);
      break;
  }
}
