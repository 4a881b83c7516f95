// A sound library whose only export, 3, would start it; the game's loader must
// not call it, since the rest is missing.
#include <cstdint>

extern "C" uint32_t SoundOpen() { return 1; }
