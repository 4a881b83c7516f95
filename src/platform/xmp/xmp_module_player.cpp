// The module player over libxmp.
#include "platform/xmp/xmp_module_player.h"

#include <xmp.h>

#include <algorithm>

namespace zorbulant {

namespace {

constexpr int StereoSeparation = 50;  // percent

class XmpModulePlayer final : public ModulePlayer {
 public:
  XmpModulePlayer() : context_(xmp_create_context()) {}
  ~XmpModulePlayer() override {
    Stop();
    if (loaded_) xmp_release_module(context_);
    if (context_ != nullptr) xmp_free_context(context_);
  }
  XmpModulePlayer(const XmpModulePlayer&) = delete;
  XmpModulePlayer& operator=(const XmpModulePlayer&) = delete;

  bool Load(std::span<const uint8_t> bytes) override {
    if (context_ == nullptr || loaded_ || bytes.empty()) return false;
    // libxmp copies what it needs: the bytes may go once this returns.
    loaded_ =
        xmp_load_module_from_memory(context_, bytes.data(), static_cast<long>(bytes.size())) == 0;
    return loaded_;
  }

  bool Start(uint32_t rate) override {
    Stop();
    if (!loaded_) return false;
    playing_ = xmp_start_player(context_, static_cast<int>(rate), 0) == 0;
    // Amiga modules put each channel fully to one side; half the separation
    // keeps the stereo without music in one ear only.
    if (playing_) xmp_set_player(context_, XMP_PLAYER_MIX, StereoSeparation);
    return playing_;
  }

  void Render(std::span<int16_t> frames) override {
    // A loop count of 0 plays the module over and over.
    if (playing_ &&
        xmp_play_buffer(context_, frames.data(), static_cast<int>(frames.size_bytes()), 0) == 0) {
      return;
    }
    std::fill(frames.begin(), frames.end(), int16_t{0});
  }

  void Stop() override {
    if (!playing_) return;
    xmp_end_player(context_);
    playing_ = false;
  }

 private:
  xmp_context context_;
  bool loaded_ = false;
  bool playing_ = false;
};

}  // namespace

std::unique_ptr<ModulePlayer> MakeXmpModulePlayer() { return std::make_unique<XmpModulePlayer>(); }

}  // namespace zorbulant
