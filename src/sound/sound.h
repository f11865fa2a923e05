// The sound seam: the six sound slots and the one play request the rules make. The SDL
// mixer and the headless recorder each implement playSound.
#pragma once

#include "assets/sound_list.h"

namespace zema {

#define ZEMA_SOUND_SLOT(slot, ...) slot,
enum SoundSlot { ZEMA_SOUNDS(ZEMA_SOUND_SLOT) soundSlotCount };
#undef ZEMA_SOUND_SLOT

// A slot still sounding goes on undisturbed; a finished one starts again from its beginning;
// a looping one loops for ever. Nothing is ever stopped or rewound.
void playSound(SoundSlot slot, bool looping);

// "sndHit" for sndHit, and so on.
const char* soundSlotName(SoundSlot slot);
// "hit.wav" for sndHit, and so on: the file the game opens by bare name.
const char* soundFileName(SoundSlot slot);

} // namespace zema
