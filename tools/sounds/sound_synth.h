// Renders a sound recipe into samples at the recipe's rate.
#pragma once

#include <string>
#include <vector>

#include "sounds/sound_recipe.h"

namespace zorbulant::tools {

// Samples in [-1, 1], scaled so that the loudest is the recipe's peak. False,
// with a message, when the recipe renders to silence.
bool RenderSound(const SoundRecipe& recipe, std::vector<double>& samples, std::string& error);

}  // namespace zorbulant::tools
