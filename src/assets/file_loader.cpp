// Whole-file loading and the start-up assets.
#include "assets/file_loader.h"

#include <algorithm>

#include "assets/gif_decoder.h"
#include "flow/game.h"
#include "sound/settings.h"
#include "sound/sound_engine.h"

namespace zorbulant {

bool LoadWholeFile(Game& game, const char* fileName, uint32_t length, Region destination) {
  FileSystem& files = game.platform.files;
  const FileSystem::Handle file = files.OpenForReading(fileName);
  if (file == 0) return false;
  // One read of the whole length; what the file really holds is not looked at.
  files.Read(file, game.work.at(destination), std::min(length, destination.size));
  files.Close(file);
  return true;
}

bool LoadStartupAssets(Game& game) {
  if (!game.work.Allocate()) return false;
  // A picture that cannot be read leaves its region as it was.
  LoadGifPicture(game, "MAINCHAR.gif", regions::HeroSheet);
  LoadGifPicture(game, "exit.gif", regions::ExitButtonPicture);
  LoadGifPicture(game, "config.gif", regions::ConfigButtonPicture);
  LoadGifPicture(game, "go.gif", regions::GoButtonPicture);
  LoadGifPicture(game, "menuback.gif", regions::MenuBackground);
  LoadSettings(game);
  PlayMusic(game);
  return true;
}

}  // namespace zorbulant
