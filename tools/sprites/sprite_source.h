// Sprites written as text: each sprite a grid of characters, one per pixel,
// with a legend that maps characters to palette indices. The shared sheet's
// catalogue art and a level's own graphics are both written this way.
//
// A source file, line by line:
//
//   # a comment                  a word that starts with '#' comments out the
//                                rest of its line (not inside a sprite's rows,
//                                nor as the character a colour line names)
//   colour g 54                  the character g stands for palette index 54
//   colour a cube 0 3 2          ... for the colour cube's red, green and blue
//                                levels (0 to 5 each): index 36 x 3 + 6 x 0 + 2
//   sprite key-a 16x16           a sprite of one 16 x 16 frame
//   sprite guard 16x32 frames 4 outline
//                                four frames; "outline" rings every frame's
//                                drawing with black (216)
//
// The pixel rows follow the sprite line at once, top row first. '.' is
// always nothing (255, transparent for every kind of sprite); every other
// character must have been given a colour higher up in the same file, and
// each character only once. Frames may stand side by side: a row line holds
// one word per frame, the words separated by spaces and each exactly as long
// as the sprite is wide, and a band of such lines as many as the sprite is
// high gives those frames; further bands give the next frames until all are
// read. Blank lines between rows are skipped, and every other line up to the
// sprite's last row is a row, even one that starts with '#'.
//
// "outline" paints each nothing pixel that touches a drawn pixel of its
// frame (left, right, above or below) with 216, the black that no sprite
// treats as transparent; the art itself leaves the room for it.
//
// Names are lower case letters, digits and '-'; a frame is at most 320 x 200
// and a sprite has 1 to 128 frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbulant::tools {

struct SourceSprite {
  std::string name;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t frames = 1;
  std::vector<uint8_t> pixels;  // frames one after another, each width x height, rows top first
};

struct SpriteSourceResult {
  std::vector<SourceSprite> sprites;
  std::string error;  // empty on success; otherwise "FILE:LINE: what is wrong"
};

// Parses the text of a sprite source file; `fileName` only names it in errors.
SpriteSourceResult ParseSpriteSource(const std::string& text, const std::string& fileName);

}  // namespace zorbulant::tools
