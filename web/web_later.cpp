// The parts made after the title, one at a time.
#include "web_later.h"

#include "copy/own_copy.h"
#include "render/images.h"
#include "sound/mixer.h"
#include "sound/sound.h"
#include "sound/sound_device.h"
#include "web_assets.h"

namespace zema {

namespace {
constexpr int picturesPart = 0;
constexpr int devicePart = 1;
constexpr int firstSoundPart = 2; // then one part a sound, in slot order
int partsMade = 0;
bool soundOn = true;
int32_t volumes[3] = {fullVolume, fullVolume, fullVolume};

// The player's copy brings its own pictures.
bool makeAllPictures(std::string& failed) {
    if (ownCopy.folder.empty() && !makePictures(false, failed)) {
        failed = "the pictures could not be made: " + failed;
        return false;
    }
    // Every texture, between frames, so no frame sees them half done.
    if (loadImages() < 0) return true;
    failed = "the pictures could not be loaded";
    return false;
}

bool openSoundDevice(std::string& failed) {
    if (initSound() && createPrimaryBuffer()) {
        setMixerVolume(volumes[0], volumes[1], volumes[2]);
        return true;
    }
    failed = "the sound device could not be opened";
    return false;
}

// The player's copy brings its own sounds.
bool makeSound(int slot, const std::string& leftOut, std::string& failed) {
    if (ownCopy.folder.empty() && !makeSoundFile(slot, leftOut, failed)) {
        failed = "the sounds could not be made: " + failed;
        return false;
    }
    const std::string path = soundPath(SoundSlot(slot));
    if (!loadWave(SoundSlot(slot), path.c_str())) {
        failed = "the sound " + path + " could not be loaded";
        return false;
    }
    if (slot == sndBgm) playSound(sndBgm, true);
    return true;
}
} // namespace

void useLaterSound(bool on, int32_t volume, int32_t musicVolume, int32_t effectsVolume) {
    soundOn = on;
    volumes[0] = volume;
    volumes[1] = musicVolume;
    volumes[2] = effectsVolume;
}

void startLaterParts() {
    partsMade = picturesPart;
}

bool makeLaterParts(bool all, const std::string& leftOut, std::string& failed) {
    do {
        if (laterPartsComplete()) return true;
        const bool made = partsMade == picturesPart ? makeAllPictures(failed)
                          : partsMade == devicePart
                              ? openSoundDevice(failed)
                              : makeSound(partsMade - firstSoundPart, leftOut, failed);
        if (!made) return false;
        // Without sound the pictures are all there is to make.
        partsMade = soundOn ? partsMade + 1 : firstSoundPart + soundSlotCount;
    } while (all);
    return true;
}

bool laterPartsComplete() {
    return partsMade >= firstSoundPart + soundSlotCount;
}

} // namespace zema
