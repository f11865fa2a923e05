// The table of the six generated WAV files, shared by zema-make-sounds and the browser build.
#include "sound_files.h"

#include "assets/sound_list.h"

#include "sounds.h"

namespace zema {

#define ZEMA_SOUND_FILE(slot, fileName, generator, bits) {fileName, generator, bits},
const SoundFile soundFiles[soundFileCount] = {ZEMA_SOUNDS(ZEMA_SOUND_FILE)};
#undef ZEMA_SOUND_FILE

} // namespace zema
