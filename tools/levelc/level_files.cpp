// Naming, writing and reading the files of a level.
#include "levelc/level_files.h"

#include <fstream>
#include <iterator>

#include "levelc/indexed_gif_reader.h"
#include "levelc/level_error.h"
#include "levelc/object_words.h"
#include "world/level_search.h"

namespace zorbulant::tools {

namespace {

// The level graphics are read as one run of pixels, so the picture's width
// only has to divide the region's 10,240 pixels; the last row is padded
// with pixels that no sprite draws.
constexpr uint32_t GraphicsPictureWidth = 256;
constexpr uint8_t GraphicsPadding = 255;
static_assert(regions::LevelGraphics.size % GraphicsPictureWidth == 0);

constexpr uint32_t LevelFileReadLength = 4'132;  // the game reads no more of a data file

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw LevelError(path.string() + ": cannot be written");
}

void WritePicture(const std::filesystem::path& path, const IndexedPicture& picture) {
  std::string error;
  if (!WriteIndexedGif(path.string(), picture, error)) throw LevelError(error);
}

IndexedPicture GraphicsPicture(const std::vector<uint8_t>& graphics) {
  const auto rows =
      static_cast<uint32_t>((graphics.size() + GraphicsPictureWidth - 1) / GraphicsPictureWidth);
  IndexedPicture picture(GraphicsPictureWidth, rows, GraphicsPadding);
  std::copy(graphics.begin(), graphics.end(), picture.pixels.begin());
  return picture;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw LevelError(path.string() + ": cannot be read");
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Text(const std::vector<uint8_t>& bytes, uint32_t offset, uint32_t length) {
  return std::string(bytes.begin() + offset, bytes.begin() + offset + length);
}

uint32_t Word(const std::vector<uint8_t>& bytes, size_t offset) {
  return LoadWord(bytes.data() + offset);
}

void ReadHeader(const std::vector<uint8_t>& bytes, LevelFileImage& file) {
  using namespace levelfile;
  file.missionTitle = Text(bytes, MissionTitle, MissionTitleLength);
  file.musicName = Text(bytes, MusicName, MusicNameLength);
  file.heroStartX = Word(bytes, HeroStartX);
  file.heroStartY = Word(bytes, HeroStartY);
  file.levelWidth = Word(bytes, LevelWidth);
  file.levelHeight = Word(bytes, LevelHeight);
  file.exitX = Word(bytes, ExitX);
  file.exitY = Word(bytes, ExitY);
  file.exitWidth = Word(bytes, ExitWidth);
  file.exitHeight = Word(bytes, ExitHeight);
}

// Records up to the first of Type 7 or more, which must lie within the bytes
// the game reads.
void ReadObjects(const std::vector<uint8_t>& bytes, CompiledLevel& level,
                 std::vector<LevelProblem>& problems) {
  const size_t readable = std::min<size_t>(bytes.size(), LevelFileReadLength);
  for (size_t at = levelfile::FirstObject;; at += levelfile::ObjectSize) {
    if (at + 4 > readable) {
      problems.push_back({"object list", "no record of Type 7 or more ends it within the " +
                                             std::to_string(readable) + " bytes the game reads"});
      return;
    }
    if (Word(bytes, at) >= levelfile::EndOfObjects) return;
    ObjectRecord record{};
    for (size_t word = 0; word < record.size() && at + 4 * word + 4 <= bytes.size(); ++word) {
      record[word] = Word(bytes, at + 4 * word);
    }
    const size_t index = level.file.objects.size();
    level.file.objects.push_back(record);
    level.objectPlaces.push_back("object " + std::to_string(index) + " (" + ClassName(record[0]) +
                                 " at " + std::to_string(record[1]) + "," +
                                 std::to_string(record[2]) + ")");
  }
}

}  // namespace

LevelFileNames NamesForCode(const std::string& code) {
  return {"level" + code + ".jmp", "level" + code + ".gif", "lvlgx" + code + ".gif"};
}

std::optional<std::string> LevelCodeOfFile(const std::filesystem::path& path) {
  const std::string stem = path.stem().string();
  if (stem.size() != 8 || !stem.starts_with("level")) return std::nullopt;
  for (uint32_t n = 0; n < 1024; ++n) {
    char letters[3];
    LevelCode(n, letters);
    if (stem.compare(5, 3, letters, 3) == 0) return stem.substr(5);
  }
  return std::nullopt;
}

void WriteLevelFiles(const CompiledLevel& level, const std::filesystem::path& directory,
                     const std::string& code) {
  const LevelFileNames names = NamesForCode(code);
  WriteBytes(directory / names.data, level.file.Bytes());
  WritePicture(directory / names.picture, *level.picture);
  if (!level.levelGraphics.empty()) {
    WritePicture(directory / names.graphics, GraphicsPicture(level.levelGraphics));
  }
}

CompiledLevel ReadLevelFiles(const std::filesystem::path& dataFile,
                             std::vector<LevelProblem>& problems) {
  const std::vector<uint8_t> bytes = ReadBytes(dataFile);
  if (bytes.size() < levelfile::FirstObject) {
    throw LevelError(dataFile.filename().string() + ": shorter than the 56-byte header");
  }
  CompiledLevel level;
  ReadHeader(bytes, level.file);
  ReadObjects(bytes, level, problems);
  const std::optional<std::string> code = LevelCodeOfFile(dataFile);
  if (!code) {
    problems.push_back({"file name", "is not levelXXX.jmp with a code the level search makes"});
    return level;
  }
  const LevelFileNames names = NamesForCode(*code);
  level.picture = ReadIndexedGif(dataFile.parent_path() / names.picture);
  if (!level.picture) problems.push_back({"picture", names.picture + " is missing or not a GIF"});
  if (std::optional<IndexedPicture> graphics =
          ReadIndexedGif(dataFile.parent_path() / names.graphics)) {
    level.levelGraphics = std::move(graphics->pixels);
  }
  return level;
}

}  // namespace zorbulant::tools
