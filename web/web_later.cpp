// The parts made after the title, one at a time.
#include "web_later.h"

#include "render/images.h"
#include "sound/sound.h"
#include "sound/sound_device.h"
#include "web_assets.h"

namespace zema {

namespace {
constexpr int mapPart = 0; // then part 1 + slot for each sound
int partsMade = 0;

bool makeMap(std::string& failed) {
    if (!drawMap(failed)) {
        failed = "the pictures could not be made: " + failed;
        return false;
    }
    // Every texture again, the maze's now drawn; between frames, so no frame sees it half done.
    if (loadImages() < 0) return true;
    failed = "the pictures could not be loaded";
    return false;
}

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
    if (initSound() && createPrimaryBuffer()) return true;
    failed = "the sound device could not be opened";
    return false;
}

void startLaterParts(bool mapDrawn) {
    partsMade = mapDrawn ? mapPart + 1 : mapPart;
}

bool makeLaterParts(bool all, const std::string& leftOut, std::string& failed) {
    do {
        if (laterPartsComplete()) return true;
        const bool made = partsMade == mapPart
                              ? makeMap(failed)
                              : makeSound(partsMade - mapPart - 1, leftOut, failed);
        if (!made) return false;
        ++partsMade;
    } while (all);
    return true;
}

bool laterPartsComplete() {
    return partsMade > mapPart + soundSlotCount;
}

} // namespace zema
