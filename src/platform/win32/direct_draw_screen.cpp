// The DirectDraw screen. The program has no import of DirectDraw: the library
// is loaded when the display is set up, and never freed.
#include "platform/win32/direct_draw_screen.h"

#include <array>

namespace zorbulant {

namespace {

using DirectDrawCreateFunction = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);

DirectDrawCreateFunction FindDirectDrawCreate() {
  const HMODULE library = ::LoadLibraryA("ddraw.dll");
  if (library == nullptr) return nullptr;
  const FARPROC found = ::GetProcAddress(library, "DirectDrawCreate");
  // Through the one function type that converts to every other one.
  return reinterpret_cast<DirectDrawCreateFunction>(reinterpret_cast<void (*)()>(found));
}

template <typename Interface>
void ReleaseOnce(Interface*& object) {
  if (object == nullptr) return;
  object->Release();
  object = nullptr;
}

}  // namespace

bool DirectDrawScreen::Open() {
  const DirectDrawCreateFunction create = FindDirectDrawCreate();
  if (create == nullptr) return false;
  IDirectDraw* first = nullptr;
  if (create(nullptr, &first, nullptr) != DD_OK || first == nullptr) return false;
  void* second = nullptr;
  const HRESULT queried = first->QueryInterface(IID_IDirectDraw2, &second);
  // References are counted per interface: the first one's count drops to 0.
  const ULONG remaining = first->Release();
  device_ = static_cast<IDirectDraw2*>(second);
  if (queried != S_OK || device_ == nullptr || remaining != 0) {
    ReleaseOnce(device_);
    return false;
  }
  return true;
}

bool DirectDrawScreen::SetExclusiveFullScreen(HWND window) {
  constexpr DWORD Level = DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX;
  if (device_ == nullptr || device_->SetCooperativeLevel(window, Level) != DD_OK) return false;
  exclusiveWindow_ = window;
  return true;
}

bool DirectDrawScreen::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
  if (device_ == nullptr || device_->SetDisplayMode(width, height, bitsPerPixel, 0, 0) != DD_OK) {
    return false;
  }
  modeSet_ = true;
  return true;
}

bool DirectDrawScreen::CreateFlippingChain() {
  if (device_ == nullptr) return false;
  DDSURFACEDESC description{};
  description.dwSize = sizeof description;
  description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  description.dwBackBufferCount = 1;
  description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  if (device_->CreateSurface(&description, &primary_, nullptr) != DD_OK) {
    primary_ = nullptr;
    return false;
  }
  DDSCAPS backBuffer{DDSCAPS_BACKBUFFER};
  if (primary_->GetAttachedSurface(&backBuffer, &back_) != DD_OK) {
    back_ = nullptr;
    ReleaseOnce(primary_);
    return false;
  }
  return true;
}

bool DirectDrawScreen::CreatePalette(const PaletteEntries& entries) {
  if (device_ == nullptr) return false;
  std::array<PALETTEENTRY, 256> table;
  for (size_t i = 0; i < table.size(); ++i) {
    table[i] = {entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
  }
  // With DDPCAPS_ALLOW256 entries 0 and 255 are taken as given too.
  if (device_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, table.data(), &palette_, nullptr) !=
      DD_OK) {
    palette_ = nullptr;
    return false;
  }
  return true;
}

bool DirectDrawScreen::AttachPalette() {
  return primary_ != nullptr && palette_ != nullptr && primary_->SetPalette(palette_) == DD_OK;
}

void DirectDrawScreen::ReleasePalette() { ReleaseOnce(palette_); }

void DirectDrawScreen::ReleaseFlippingChain() {
  // The back buffer goes with the primary surface it is attached to.
  back_ = nullptr;
  ReleaseOnce(primary_);
}

void DirectDrawScreen::Close() {
  ReleasePalette();
  ReleaseFlippingChain();
  if (device_ != nullptr) {
    if (modeSet_) device_->RestoreDisplayMode();
    if (exclusiveWindow_ != nullptr) device_->SetCooperativeLevel(exclusiveWindow_, DDSCL_NORMAL);
  }
  modeSet_ = false;
  exclusiveWindow_ = nullptr;
  ReleaseOnce(device_);
}

bool DirectDrawScreen::Lock(LockedSurface& surface) {
  if (back_ == nullptr) return false;
  DDSURFACEDESC description{};
  description.dwSize = sizeof description;
  if (back_->Lock(nullptr, &description, DDLOCK_WAIT, nullptr) != DD_OK) return false;
  surface.pixels = static_cast<uint8_t*>(description.lpSurface);
  surface.pitch = static_cast<uint32_t>(description.lPitch);
  return true;
}

bool DirectDrawScreen::Unlock() { return back_ != nullptr && back_->Unlock(nullptr) == DD_OK; }

bool DirectDrawScreen::Flip() {
  return primary_ != nullptr && primary_->Flip(nullptr, DDFLIP_WAIT) == DD_OK;
}

bool DirectDrawScreen::Restore() { return primary_ != nullptr && primary_->Restore() == DD_OK; }

HDC DirectDrawScreen::GetDC() {
  HDC dc = nullptr;
  if (back_ == nullptr || back_->GetDC(&dc) != DD_OK) return nullptr;
  return dc;
}

bool DirectDrawScreen::ReleaseDC(HDC dc) {
  return back_ != nullptr && back_->ReleaseDC(dc) == DD_OK;
}

}  // namespace zorbulant
