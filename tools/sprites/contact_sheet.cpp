// Laying out and drawing the contact sheet.
#include "sprites/contact_sheet.h"

#include <algorithm>

#include "platform/display.h"
#include "platform/headless/png_writer.h"
#include "sprites/hero_pictures.h"
#include "sprites/label_font.h"
#include "sprites/sprite_sheet.h"

namespace zorbulant::tools {

namespace {

constexpr uint32_t PageWidth = 1140;
constexpr uint32_t Margin = 12;
constexpr uint32_t Scale = 3;
constexpr uint32_t LabelScale = 2;
constexpr uint32_t LabelHeight = 5 * LabelScale + 4;
constexpr uint32_t Gap = 10;
constexpr Rgb Background{128, 128, 128};
constexpr Rgb LabelColour{16, 16, 16};
constexpr Rgb CaptionColour{255, 255, 255};

// Places blocks left to right, starting a new line when one would not fit.
class Flow {
 public:
  explicit Flow(uint32_t top) : y_(top) {}

  void Place(uint32_t width, uint32_t height, uint32_t& x, uint32_t& y) {
    if (x_ + width > PageWidth - Margin && x_ > Margin) NewLine();
    x = x_;
    y = y_;
    x_ += width + Gap;
    lineHeight_ = std::max(lineHeight_, height);
  }
  void NewLine() {
    if (x_ == Margin) return;
    y_ += lineHeight_ + Gap;
    x_ = Margin;
    lineHeight_ = 0;
  }
  uint32_t top() const { return y_; }
  void Skip(uint32_t rows) { y_ += rows; }

 private:
  uint32_t x_ = Margin;
  uint32_t y_;
  uint32_t lineHeight_ = 0;
};

class ContactSheet {
 public:
  explicit ContactSheet(const std::vector<uint8_t>& sheet) : sheet_(sheet) {}

  RgbCanvas Draw() {
    const SheetItem& hero = FixedSheetItems()[0];
    Caption("hero pistol 0-18");
    HeroRow(hero, 0, HeroWeaponPictures);
    Caption("hero flame-thrower 19-37");
    HeroRow(hero, 19, HeroWeaponPictures);
    Caption("hero grenade launcher 38-56");
    HeroRow(hero, 38, HeroWeaponPictures);
    Caption("hero laser 57-75");
    HeroRow(hero, 57, HeroWeaponPictures);
    Caption("hero idle a 76-80  idle b 81-85  reload 86-90");
    HeroRow(hero, HeroIdleA, HeroPictureCount - HeroIdleA);
    Caption("icons flame death and the catalogue");
    for (const SheetItem& item : SheetItems()) {
      if (item.name != hero.name) Item(item);
    }
    flow_.NewLine();
    canvas_.Fill(0, flow_.top(), PageWidth, Margin, Background);
    return std::move(canvas_);
  }

 private:
  void Caption(std::string_view text) {
    flow_.NewLine();
    flow_.Skip(Gap);
    DrawLabel(canvas_, text, Margin, flow_.top(), LabelScale, CaptionColour);
    flow_.Skip(LabelHeight + Gap / 2);
  }

  void HeroRow(const SheetItem& hero, uint32_t first, uint32_t count) {
    for (uint32_t n = first; n < first + count; ++n) {
      uint32_t x = 0;
      uint32_t y = 0;
      flow_.Place(hero.width * Scale, LabelHeight + hero.height * Scale, x, y);
      DrawLabel(canvas_, std::to_string(n), x, y, LabelScale, LabelColour);
      Frame(hero, n, x, y + LabelHeight);
    }
    flow_.NewLine();
  }

  void Item(const SheetItem& item) {
    const uint32_t frameWidth = item.width * Scale;
    const uint32_t width =
        std::max(item.frames * (frameWidth + Gap / 2) - Gap / 2, LabelWidth(item.name, LabelScale));
    uint32_t x = 0;
    uint32_t y = 0;
    flow_.Place(width, LabelHeight + item.height * Scale, x, y);
    DrawLabel(canvas_, item.name, x, y, LabelScale, LabelColour);
    for (uint32_t k = 0; k < item.frames; ++k) {
      Frame(item, k, x + k * (frameWidth + Gap / 2), y + LabelHeight);
    }
  }

  void Frame(const SheetItem& item, uint32_t k, uint32_t left, uint32_t top) {
    const PaletteEntries& palette = PaletteTable();
    const uint8_t* frame = &sheet_[item.offset + k * item.width * item.height];
    for (uint32_t j = 0; j < item.height; ++j) {
      for (uint32_t i = 0; i < item.width; ++i) {
        const uint8_t value = frame[j * item.width + i];
        const Rgb colour = value < item.transparentFrom
                               ? Rgb{palette[value].red, palette[value].green, palette[value].blue}
                               : Background;
        canvas_.Fill(left + i * Scale, top + j * Scale, Scale, Scale, colour);
      }
    }
  }

  const std::vector<uint8_t>& sheet_;
  RgbCanvas canvas_{PageWidth, Background};
  Flow flow_{0};
};

}  // namespace

RgbCanvas DrawContactSheet(const std::vector<uint8_t>& sheet) { return ContactSheet(sheet).Draw(); }

bool WriteContactSheet(const std::vector<uint8_t>& sheet, const std::filesystem::path& file,
                       std::string& error) {
  const RgbCanvas canvas = DrawContactSheet(sheet);
  if (!WriteRgbPng(file, canvas.width(), canvas.height(), canvas.pixels())) {
    error = file.string() + ": cannot be written";
    return false;
  }
  return true;
}

}  // namespace zorbulant::tools
