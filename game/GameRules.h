// The game's rules for the track world: gravity and object counts from the level being
// played, falls, hops and spins only during play, and the sounds, counters, screens and log
// lines that go with what happens on the track. Set once at start-up.
#pragma once

void InstallGameRules();
