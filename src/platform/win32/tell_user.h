// How the program tells its user why it cannot run.
#pragma once

#include <string_view>

namespace zorbulant {

// Writes `text` to the standard error when the program has one (started from
// a console or a script); otherwise, started from the desktop, shows it in a
// message box.
void TellUser(std::string_view text);

}  // namespace zorbulant
