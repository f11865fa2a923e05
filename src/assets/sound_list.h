// The game's sounds, one line a slot: the file the game opens by bare name from its working
// folder, and how the build makes it (the synthesizer and the sample depth it writes). The game,
// the sound generator, the build (which reads the file names out of this file) and the tests all
// read this one list.
#pragma once

// X(slot, fileName, generator, bitsPerSample), in slot order.
#define ZEMA_SOUNDS(X)                                                                             \
    X(sndBgm, "bgm.wav", makeTune, 16)                                                             \
    X(sndClear, "clear.wav", makeFanfare, 16)                                                      \
    X(sndDoor, "door.wav", makeGate, 8)                                                            \
    X(sndGet, "get.wav", makeItem, 8)                                                              \
    X(sndHit, "hit.wav", makeHit, 16)                                                              \
    X(sndOver, "over.wav", makeGameOver, 16)
