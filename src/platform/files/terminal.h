// Whether someone can be asked something on the terminal.
#pragma once

namespace zorbulant {

// True when standard input is a terminal, not a file, pipe or nothing.
bool StandardInputIsTerminal();

}  // namespace zorbulant
