// zema-make-sounds DIR: writes the game's six WAV files into DIR.
#include <cstdio>
#include <string>

#include "sounds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-make-sounds DIR\n");
        return 2;
    }
    struct Output {
        const char* name;
        Track (*make)();
        int bits;
    };
    const Output outputs[] = {{"bgm.wav", makeTune, 16}, {"clear.wav", makeFanfare, 16},
                              {"door.wav", makeGate, 8}, {"get.wav", makeItem, 8},
                              {"hit.wav", makeHit, 16},  {"over.wav", makeGameOver, 16}};
    for (const Output& output : outputs) {
        std::string path = std::string(argv[1]) + "/" + output.name;
        if (!writeWave(path.c_str(), output.make(), output.bits)) {
            std::fprintf(stderr, "zema-make-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
