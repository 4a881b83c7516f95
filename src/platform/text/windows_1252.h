// The game's strings are single bytes of the Windows ANSI code page 1252.
#pragma once

#include <cstdint>

namespace zorbulant {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined keep their Latin-1 value, a control character no face has,
// as Windows itself maps them.
char32_t Windows1252CodePoint(uint8_t byte);

}  // namespace zorbulant
