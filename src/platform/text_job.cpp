// Drawing text jobs and the start-up caption. No font is kept: every job
// makes its own and deletes it again.
#include "platform/text_job.h"

#include "flow/game.h"
#include "platform/display.h"

namespace zorbulant {

void SetTextFont(TextJob& job, int32_t height, int32_t width, int32_t weight, uint32_t underline,
                 uint32_t pitchAndFamily) {
  job.FontHeight = height;
  job.FontWidth = width;
  job.FontEscapement = 0;
  job.FontOrientation = 0;
  job.FontWeight = weight;
  job.FontItalic = 0;
  job.FontUnderline = underline;
  job.FontStrikeOut = 0;
  job.FontCharSet = 0;
  job.FontPitchAndFamily = pitchAndFamily;
}

void DrawTextJob(Game& game) {
  if (GetBackBufferDC(game) != 0) return;
  TextJob& job = game.textJob;
  TextDevice& dc = *game.display.TextDC;
  FontRequest request;
  request.height = job.FontHeight;
  request.width = job.FontWidth;
  request.escapement = job.FontEscapement;
  request.orientation = job.FontOrientation;
  request.weight = job.FontWeight;
  request.italic = job.FontItalic;
  request.underline = job.FontUnderline;
  request.strikeOut = job.FontStrikeOut;
  request.charSet = job.FontCharSet;
  request.pitchAndFamily = job.FontPitchAndFamily;
  job.FontHandle = dc.MakeFont(request);
  dc.SelectFont(job.FontHandle);
  dc.SetCharacterExtra(job.CharacterExtra);
  dc.SetBackgroundMode(BackgroundTransparent);
  dc.SetTextColour(ColourRef(0, 0, 0));
  dc.WriteText(job.TextX, job.TextY, job.TextPointer, job.TextLength);
  dc.SetTextColour(ColourRef(255, 0, 0));
  // Written back on purpose: a caller that sets only TextY before its next job
  // draws that job one pixel further right.
  job.TextY -= 1;
  job.TextX += 1;
  dc.WriteText(job.TextX, job.TextY, job.TextPointer, job.TextLength);
  dc.DeleteFont(job.FontHandle);
  ReleaseBackBufferDC(game);
}

void ShowStartupCaption(Game& game) {
  Window& window = game.platform.window;
  TextDevice* dc = window.GetWindowTextContext();
  if (dc == nullptr) return;
  FontRequest request;
  request.height = 80;
  request.weight = 800;
  request.italic = 1;
  if (const TextDevice::Font font = dc->MakeFont(request); font != 0) {
    dc->SelectFont(font);
    dc->SetBackgroundMode(BackgroundTransparent);
    dc->WriteText(50, 50, "Zorbulant", 9);
    dc->SelectFont(0);
    dc->DeleteFont(font);
  }
  window.ReleaseWindowTextContext(dc);
}

}  // namespace zorbulant
