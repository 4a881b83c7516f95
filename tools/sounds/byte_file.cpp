#include "sounds/byte_file.h"

#include <fstream>
#include <sstream>

namespace zorbulant::tools {

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  if (!(file && contents << file.rdbuf())) {
    error = "cannot read " + path;
    return false;
  }
  text = contents.str();
  return true;
}

bool WriteByteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace zorbulant::tools
