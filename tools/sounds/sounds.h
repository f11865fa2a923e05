// The six sounds of the game, each rendered in the format its file is written in: a 32-second
// tune in A minor (FM lead with echo, plucked bass, pad, soft drums; the loop joins without a
// click) and five effects (goal fanfare, gate motor, item chime, hit crunch, falling game-over
// horns). The formats differ on purpose, so that the game's conversion to the mixer's format is
// used for real.
#pragma once

#include "synth.h"

namespace zema {

Track makeTune();     // bgm.wav: 44,100 Hz stereo 16-bit, a seamless loop
Track makeFanfare();  // clear.wav: 44,100 Hz stereo 16-bit
Track makeGate();     // door.wav: 22,050 Hz mono 8-bit
Track makeItem();     // get.wav: 22,050 Hz mono 8-bit
Track makeHit();      // hit.wav: 22,050 Hz mono 16-bit
Track makeGameOver(); // over.wav: 32,000 Hz mono 16-bit

} // namespace zema
