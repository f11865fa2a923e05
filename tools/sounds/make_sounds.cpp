// zema-make-sounds DIR: writes the game's six WAV files into DIR.
#include <cstdio>
#include <string>

#include "assets/sound_list.h"
#include "sounds.h"

namespace zema {

namespace {

struct Output {
    const char* name;
    Track (*make)();
    int bits;
};
#define ZEMA_SOUND_OUTPUT(slot, fileName, generator, bits) {fileName, generator, bits},
const Output outputs[] = {ZEMA_SOUNDS(ZEMA_SOUND_OUTPUT)};
#undef ZEMA_SOUND_OUTPUT

// Writes every sound into the folder; false, having said which, at the first that cannot be
// written.
bool writeSounds(const std::string& folder) {
    for (const Output& output : outputs) {
        const std::string path = folder + "/" + output.name;
        if (!writeWave(path.c_str(), output.make(), output.bits)) {
            std::fprintf(stderr, "zema-make-sounds: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

} // namespace zema

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-make-sounds DIR\n");
        return 2;
    }
    return zema::writeSounds(argv[1]) ? 0 : 1;
}
