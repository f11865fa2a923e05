// The page's touch controls, fed to the game's own inputs: the stick's directions to the
// keyboard read as arrows held, start and fire to the message loop as Enter and Space key-downs.
#pragma once

namespace zema {

// Before each pass of the loop: fire held repeats its Space once a frame, as a held Space key
// keeps restarting the beam.
void repeatHeldFire();

} // namespace zema
