// zema-make-sounds DIR: writes the game's six WAV files into DIR.
#include <cstdio>
#include <string>

#include "assets/sound_list.h"
#include "sounds.h"

namespace zema {} // namespace zema

int main(int argc, char** argv) {
    using namespace zema;
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-make-sounds DIR\n");
        return 2;
    }
    struct Output {
        const char* name;
        Track (*make)();
        int bits;
    };
#define ZEMA_SOUND_OUTPUT(slot, fileName, generator, bits) {fileName, generator, bits},
    const Output outputs[] = {ZEMA_SOUNDS(ZEMA_SOUND_OUTPUT)};
#undef ZEMA_SOUND_OUTPUT
    for (const Output& output : outputs) {
        std::string path = std::string(argv[1]) + "/" + output.name;
        if (!writeWave(path.c_str(), output.make(), output.bits)) {
            std::fprintf(stderr, "zema-make-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
