// Finding and loading the four faces, sizing them for font requests the way
// GDI maps a request onto the faces it has, and the font handle table.
#include "platform/text/font_library.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zorbulant {

namespace {

// Indices into FaceNames; each face is followed by its bold one.
constexpr size_t Sans = 0;
constexpr size_t Mono = 2;

struct FaceName {
  const char* family;
  const char* style;
  const char* fileName;  // in the package
};

constexpr std::array<FaceName, 4> FaceNames = {{
    {"DejaVu Sans", "Book", "DejaVuSans.ttf"},
    {"DejaVu Sans", "Bold", "DejaVuSans-Bold.ttf"},
    {"DejaVu Sans Mono", "Book", "DejaVuSansMono.ttf"},
    {"DejaVu Sans Mono", "Bold", "DejaVuSansMono-Bold.ttf"},
}};

constexpr const char* PackageDirectory = "/usr/share/fonts/truetype/dejavu";

// A height of 0 leaves the size to GDI; it gets the system font's cell.
constexpr int32_t DefaultCellHeight = 16;
// No text of the game comes near this; refusing larger sizes keeps a wild
// request from rendering glyph bitmaps of megabytes.
constexpr int32_t LargestSize = 1024;

FT_Library StartFreeType() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  // Fixed here rather than left to the build's default or to the
  // FREETYPE_PROPERTIES environment: the classic interpreter, which hints for
  // one-bit output as Windows does.
  FT_UInt version = TT_INTERPRETER_VERSION_35;
  FT_Property_Set(library, "truetype", "interpreter-version", &version);
  return library;
}

bool SameText(const FcChar8* text, const char* expected) {
  return std::strcmp(reinterpret_cast<const char*>(text), expected) == 0;
}

// The file fontconfig gives for the face, or nothing when what it matches is
// another family or style (its fallback for a missing face).
std::filesystem::path FindWithFontconfig(FcConfig* config, const FaceName& name) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.family));
  FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>(name.style));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return {};
  FcChar8* family = nullptr;
  FcChar8* style = nullptr;
  FcChar8* file = nullptr;
  std::filesystem::path found;
  if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
      FcPatternGetString(match, FC_STYLE, 0, &style) == FcResultMatch &&
      FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
      SameText(family, name.family) && SameText(style, name.style)) {
    found = reinterpret_cast<const char*>(file);
  }
  FcPatternDestroy(match);
  return found;
}

// Only a face that is what its name says and carries the tables GDI sizes
// fonts by.
bool Usable(FT_Face face, const FaceName& name) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return FT_IS_SCALABLE(face) && face->family_name != nullptr && face->style_name != nullptr &&
         std::strcmp(face->family_name, name.family) == 0 &&
         std::strcmp(face->style_name, name.style) == 0 && face->units_per_EM > 0 &&
         os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0 && os2->xAvgCharWidth > 0;
}

}  // namespace

FontLibrary::FontLibrary() : freetype_(StartFreeType()) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  for (size_t file = 0; file < faces_.size(); ++file) {
    if (config != nullptr) Load(file, FindWithFontconfig(config, FaceNames[file]));
    if (faces_[file] == nullptr) {
      Load(file, std::filesystem::path(PackageDirectory) / FaceNames[file].fileName);
    }
  }
  if (config != nullptr) FcConfigDestroy(config);
}

FontLibrary::FontLibrary(const std::filesystem::path& directory) : freetype_(StartFreeType()) {
  for (size_t file = 0; file < faces_.size(); ++file) {
    Load(file, directory / FaceNames[file].fileName);
  }
}

FontLibrary::~FontLibrary() {
  // Sizes belong to their faces, faces to the library.
  sized_.clear();
  for (FT_Face face : faces_) {
    if (face != nullptr) FT_Done_Face(face);
  }
  if (freetype_ != nullptr) FT_Done_FreeType(freetype_);
}

void FontLibrary::Load(size_t file, const std::filesystem::path& path) {
  if (freetype_ == nullptr || path.empty()) return;
  FT_Face face = nullptr;
  if (FT_New_Face(freetype_, path.c_str(), 0, &face) != 0) return;
  if (Usable(face, FaceNames[file])) {
    faces_[file] = face;
  } else {
    FT_Done_Face(face);
  }
}

uint32_t FontLibrary::MakeFont(const FontRequest& request) {
  SizedFont* glyphs = Sized(request);
  if (glyphs == nullptr) return 0;
  const uint32_t handle = nextHandle_;
  nextHandle_ = nextHandle_ == UINT32_MAX ? 1 : nextHandle_ + 1;
  fonts_.push_back({handle, {glyphs, request.underline != 0, request.strikeOut != 0}});
  return handle;
}

bool FontLibrary::DeleteFont(uint32_t handle) {
  const auto entry = std::find_if(fonts_.begin(), fonts_.end(), [handle](const FontEntry& font) {
    return font.handle == handle;
  });
  if (entry == fonts_.end()) return false;
  // The sized font stays cached for the next job that asks for it.
  fonts_.erase(entry);
  return true;
}

std::optional<FontLibrary::FontObject> FontLibrary::Find(uint32_t handle) const {
  for (const FontEntry& entry : fonts_) {
    if (entry.handle == handle) return entry.font;
  }
  return std::nullopt;
}

FontLibrary::FontObject FontLibrary::SystemFont() {
  // Windows' system font is a bold sans serif with a 16-pixel cell.
  FontRequest request;
  request.height = DefaultCellHeight;
  request.weight = 700;
  return {Sized(request), false, false};
}

SizedFont* FontLibrary::Sized(const FontRequest& request) {
  if (request.height < -LargestSize || request.height > LargestSize ||
      request.width < -LargestSize || request.width > LargestSize) {
    return nullptr;
  }
  // GDI's choice among the faces it has. Fixed pitch or the modern family
  // means the monospaced face; anything from semi-bold up the bold one, with
  // no further emboldening for heavier weights. Escapement and orientation
  // turn text in GDI; the game never turns any, so they are not looked at.
  const bool mono = (request.pitchAndFamily & 3) == 1 || (request.pitchAndFamily & 0xF0) == 0x30;
  const bool bold = request.weight >= 600;
  const size_t wanted = (mono ? Mono : Sans) + (bold ? 1 : 0);
  // A missing face gives way to the other weight, then to the other family.
  FT_Face face = nullptr;
  for (size_t step = 0; step < faces_.size() && face == nullptr; ++step) {
    face = faces_[wanted ^ step];
  }
  if (face == nullptr) return nullptr;

  const SizeKey key{face, request.height == 0 ? DefaultCellHeight : request.height,
                    std::abs(request.width), request.italic != 0};
  for (const SizedEntry& entry : sized_) {
    if (entry.key == key) return entry.font.get();
  }
  std::unique_ptr<SizedFont> font = SizedFont::Make(face, key.height, key.width, key.italic);
  if (font == nullptr) return nullptr;
  sized_.push_back({key, std::move(font)});
  return sized_.back().font.get();
}

}  // namespace zorbulant
