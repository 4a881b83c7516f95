// A song's source: the text in content/music/NAME.txt that becomes a
// ProTracker module. The format, line by line:
//
//   title TEXT...          the module's title, up to 20 characters
//   speed TICKS            ticks of 1/50 s per row, 1 to 31 (6 when not given)
//   instrument NAME WAVE [KEY VALUE]...
//                          a synthesised instrument; WAVE is square, saw,
//                          triangle, bass, noise or kick, and the keys are
//                            cycle N     samples in one wave cycle, even, 8 to
//                                        1024: C-2 sounds at 8287 Hz / N (32)
//                            decay S     seconds at C-2 for the loudness to halve,
//                                        up to 1.5 (none: the note holds; noise
//                                        and kick need one)
//                            sustain L   the loudness the decay settles at, 0 to 1
//                                        (0: the note dies away)
//                            volume V    0 to 64 (64)
//                            note NOTE   the note it plays at when a channel
//                                        names it as a hit, for drums
//   pattern NAME           starts a pattern of 64 rows
//   CHANNEL EVENT...       CHANNEL is 1 to 4; the channel's events in this
//                          pattern, continued by further lines of the same
//                          channel. A channel that is given must fill all 64
//                          rows; one that is not stays silent.
//   order NAME...          the patterns in playing order, continued by further
//                          order lines; every pattern must be played. The song
//                          starts again from the top when it ends.
//
// The events of a channel:
//
//   @NAME      the instrument of the notes that follow; takes no row
//   C-2 C#2    a note, C-1 to B-3, on the chosen instrument
//   NAME       a hit: instrument NAME at its own note
//   .          nothing new: what sounds goes on
//   ^          silence
//   |          a bar line; takes no row, and must fall on a multiple of 16
//
// Every event but "@" and "|" takes one row, or N rows when written EVENT:N.
#pragma once

#include <string>

#include "sounds/tracker_module.h"

namespace zorbulant::tools {

// False, with "line N: ..." in `error`, when the text is not a valid song.
bool CompileSong(const std::string& text, Module& module, std::string& error);

}  // namespace zorbulant::tools
