// The engine's start-up and shutdown calls.
#include "engine_steps.h"

#include "sound/sound_engine.h"

namespace zorbulant::testing {

StartUp StartLikeTheEngine(SoundLibrary& library) {
  StartUp steps;
  steps.open = library.Open();
  library.SetOption(11, 1);
  library.SetOption(3, 250);
  library.SetOption(6, 0);
  library.SetOption(5, 1);
  library.LoadSetup(HkeyLocalMachine, SoundEngineKey);
  steps.apply = library.ApplyOptions();
  library.SetAmplification(300);
  steps.output = library.OpenOutput(0);
  steps.mixer = library.StartMixer(40);
  steps.voices = library.OpenSampleVoices(16);
  return steps;
}

void ShutDownLikeTheEngine(SoundLibrary& library) {
  library.CloseSampleVoices();
  library.StopMixer();
  library.CloseOutput();
  library.Close();
}

}  // namespace zorbulant::testing
