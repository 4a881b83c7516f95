// windows.h as the Win32 backend includes it. windows.h still defines
// FreeModule, a 16-bit Windows name, as a macro, which would rename the sound
// library's FreeModule wherever it is declared or called after it.
#pragma once

#include <windows.h>

#undef FreeModule
