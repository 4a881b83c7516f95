// Loads the fuzzer's input as a GIF picture into one of the picture regions,
// the one its last byte picks. Whatever the file holds, a load may change only
// that region, the decoder's scratch area at the start of the SceneBuffer and
// the GifInputBuffer: the rest of the work block is filled with guard bytes
// once and must still hold them after every load.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <span>
#include <vector>

#include "assets/gif_decoder.h"
#include "assets/work_block.h"
#include "flow/game.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

// The input as the one file there is, under any name.
class InputFile final : public FileSystem {
 public:
  void Serve(std::span<const uint8_t> bytes) { bytes_ = bytes; }
  bool IsOpen() const { return open_; }

  Handle OpenForReading(const char*) override {
    open_ = true;
    at_ = 0;
    return 1;
  }
  uint32_t Read(Handle, void* destination, uint32_t length) override {
    const size_t count = std::min<size_t>(length, bytes_.size() - at_);
    if (count > 0) std::memcpy(destination, bytes_.data() + at_, count);
    at_ += count;
    return static_cast<uint32_t>(count);
  }
  void Close(Handle) override { open_ = false; }
  bool Exists(const char*) override { return true; }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
  bool open_ = false;
};

constexpr Region PictureRegions[] = {regions::LevelPicture,        regions::HeroSheet,
                                     regions::LevelGraphics,       regions::GoButtonPicture,
                                     regions::ConfigButtonPicture, regions::ExitButtonPicture,
                                     regions::MenuBackground};

// What the decoder may use of the SceneBuffer: its string store ends where a
// string's position no longer fits the code table's 20 bits, and its 16-byte
// copies reach up to a margin past that.
constexpr Region Scratch{regions::SceneBuffer.offset, lzw::StringStoreLimit + lzw::StoreMargin};
static_assert(Scratch.size <= regions::SceneBuffer.size);

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "gif_decoder_fuzz: %s\n", what);
  std::abort();
}

struct Harness {
  Harness() : guard(regions::WorkBlockSize) {
    if (!game.work.Allocate()) Fail("no memory for the work block");
    // Random guard bytes, so that no pattern a decoder writes matches them
    // for more than a byte by chance.
    std::mt19937 random(1);
    for (uint8_t& byte : guard) byte = static_cast<uint8_t>(random());
    std::memcpy(game.work.data(), guard.data(), guard.size());
  }

  InputFile files;
  testing::TestPlatform test;
  Platform services{test.window,   test.clock, test.display, files,
                    test.settings, test.sound, "zorbulant"};
  Game game{services};
  std::vector<uint8_t> guard;
};

void ExpectGuarded(const Harness& harness, uint32_t from, uint32_t to) {
  if (from >= to) return;
  const uint8_t* block = harness.game.work.data();
  if (std::memcmp(block + from, harness.guard.data() + from, to - from) == 0) return;
  const auto changed = std::mismatch(block + from, block + to, harness.guard.data() + from);
  std::fprintf(stderr, "gif_decoder_fuzz: byte %td of the work block changed\n",
               changed.first - block);
  std::abort();
}

// Loads stay inside the areas they own: the scratch area and the input buffer,
// which every load may change, and its destination.
void ExpectOnlyOwnAreasChanged(const Harness& harness, Region destination) {
  Region owned[] = {Scratch, destination, regions::GifInputBuffer};
  std::sort(std::begin(owned), std::end(owned),
            [](const Region& a, const Region& b) { return a.offset < b.offset; });
  uint32_t from = 0;
  for (const Region& area : owned) {
    ExpectGuarded(harness, from, area.offset);
    from = std::max(from, area.end());
  }
  ExpectGuarded(harness, from, regions::WorkBlockSize);
}

}  // namespace
}  // namespace zorbulant

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorbulant;
  // One work block for the whole run, as the game has.
  static Harness harness;
  const Region destination =
      PictureRegions[size == 0 ? 0 : data[size - 1] % std::size(PictureRegions)];
  harness.files.Serve({data, size});
  if (!LoadGifPicture(harness.game, "picture.gif", destination)) Fail("a file that opens failed");
  if (harness.files.IsOpen()) Fail("the file was left open");
  ExpectOnlyOwnAreasChanged(harness, destination);
  // The next load may go elsewhere, and then this region is guarded again.
  std::memcpy(harness.game.work.at(destination), harness.guard.data() + destination.offset,
              destination.size);
  return 0;
}
