// The faces all text is drawn with, loaded once and shared by every text
// device, their sized and rendered forms, and the table of fonts that font
// handles name.
//
// Only four files are ever used, those of the DejaVu core package: Sans and
// Sans Mono, each upright and bold. Whatever else is installed, the same
// request gives the same pixels on every machine that has the package.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/text/sized_font.h"
#include "platform/text_device.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace zorbulant {

class FontLibrary {
 public:
  // What a font handle stands for.
  struct FontObject {
    SizedFont* glyphs = nullptr;  // null for the system font when no face was loaded
    bool underline = false;
    bool strikeOut = false;
  };

  // The faces fontconfig finds for "DejaVu Sans" and "DejaVu Sans Mono";
  // where it names anything else, the package's files at their Debian place.
  FontLibrary();
  // The faces from their package file names in `directory`, and nowhere else.
  explicit FontLibrary(const std::filesystem::path& directory);
  ~FontLibrary();
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  // A handle, never 0; 0 when no face could be loaded or the size is absurd.
  uint32_t MakeFont(const FontRequest& request);
  // False for 0 and for handles that aren't fonts (any more).
  bool DeleteFont(uint32_t handle);
  std::optional<FontObject> Find(uint32_t handle) const;
  // What a device draws with while no font is selected into it.
  FontObject SystemFont();

 private:
  struct SizeKey {
    FT_FaceRec_* face = nullptr;
    int32_t height = 0;
    int32_t width = 0;
    bool italic = false;
    bool operator==(const SizeKey&) const = default;
  };
  struct SizedEntry {
    SizeKey key;
    std::unique_ptr<SizedFont> font;
  };
  struct FontEntry {
    uint32_t handle = 0;
    FontObject font;
  };

  void Load(size_t file, const std::filesystem::path& path);
  SizedFont* Sized(const FontRequest& request);

  FT_LibraryRec_* freetype_;
  // Sans, Sans Bold, Sans Mono, Sans Mono Bold; null where loading failed.
  std::array<FT_FaceRec_*, 4> faces_{};
  std::vector<SizedEntry> sized_;
  std::vector<FontEntry> fonts_;
  uint32_t nextHandle_ = 1;
};

}  // namespace zorbulant
