// The sound engine over the platform's sound library.
#include "sound/sound_engine.h"

#include "flow/game.h"

namespace zorbulant {

bool SetupSwitch(const char* commandLine) {
  // The last character before the terminating zero, looked for from the second
  // character on and at most 256 characters far; without a zero there the
  // 256th character counts.
  uint32_t position = 1;
  if (commandLine[0] != 0) {
    while (position < 256 && commandLine[position] != 0) ++position;
  }
  const char last = commandLine[position - 1];
  return last == 's' || last == 'S';
}

void InitSound(Game& game) {
  SoundLibrary& library = game.platform.sound;
  SoundEngine& sound = game.sound;

  // The undo chain: entered at one step and run to its end.
  enum class Undo { CloseVoices, StopMixer, CloseOutput, Close };
  auto undo = [&library](Undo from) {
    switch (from) {
      case Undo::CloseVoices:
        library.CloseSampleVoices();
        [[fallthrough]];
      case Undo::StopMixer:
        library.StopMixer();
        [[fallthrough]];
      case Undo::CloseOutput:
        library.CloseOutput();
        [[fallthrough]];
      case Undo::Close:
        library.Close();
    }
  };

  if (library.Open() != 1) return undo(Undo::Close);
  library.SetOption(11, 1);
  library.SetOption(3, 250);
  library.SetOption(6, game.shell.MainWindow);
  library.SetOption(5, 1);
  if (SetupSwitch(game.platform.commandLine.c_str())) {
    library.RunSetup();
    library.SaveSetup(HkeyLocalMachine, SoundEngineKey);
  }
  library.LoadSetup(HkeyLocalMachine, SoundEngineKey);
  if (library.ApplyOptions() != 1) return undo(Undo::Close);
  library.SetAmplification(300);
  if (library.OpenOutput(0) != 1) return undo(Undo::CloseOutput);
  if (library.StartMixer(40) != 1) return undo(Undo::StopMixer);
  if (library.OpenSampleVoices(16) != 1) return undo(Undo::CloseVoices);
  for (SampleRecord& record : sound.SampleTable) {
    record.Handle = library.LoadSample(record.FileName, record.FormatCode, 0);
  }
  sound.SoundAvailable = 1;
}

void PlaySample(Game& game, uint32_t sample, uint32_t rate, uint32_t volume, uint32_t panning) {
  if (game.sound.SoundAvailable == 0) return;
  game.platform.sound.PlaySample(sample, 65535, 0, rate, volume, panning);
}

void StopMusic(Game& game) {
  SoundEngine& sound = game.sound;
  if (sound.MusicPlayback != 0) game.platform.sound.StopPlayback(sound.MusicPlayback);
  if (sound.MusicModule != 0) game.platform.sound.FreeModule(sound.MusicModule);
  sound.MusicPlayback = 0;
  sound.MusicModule = 0;
}

void PlayMusic(Game& game) {
  SoundEngine& sound = game.sound;
  if (sound.SoundAvailable == 0) return;
  if (sound.MusicModule != 0) {
    StopMusic(game);
    sound.MusicModule = 0;
  }
  const uint32_t module = game.platform.sound.LoadModule(sound.MusicFileName);
  if (module == 0) return;
  sound.MusicModule = module;
  sound.MusicPlayback = game.platform.sound.StartModule(module, 1);
}

void ShutdownSound(Game& game) {
  SoundEngine& sound = game.sound;
  SoundLibrary& library = game.platform.sound;
  if (sound.SoundAvailable == 0) return;
  StopMusic(game);
  for (const SampleRecord& record : sound.SampleTable) library.FreeSample(record.Handle);
  if (sound.LevelSample1 != 0) library.FreeSample(sound.LevelSample1);
  if (sound.LevelSample2 != 0) library.FreeSample(sound.LevelSample2);
  library.CloseSampleVoices();
  library.StopMixer();
  library.CloseOutput();
  library.Close();
}

}  // namespace zorbulant
