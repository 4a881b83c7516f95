// The windowed screen: a DIB section in a memory device context.
#include "platform/win32/windowed_screen.h"

#include <array>

namespace zorbulant {

namespace {

constexpr int32_t Width = 320;
constexpr int32_t Height = 200;

// A DIB's header with room for its 256 colours.
struct PictureInfo {
  BITMAPINFOHEADER header;
  std::array<RGBQUAD, 256> colours;
};

void Blacken(HDC dc, LONG left, LONG top, LONG right, LONG bottom) {
  if (right > left && bottom > top) ::PatBlt(dc, left, top, right - left, bottom - top, BLACKNESS);
}

}  // namespace

RECT LetterboxRect(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return {0, 0, 0, 0};
  int32_t shownWidth = width;
  int32_t shownHeight = height;
  if (int64_t{width} * 3 > int64_t{height} * 4) {
    shownWidth = static_cast<int32_t>(int64_t{height} * 4 / 3);
  } else {
    shownHeight = static_cast<int32_t>(int64_t{width} * 3 / 4);
  }
  const int32_t left = (width - shownWidth) / 2;
  const int32_t top = (height - shownHeight) / 2;
  return {left, top, left + shownWidth, top + shownHeight};
}

bool WindowedScreen::Create() {
  Destroy();
  PictureInfo info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = Width;
  info.header.biHeight = -Height;  // top-down: row 0 comes first
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = 256;
  void* bits = nullptr;
  bitmap_ = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                               nullptr, 0);
  memory_ = ::CreateCompatibleDC(nullptr);
  if (bitmap_ == nullptr || memory_ == nullptr) {
    Destroy();
    return false;
  }
  ownBitmap_ = ::SelectObject(memory_, bitmap_);
  pixels_ = static_cast<uint8_t*>(bits);
  return true;
}

void WindowedScreen::Destroy() {
  if (memory_ != nullptr) {
    if (ownBitmap_ != nullptr) ::SelectObject(memory_, ownBitmap_);
    ::DeleteDC(memory_);
  }
  if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
  bitmap_ = nullptr;
  ownBitmap_ = nullptr;
  memory_ = nullptr;
  pixels_ = nullptr;
}

void WindowedScreen::SetColours(const PaletteEntries& entries) {
  if (memory_ == nullptr) return;
  std::array<RGBQUAD, 256> colours;
  for (size_t i = 0; i < colours.size(); ++i) {
    colours[i] = {entries[i].blue, entries[i].green, entries[i].red, 0};
  }
  ::SetDIBColorTable(memory_, 0, static_cast<UINT>(colours.size()), colours.data());
}

uint8_t* WindowedScreen::Pixels() {
  ::GdiFlush();
  return pixels_;
}

void WindowedScreen::Show(HWND window) {
  if (window == nullptr || memory_ == nullptr) return;
  const HDC dc = ::GetDC(window);
  if (dc == nullptr) return;
  RECT client;
  ::GetClientRect(window, &client);
  Paint(dc, client);
  ::ReleaseDC(window, dc);
}

void WindowedScreen::Paint(HDC dc, const RECT& client) {
  if (memory_ == nullptr) return;
  RECT shown = LetterboxRect(client.right - client.left, client.bottom - client.top);
  ::OffsetRect(&shown, client.left, client.top);
  Blacken(dc, client.left, client.top, client.right, shown.top);
  Blacken(dc, client.left, shown.bottom, client.right, client.bottom);
  Blacken(dc, client.left, shown.top, shown.left, shown.bottom);
  Blacken(dc, shown.right, shown.top, client.right, shown.bottom);
  // Whole pixels repeated, never blended, as a CRT showed them.
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::GdiFlush();
  ::StretchBlt(dc, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
               memory_, 0, 0, Width, Height, SRCCOPY);
}

}  // namespace zorbulant
