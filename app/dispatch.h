#pragma once

#include <cstdint>
#include <string_view>

// Runs the one outcome of the run, chosen from the validation and the found
// options.
void DispatchOutcome();
// The error of a command line with neither the prompt nor the quiet option.
void ExitMissingParameters();
// Banner, syntax-error report, help, then the exit code.
void ExitWithSyntaxError(std::int32_t code, std::string_view message, bool brief);
