// The parts made after the title, one at a time.
#include "web_later.h"

#include "copy/own_copy.h"
#include "render/images.h"
#include "sound/sound.h"
#include "sound/sound_device.h"
#include "web_assets.h"

namespace zema {

namespace {
constexpr int picturesPart = 0;
constexpr int devicePart = 1;
constexpr int firstSoundPart = 2; // then one part a sound, in slot order
int partsMade = 0;

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
    if (initSound() && createPrimaryBuffer()) return true;
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
        ++partsMade;
    } while (all);
    return true;
}

bool laterPartsComplete() {
    return partsMade >= firstSoundPart + soundSlotCount;
}

} // namespace zema
