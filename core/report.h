// The syntax-error report: what is wrong, where the program lies, what was
// typed; then a beep and a wait for a key on request.
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr std::int32_t kErrorWaitTicks = 30;
inline constexpr unsigned kErrorWaitTickMilliseconds = 250;

void ShowSyntaxError(std::string_view message, bool errorDelay, bool audibleError);
void WriteErrorLine(std::string_view message, std::string_view leader);
void WaitForKeyOrTimeout(std::int32_t ticks, std::string_view prompt);
