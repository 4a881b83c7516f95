// The sign tower: a steel frame, a dark panel and gold letters down it.
#include "start_pictures/title_pylon.h"

#include "start_pictures/lettering.h"
#include "start_pictures/menu_layout.h"
#include "start_pictures/outpost.h"

namespace zorbulant::tools {

namespace {

constexpr char Title[] = "ZORBULANT";
constexpr int32_t PanelLeft = 5;
constexpr int32_t PanelRight = 24;
constexpr int32_t PanelTop = 7;
constexpr int32_t LetterTop = 9;
constexpr int32_t LetterPitch = 19;

constexpr Rgb FrameLit = {0.55f, 0.6f, 0.7f};
constexpr Rgb FrameMid = {0.3f, 0.33f, 0.42f};
constexpr Rgb FrameDark = {0.1f, 0.1f, 0.18f};

void FillRect(ColourCanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
              Rgb colour) {
  for (int32_t y = top; y <= bottom; ++y) {
    for (int32_t x = left; x <= right; ++x) canvas.Set(x, y, colour);
  }
}

void PaintFrame(ColourCanvas& canvas) {
  constexpr auto bottom = static_cast<int32_t>(menu_layout::CreditsTop) - 1;
  FillRect(canvas, PanelLeft - 2, PanelTop - 2, PanelRight + 2, bottom, FrameMid);
  FillRect(canvas, PanelLeft - 2, PanelTop - 2, PanelLeft - 2, bottom, FrameLit);
  FillRect(canvas, PanelRight + 2, PanelTop - 2, PanelRight + 2, bottom, FrameDark);
  FillRect(canvas, PanelLeft, PanelTop, PanelRight, bottom - 6, Rgb{0.02f, 0.02f, 0.06f});
  // A cap over the panel with a red light on its mast, and a wider foot.
  FillRect(canvas, PanelLeft - 4, PanelTop - 4, PanelRight + 4, PanelTop - 3, FrameLit);
  FillRect(canvas, PanelLeft - 4, PanelTop - 2, PanelRight + 4, PanelTop - 2, FrameDark);
  FillRect(canvas, 14, 0, 15, PanelTop - 5, FrameMid);
  PaintGlow(canvas, 14.5f, 0, 4, Rgb{1.0f, 0.2f, 0.1f}, 0.6f);
  FillRect(canvas, PanelLeft - 4, bottom - 3, PanelRight + 4, bottom - 3, FrameLit);
  FillRect(canvas, PanelLeft - 4, bottom - 2, PanelRight + 4, bottom, FrameDark);
  // Bolts down both sides, one between each two letters.
  for (int32_t y = LetterTop + LetterPitch - 2; y < bottom - 6; y += LetterPitch) {
    canvas.Set(PanelLeft - 2, y, Level(5, 5, 5));
    canvas.Set(PanelRight + 2, y, FrameLit);
  }
}

}  // namespace

void PaintTitlePylon(ColourCanvas& canvas) {
  static_assert(PanelRight + 4 <= static_cast<int32_t>(menu_layout::TitleStripRight));
  PaintFrame(canvas);
  const LetteringColours gold = {Level(5, 5, 2), Level(5, 2, 0), Rgb{0.2f, 0.05f, 0.0f}};
  for (int32_t i = 0; i < static_cast<int32_t>(sizeof(Title) - 1); ++i) {
    const Mask letter = TextMask(std::string_view(Title + i, 1), 2, 0);
    const int32_t left = (PanelLeft + PanelRight + 1 - static_cast<int32_t>(letter.width)) / 2;
    PaintLettering(canvas, letter, left, LetterTop + i * LetterPitch, gold);
  }
}

}  // namespace zorbulant::tools
