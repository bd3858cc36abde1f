#pragma once

// Writes the prompt to the console, reads one line from the console (hidden
// when the quiet option was found) and writes it with a line end to
// CoreOutput. False when neither the prompt nor the quiet option was found:
// then nothing was read.
bool RunLineInput();
