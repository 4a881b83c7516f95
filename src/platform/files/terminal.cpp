// The terminal test over POSIX.
#include "platform/files/terminal.h"

#include <unistd.h>

namespace zorbulant {

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

}  // namespace zorbulant
