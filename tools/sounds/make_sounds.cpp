// zema-make-sounds DIR: writes the game's six WAV files into DIR.
#include <cstdio>
#include <string>

#include "sound_files.h"

int main(int argc, char** argv) {
    using namespace zema;
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-make-sounds DIR\n");
        return 2;
    }
    for (const SoundFile& file : soundFiles) {
        std::string path = std::string(argv[1]) + "/" + file.name;
        if (!writeWave(path.c_str(), file.make(), file.bits)) {
            std::fprintf(stderr, "zema-make-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
