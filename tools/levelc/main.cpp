// The level compiler and checker.
//   zorbulant-levelc MAP.tmj OUTPUT_DIR
//       compiles the map levelXXX.tmj into levelXXX.jmp, levelXXX.gif and,
//       when the map has sprites of its own, lvlgxXXX.gif; a map that fails
//       the checks is not written
//   zorbulant-levelc --check FILE [--data DIR]
//       checks a map (.tmj) or a level data file (.jmp, with its picture
//       beside it); with a data directory, also that the music is there
//   zorbulant-levelc --tileset-png TILES OUT.png
//       draws the tiles of a tile source as the tileset image for Tiled
// Exit status: 0 clean, 1 problems found, 2 bad usage.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "levelc/level_error.h"
#include "levelc/level_files.h"
#include "levelc/level_lint.h"
#include "levelc/map_compiler.h"
#include "levelc/tile_source.h"
#include "levelc/tiled_map.h"
#include "levelc/tileset_png.h"

namespace {

using namespace zorbulant::tools;
namespace fs = std::filesystem;

constexpr int Clean = 0;
constexpr int Problems = 1;
constexpr int BadUsage = 2;

int Usage() {
  std::fprintf(stderr,
               "usage: zorbulant-levelc MAP.tmj OUTPUT_DIR\n"
               "       zorbulant-levelc --check MAP.tmj|LEVEL.jmp [--data DIR]\n"
               "       zorbulant-levelc --tileset-png TILES OUT.png\n");
  return BadUsage;
}

int Report(std::FILE* stream, const fs::path& file, const std::vector<LevelProblem>& problems) {
  for (const LevelProblem& problem : problems) {
    std::fprintf(stream, "%s: %s: %s\n", file.filename().c_str(), problem.place.c_str(),
                 problem.what.c_str());
  }
  return problems.empty() ? Clean : Problems;
}

int Compile(const fs::path& map, const fs::path& directory) {
  const std::optional<std::string> code = LevelCodeOfFile(map);
  if (!code) {
    std::fprintf(stderr,
                 "zorbulant-levelc: %s: name the map levelXXX.tmj after the level it makes\n",
                 map.filename().c_str());
    return BadUsage;
  }
  const CompiledLevel level = CompileMap(ReadTiledMap(map));
  if (Report(stderr, map, LintLevel(level, std::nullopt)) != Clean) return Problems;
  WriteLevelFiles(level, directory, *code);
  return Clean;
}

int Check(const fs::path& file, const std::optional<fs::path>& dataDirectory) {
  std::vector<LevelProblem> problems;
  CompiledLevel level =
      file.extension() == ".jmp" ? ReadLevelFiles(file, problems) : CompileMap(ReadTiledMap(file));
  for (LevelProblem& problem : LintLevel(level, dataDirectory)) problems.push_back(problem);
  return Report(stdout, file, problems);
}

int DrawTiles(const fs::path& source, const fs::path& png) {
  const TileSource tiles = ParseTileSource(ReadWholeTextFile(source), source.filename().string());
  WriteTilesetPng(tiles, png);
  return Clean;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() == 3 && args[0] == "--tileset-png") return DrawTiles(args[1], args[2]);
  if (args.size() == 2 && args[0] == "--check") return Check(args[1], std::nullopt);
  if (args.size() == 4 && args[0] == "--check" && args[2] == "--data") {
    return Check(args[1], fs::path(args[3]));
  }
  if (args.size() == 2 && !args[0].starts_with("--")) return Compile(args[0], args[1]);
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return Run(args);
  } catch (const LevelError& error) {
    // What stops a check is the problem it reports; what stops a build, an error.
    std::fprintf(!args.empty() && args[0] == "--check" ? stdout : stderr, "%s\n", error.what());
    return Problems;
  }
}
