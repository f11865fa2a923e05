// Makes the pictures and sounds with the same generators the desktop build runs at build time,
// so that the page transfers only the program.
#include "web_assets.h"

#include <cstdio>
#include <vector>

#include "picture_set.h"
#include "render/resources.h"
#include "sound_files.h"

namespace zema {

namespace {
std::vector<DrawnPicture> pictures;
} // namespace

bool makePictures(bool titleOnly, std::string& error) {
    return drawPictures(pictures, error, titleOnly ? PictureChoice::TitleOnly : PictureChoice::All);
}

bool findResource(int id, Resource& resource) {
    for (const DrawnPicture& picture : pictures)
        if (picture.id == id) {
            resource = {picture.bytes.data(), picture.bytes.size()};
            return true;
        }
    return false;
}

bool makeSoundFile(int slot, const std::string& leftOut, std::string& error) {
    if (slot < 0 || slot >= soundFileCount) {
        error = "no such sound";
        return false;
    }
    const SoundFile& file = soundFiles[slot];
    if (leftOut == file.name) return true;
    const std::vector<uint8_t> bytes = encodeWave(file.make(), file.bits);
    std::FILE* out = std::fopen(file.name, "wb");
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if ((out && std::fclose(out) != 0) || !written) {
        error = std::string("cannot write ") + file.name;
        return false;
    }
    return true;
}

} // namespace zema
