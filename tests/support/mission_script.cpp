#include "support/mission_script.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace zorbulant::testing {

MissionScript PlayMission(const std::string& name, uint32_t number) {
  std::ostringstream script;
  script << "2 press Enter\n3 release Enter\n";
  for (uint32_t step = 0; step < number; ++step) {
    script << 4 + 2 * step << " press Right\n" << 5 + 2 * step << " release Right\n";
  }
  const uint32_t first = FirstLevelTurn(number);
  script << first << " press Enter\n" << first + 1 << " release Enter\n";
  MissionScript result;
  result.lastTurn = first + 1;
  std::ifstream mission(std::string(ZORBULANT_SOURCE_DIR) + "/content/missions/" + name + ".txt");
  for (std::string line; std::getline(mission, line);) {
    const size_t digits = line.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos) continue;
    const uint32_t turn = first - 1 + static_cast<uint32_t>(std::stoul(line.substr(0, digits)));
    result.lastTurn = std::max(result.lastTurn, turn);
    script << turn << line.substr(digits) << "\n";
  }
  result.text = script.str();
  return result;
}

}  // namespace zorbulant::testing
