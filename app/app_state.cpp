#include "app/app_state.h"

#include "platform/console.h"

TFindParamRec PromptParam;
TFindParamRec QuietParam;
TSecretString InputLine;
char ConsoleInBuffer[kConsoleInBufferSize];

void ProgramStateCreate() {
  PromptParam = TFindParamRec{};
  QuietParam = TFindParamRec{};
  WipeSecret(InputLine);
}

void ProgramStateRelease() {
  PromptParam = TFindParamRec{};
  QuietParam = TFindParamRec{};
  WipeSecret(InputLine);
  plat::WipeMemory(ConsoleInBuffer, sizeof ConsoleInBuffer);
}
