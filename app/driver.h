#pragma once

// The program's main flow after the platform start-up: identity, the twelve
// lookups, validation, the outcome.
void RunDriver();

// The whole run between platform start-up and process exit: core start-up,
// program state, driver, release. Returns the exit code.
int RunQuillet();
