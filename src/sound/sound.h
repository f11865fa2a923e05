// The sound seam: the six sound slots and the one play request the rules make. The SDL
// mixer and the headless recorder each implement playSound.
#pragma once

enum SoundSlot { sndBgm, sndClear, sndDoor, sndGet, sndHit, sndOver, soundSlotCount };

// A slot still sounding goes on undisturbed; a finished one starts again from its beginning;
// a looping one loops for ever. Nothing is ever stopped or rewound.
void playSound(SoundSlot slot, bool looping);

// "sndHit" for sndHit, and so on.
const char* soundSlotName(SoundSlot slot);
