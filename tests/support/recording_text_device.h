// A text device that records every call instead of drawing, so tests can see
// exactly what a text job asked for.
#pragma once

#include <string>
#include <vector>

#include "platform/text_device.h"

namespace zorbulant::testing {

class RecordingTextDevice final : public TextDevice {
 public:
  struct Write {
    int32_t x;
    int32_t y;
    std::string text;  // all `length` bytes, zero bytes included
    uint32_t colour;
    int32_t extra;
  };

  std::vector<std::string> calls;
  std::vector<Write> writes;
  std::vector<FontRequest> fonts;

  Font MakeFont(const FontRequest& request) override {
    fonts.push_back(request);
    calls.push_back("MakeFont");
    return static_cast<Font>(fonts.size());
  }
  Font SelectFont(Font font) override {
    calls.push_back("SelectFont " + std::to_string(font));
    const Font before = selected_;
    selected_ = font;
    return before;
  }
  bool DeleteFont(Font font) override {
    calls.push_back("DeleteFont " + std::to_string(font));
    return true;
  }
  int32_t SetBackgroundMode(int32_t mode) override {
    calls.push_back("SetBackgroundMode " + std::to_string(mode));
    return 2;
  }
  uint32_t SetTextColour(uint32_t colour) override {
    calls.push_back("SetTextColour " + std::to_string(colour));
    const uint32_t before = colour_;
    colour_ = colour;
    return before;
  }
  int32_t SetCharacterExtra(int32_t extra) override {
    calls.push_back("SetCharacterExtra " + std::to_string(extra));
    const int32_t before = extra_;
    extra_ = extra;
    return before;
  }
  bool WriteText(int32_t x, int32_t y, const char* text, int32_t length) override {
    calls.push_back("WriteText");
    writes.push_back({x, y, std::string(text, static_cast<size_t>(length)), colour_, extra_});
    return true;
  }

 private:
  Font selected_ = 0;
  uint32_t colour_ = 0;
  int32_t extra_ = 0;
};

}  // namespace zorbulant::testing
