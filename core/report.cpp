// Placeholder until the syntax-error report lands.
#include "core/report.h"

void ShowSyntaxError(std::string_view, bool, bool) {}
void WriteErrorLine(std::string_view, std::string_view) {}
void WaitForKeyOrTimeout(std::int32_t, std::string_view) {}
