// GDI text with the game's 32-bit font handles.
#include "platform/win32/gdi_text_device.h"

namespace zorbulant {

GdiTextDevice::~GdiTextDevice() {
  Detach();
  fonts_.Clear([](HFONT font) { ::DeleteObject(font); });
}

void GdiTextDevice::Attach(HDC dc) {
  Detach();
  dc_ = dc;
}

void GdiTextDevice::Detach() {
  if (dc_ == nullptr) return;
  SelectOwnFont();
  dc_ = nullptr;
}

void GdiTextDevice::SelectOwnFont() {
  if (ownFont_ != nullptr) ::SelectObject(dc_, ownFont_);
  ownFont_ = nullptr;
  selected_ = 0;
}

TextDevice::Font GdiTextDevice::MakeFont(const FontRequest& request) {
  // No face name: GDI picks the face from height, weight, character set and
  // pitch and family.
  const HFONT font =
      ::CreateFontA(request.height, request.width, request.escapement, request.orientation,
                    request.weight, request.italic, request.underline, request.strikeOut,
                    request.charSet, request.outputPrecision, request.clipPrecision,
                    request.quality, request.pitchAndFamily, nullptr);
  return font == nullptr ? 0 : fonts_.Add(font);
}

TextDevice::Font GdiTextDevice::SelectFont(Font font) {
  if (dc_ == nullptr) return 0;
  const Font before = selected_;
  if (font == 0) {
    SelectOwnFont();
    return before;
  }
  const std::optional<HFONT> native = fonts_.Find(font);
  if (!native) return 0;
  const HGDIOBJ previous = ::SelectObject(dc_, *native);
  if (previous == nullptr || previous == HGDI_ERROR) return 0;
  if (ownFont_ == nullptr) ownFont_ = previous;
  selected_ = font;
  return before;
}

bool GdiTextDevice::DeleteFont(Font font) {
  // A font is deleted while still selected at the end of every text job; GDI
  // would keep such a font, so the context's own one takes its place first.
  if (font != 0 && font == selected_) SelectOwnFont();
  const std::optional<HFONT> native = fonts_.Remove(font);
  return native && ::DeleteObject(*native) != 0;
}

int32_t GdiTextDevice::SetBackgroundMode(int32_t mode) {
  return dc_ == nullptr ? 0 : ::SetBkMode(dc_, mode);
}

uint32_t GdiTextDevice::SetTextColour(uint32_t colour) {
  return dc_ == nullptr ? CLR_INVALID : ::SetTextColor(dc_, colour);
}

int32_t GdiTextDevice::SetCharacterExtra(int32_t extra) {
  return dc_ == nullptr ? 0 : ::SetTextCharacterExtra(dc_, extra);
}

bool GdiTextDevice::WriteText(int32_t x, int32_t y, const char* text, int32_t length) {
  return dc_ != nullptr && ::TextOutA(dc_, x, y, text, length) != 0;
}

}  // namespace zorbulant
