// zema-make-sounds DIR: writes the game's six WAV files into DIR.
#include <cstdio>
#include <string>

#include "sound_files.h"

namespace zema {

namespace {

// Writes every sound into the folder; false, having said which, at the first that cannot be
// written.
bool writeSounds(const std::string& folder) {
    for (const SoundFile& file : soundFiles) {
        const std::string path = folder + "/" + file.name;
        if (!writeWave(path.c_str(), file.make(), file.bits)) {
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
