#pragma once

#include <string_view>

// The help screen to CoreOutput: brief (after a syntax error), else full, or
// extended when the verbose option was found.
void ShowSyntax(bool brief);

// Dashes, the heading, dashes: each as long as the heading.
void WriteSectionHeader(std::string_view heading);
