// The program's own state for one run: the two lookup results that the line
// input reads, and the buffers of the line input. Created empty before the
// driver starts, released (and wiped) after it ends.
#pragma once

#include <cstddef>
#include <string>

#include "core/records.h"
#include "app/secret.h"

inline constexpr std::size_t kConsoleInBufferSize = 4096;

extern TFindParamRec PromptParam;
extern TFindParamRec QuietParam;
extern TSecretString InputLine;
extern char ConsoleInBuffer[kConsoleInBufferSize];

void ProgramStateCreate();
void ProgramStateRelease();
