// Makes a sample file from its recipe: a ".ulw" file (headerless 8-bit mu-law,
// the fixed samples) or a ".wav" file (the level samples), chosen by the
// ending of the output's name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbulant::tools {

// False, with a message, when the recipe is invalid or the ending unknown.
bool MakeSampleFile(const std::string& recipeText, const std::string& outputName,
                    std::vector<uint8_t>& bytes, std::string& error);

}  // namespace zorbulant::tools
