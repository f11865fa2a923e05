// The sounds one at a time, in slot order, the tune first.
#include "web_sounds.h"

#include "sound/sound.h"
#include "sound/sound_device.h"
#include "web_assets.h"

namespace zema {

namespace {
int soundsLoaded = 0;

bool makeSound(int slot, const std::string& leftOut, std::string& failed) {
    if (!makeSoundFile(slot, leftOut, failed)) {
        failed = "the sounds could not be made: " + failed;
        return false;
    }
    const char* name = soundFileName(SoundSlot(slot));
    if (!loadWave(SoundSlot(slot), name)) {
        failed = std::string("the sound ") + name + " could not be loaded";
        return false;
    }
    if (slot == sndBgm) playSound(sndBgm, true);
    return true;
}
} // namespace

bool openSoundDevice(std::string& failed) {
    soundsLoaded = 0;
    if (initSound() && createPrimaryBuffer()) return true;
    failed = "the sound device could not be opened";
    return false;
}

bool makeMissingSounds(bool all, const std::string& leftOut, std::string& failed) {
    do {
        if (soundsComplete()) return true;
        if (!makeSound(soundsLoaded, leftOut, failed)) return false;
        ++soundsLoaded;
    } while (all);
    return true;
}

bool soundsComplete() {
    return soundsLoaded >= soundSlotCount;
}

} // namespace zema
