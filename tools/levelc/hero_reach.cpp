// The flood of the hero's reachable foot points.
#include "levelc/hero_reach.h"

#include <array>
#include <deque>
#include <iterator>
#include <numeric>
#include <optional>

#include "levelc/level_picture.h"

namespace zorbulant::tools {

namespace {

constexpr uint8_t FirstHeroSolid = 232;

// The highest jump, frame by frame: the frame's rise (the lift less the pull
// of gravity), then its one step sideways. The flood walks this run of
// steps: rising takes the next pixel of rise, moving sideways the next step
// sideways, and steps passed over are given up (a player can always rise
// less or not move). A budget is the number of steps left, so more is always
// at least as good.
constexpr int32_t FrameRise[] = {12, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
constexpr int32_t JumpSteps = HeroJumpHeight + std::size(FrameRise);
constexpr std::array<bool, JumpSteps> RiseSteps = [] {
  std::array<bool, JumpSteps> rises{};
  size_t step = 0;
  for (int32_t rise : FrameRise) {
    for (int32_t pixel = 0; pixel < rise; ++pixel) rises[step++] = true;
    rises[step++] = false;
  }
  return rises;
}();
static_assert(std::accumulate(std::begin(FrameRise), std::end(FrameRise), 0) == HeroJumpHeight);

// The budget left after the next step of that kind, or none.
std::optional<int32_t> AfterNext(int32_t budget, bool rise) {
  for (int32_t step = JumpSteps - budget; step < JumpSteps; ++step) {
    if (RiseSteps[size_t(step)] == rise) return JumpSteps - step - 1;
  }
  return std::nullopt;
}

constexpr uint32_t WrapRow = 800;  // the hero's y is set back to 0 here
constexpr int8_t NotReached = -1;

struct FootPoint {
  int32_t x;
  int32_t y;
};

class Flood {
 public:
  Flood(const IndexedPicture& collision, const ReachArea& area)
      : collision_(collision),
        area_(area),
        bottom_(std::min(area.height, WrapRow)),
        budget_(size_t{LevelPictureWidth} * area.height, NotReached),
        left_(area.height, false),
        right_(area.height, false),
        pits_(LevelPictureWidth, false) {}

  HeroReach Run(uint32_t startX, uint32_t startY) {
    Visit({static_cast<int32_t>(startX), static_cast<int32_t>(startY)}, 0);
    while (!queue_.empty()) {
      const FootPoint foot = queue_.front();
      queue_.pop_front();
      Step(foot);
    }
    HeroReach reach;
    for (uint32_t y = 0; y < area_.height; ++y) {
      if (left_[y]) reach.leftEscapes.push_back(y);
      if (right_[y]) reach.rightEscapes.push_back(y);
    }
    for (uint32_t x = 0; x < LevelPictureWidth; ++x) {
      if (pits_[x]) reach.pitColumns.push_back(x);
    }
    reach.reached.resize(budget_.size());
    for (size_t i = 0; i < budget_.size(); ++i) reach.reached[i] = budget_[i] != NotReached;
    return reach;
  }

 private:
  bool Solid(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= static_cast<int32_t>(collision_.width) ||
        y >= static_cast<int32_t>(collision_.height)) {
      return false;
    }
    return collision_.pixels[size_t(y) * collision_.width + size_t(x)] >= FirstHeroSolid;
  }

  int8_t& Budget(FootPoint foot) {
    return budget_[size_t(foot.y) * LevelPictureWidth + size_t(foot.x)];
  }

  // Keeps the highest jump budget a foot point was reached with.
  void Visit(FootPoint foot, int32_t budget) {
    if (foot.x < 0 || foot.y < 0 || foot.x >= static_cast<int32_t>(area_.width) ||
        foot.y >= static_cast<int32_t>(area_.height)) {
      return;
    }
    if (Solid(foot.x, foot.y)) budget = JumpSteps;
    int8_t& best = Budget(foot);
    if (budget <= best) return;
    best = static_cast<int8_t>(budget);
    queue_.push_back(foot);
  }

  void Step(FootPoint foot) {
    const int32_t budget = Budget(foot);
    const auto [x, y] = foot;
    if (const std::optional<int32_t> left = AfterNext(budget, true)) Visit({x, y - 1}, *left);
    if (Lifted(x, y, +1) || Lifted(x, y, -1)) Visit({x, y - 1}, budget);
    if (!Solid(x, y)) Fall(foot);
    Walk(foot, budget, +1);
    Walk(foot, budget, -1);
  }

  // The step rule of one side: the pixel above the foot, here or there, is
  // solid, and the pixel two above there is not.
  bool Lifted(int32_t x, int32_t y, int32_t side) const {
    return (Solid(x, y - 1) || Solid(x + side, y - 1)) && !Solid(x + side, y - 2);
  }

  void Walk(FootPoint foot, int32_t budget, int32_t side) {
    const auto [x, y] = foot;
    const int32_t nx = x + side;
    if (nx < 0 || nx >= static_cast<int32_t>(area_.width)) {
      (side < 0 ? left_ : right_)[size_t(y)] = true;
      return;
    }
    const bool stepping = Solid(x, y - 1) || Solid(nx, y - 1);
    if (stepping && Solid(nx, y - 2)) return;  // a wall
    const int32_t ny = stepping ? y - 1 : y;
    if (const std::optional<int32_t> left = AfterNext(budget, false)) {
      Visit({nx, ny}, *left);
    } else {
      Visit({nx, ny + 1}, 0);  // floating: a pixel down for each one across
    }
  }

  void Fall(FootPoint foot) {
    if (static_cast<uint32_t>(foot.y) + 1 < bottom_) {
      Visit({foot.x, foot.y + 1}, 0);
    } else if (area_.wrap) {
      Visit({foot.x, 0}, 0);
    } else {
      pits_[size_t(foot.x)] = true;
    }
  }

  const IndexedPicture& collision_;
  ReachArea area_;
  uint32_t bottom_;
  std::vector<int8_t> budget_;
  std::vector<bool> left_;
  std::vector<bool> right_;
  std::vector<bool> pits_;
  std::deque<FootPoint> queue_;
};

}  // namespace

bool HeroReach::Reached(uint32_t x, uint32_t y) const {
  const size_t index = size_t{y} * LevelPictureWidth + x;
  return x < LevelPictureWidth && index < reached.size() && reached[index];
}

HeroReach ExploreHeroReach(const IndexedPicture& collision, const ReachArea& area, uint32_t startX,
                           uint32_t startY) {
  return Flood(collision, area).Run(startX, startY);
}

}  // namespace zorbulant::tools
