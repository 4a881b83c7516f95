// Everything that flies: the enemies' shots, and the hero's bullets, laser
// shots, flame and grenades after they were fired. Shots move a fixed number
// of pixels per frame until a wall or a target ends them.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;

void UpdateEnemyShots(Game& game);
void UpdateHeroShots(Game& game);

// A grenade in hero shot slot `slot` bursts: a hero close by is hurt and the
// rings start.
void GrenadeBlast(Game& game, uint32_t slot);
void GrenadeBurstSound(Game& game, uint32_t x);
void HeroHurtSound(Game& game);

// One step of the grenade in hero shot slot `slot`: bounce, rise or fall,
// land, and burst on the last landing.
void MoveGrenade(Game& game, uint32_t slot);

// A shot whose place left the 1280 x 819 level picture ends: past the
// picture only a hostile or open level lets it go.
bool OutsidePicture(uint32_t x, uint32_t y);

}  // namespace zorbulant
