// Text on the screen: a caller describes one piece of text in the TextJob
// record and DrawTextJob writes it in red with a black shadow below and to the
// left, on the back buffer between the picture's copy and the flip.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;

// Persists between jobs: callers set only the fields that differ from the job
// before, and DrawTextJob itself moves TextX one right and TextY one up.
struct TextJob {
  int32_t TextX = 0;
  int32_t TextY = 0;
  int32_t TextLength = 0;
  const char* TextPointer = nullptr;  // TextLength bytes; no terminator needed
  int32_t CharacterExtra = 0;
  int32_t FontHeight = 0;
  int32_t FontWidth = 0;
  int32_t FontEscapement = 0;
  int32_t FontOrientation = 0;
  int32_t FontWeight = 0;
  uint32_t FontItalic = 0;
  uint32_t FontUnderline = 0;
  uint32_t FontStrikeOut = 0;
  uint32_t FontCharSet = 0;
  uint32_t FontPitchAndFamily = 0;
  uint32_t FontHandle = 0;  // the font of the job now running
};

// Sets every font field of the job: the game's fonts never turn, slant or
// strike out, and always use the default character set.
void SetTextFont(TextJob& job, int32_t height, int32_t width, int32_t weight, uint32_t underline,
                 uint32_t pitchAndFamily);

void DrawTextJob(Game& game);

// Writes "Zorbulant" large into the window until the display takes over.
void ShowStartupCaption(Game& game);

}  // namespace zorbulant
