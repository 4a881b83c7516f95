// Copies of the built data pack and headless runs on them.
#include "support/pack_copy.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/headless_run.h"

namespace zorbulant::testing {

namespace {

const std::filesystem::path BuiltPack = ZORBULANT_DATA_DIR;

}  // namespace

PackCopy::PackCopy() {
  for (const std::string& name : BuiltNames()) {
    std::filesystem::copy_file(BuiltPack / name, path() / name);
  }
}

std::vector<std::string> PackCopy::BuiltNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(BuiltPack)) {
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<uint8_t> PackCopy::BuiltFile(const std::string& name) {
  std::ifstream file(BuiltPack / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void PackCopy::Remove(const std::string& name) {
  changed_.insert(name);
  std::filesystem::remove(path() / name);
}

void PackCopy::Write(const std::string& name, const std::vector<uint8_t>& bytes) {
  changed_.insert(name);
  directory_.Write(name, bytes);
}

void PackCopy::RestoreChanged() {
  for (const std::string& name : changed_) {
    std::filesystem::copy_file(BuiltPack / name, path() / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  changed_.clear();
}

uint32_t PackRun::At(uint32_t turn, const char* name) const {
  return turns.at(turn - 1).at(name).get<uint32_t>();
}

PackRun RunOnPack(const std::filesystem::path& data, const std::string& script, uint32_t turnCount,
                  const std::vector<uint32_t>& shotTurns, const std::string& settings) {
  TempDirectory out;
  out.Write("input.txt", script);
  std::vector<std::string> arguments = {"zorbulant", "--headless",
                                        "--data",    data.string(),
                                        "--turns",   std::to_string(turnCount),
                                        "--input",   (out.path() / "input.txt").string(),
                                        "--trace",   (out.path() / "trace.jsonl").string()};
  if (!settings.empty()) {
    out.Write("settings.reg", settings);
    arguments.insert(arguments.end(), {"--settings", (out.path() / "settings.reg").string()});
  }
  for (const uint32_t turn : shotTurns) {
    const std::string shot = (out.path() / (std::to_string(turn) + ".png")).string();
    arguments.insert(arguments.end(), {"--shot", std::to_string(turn) + "=" + shot});
  }
  PackRun run;
  const auto options = ParseOptions(arguments, run.errors);
  if (!options) return run;
  std::ostringstream errors;
  run.exitCode = RunHeadless(*options, errors);
  run.errors = errors.str();
  std::ifstream trace(out.path() / "trace.jsonl");
  for (std::string line; std::getline(trace, line);) {
    run.turns.push_back(nlohmann::json::parse(line));
  }
  for (const uint32_t turn : shotTurns) {
    run.shots[turn] = ReadRgbPng(out.path() / (std::to_string(turn) + ".png"));
  }
  return run;
}

std::string AllMissionsSettings() {
  return "Windows Registry Editor Version 5.00\n\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmarsh\\Zorbulant]\n"
         "\"MaxCount\"=dword:00000008\n";
}

}  // namespace zorbulant::testing
