// Placeholder until the help screen lands.
#include "app/help.h"

void ShowSyntax(bool) {}
void WriteSectionHeader(std::string_view) {}
