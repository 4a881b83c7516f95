// The sound engine: starts the sound library, loads the fixed samples and plays
// samples and music for the rest of the game. When the library cannot be
// started every operation does nothing and the game runs silently.
#pragma once

#include <array>
#include <cstdint>

namespace zorbulant {

struct Game;

struct SampleRecord {
  char FileName[13];
  uint32_t Handle;
  uint32_t FormatCode;
};

// Indices into the sample table.
enum Sample : uint32_t {
  SampleGun = 0,
  SampleHah = 1,
  SampleExplosion = 2,
  SampleHeart = 3,
  SampleGun5 = 4,
  SampleLaser = 5,
  SampleAyaah = 6,
  SampleScream = 7,
  SampleUmpf = 8,
  SampleReload = 9,
  SampleFire = 10,
  SampleKling = 11,
  SampleDoor = 12,
  SampleSwitch = 13,
};

inline constexpr const char* SoundEngineKey = "SOFTWARE\\Quillmarsh\\Zorbulant\\sndengine";
inline constexpr uint32_t HkeyLocalMachine = 0x80000002;

struct SoundEngine {
  uint32_t SoundAvailable = 0;
  char MusicFileName[13] = {'i', 'n', 't', 'r', 'o', '0', '0', '1', '.', 'm', 'o', 'd', 0};
  uint32_t MusicModule = 0;
  uint32_t MusicPlayback = 0;
  std::array<SampleRecord, 14> SampleTable{{
      {"gun1.ulw", 0, 7},
      {"hah.ulw", 0, 7},
      {"xplosion.ulw", 0, 7},
      {"herz2.ulw", 0, 7},
      {"gun5.ulw", 0, 7},
      {"laser01.ulw", 0, 7},
      {"ayaah.ulw", 0, 7},
      {"scream.ulw", 0, 7},
      {"umpf.ulw", 0, 7},
      {"reload.ulw", 0, 7},
      {"fire.ulw", 0, 7},
      {"kling.ulw", 0, 7},
      {"chrdoor.ulw", 0, 7},
      {"fswitch.ulw", 0, 7},
  }};
  uint32_t LevelSample1 = 0;
  uint32_t LevelSample2 = 0;
};

void InitSound(Game& game);
void PlaySample(Game& game, uint32_t sample, uint32_t rate, uint32_t volume, uint32_t panning);
// Plays the module named by MusicFileName in place of whatever plays.
void PlayMusic(Game& game);
void StopMusic(Game& game);
void ShutdownSound(Game& game);

// True when the command line's last character asks for the library's own set-up.
bool SetupSwitch(const char* commandLine);

}  // namespace zorbulant
