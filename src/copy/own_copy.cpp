// Finding and checking a player's copy: the executables of a folder read through the resource
// reader, each of the fifteen bitmaps held to the image table's size at 4 or 8 bits, the six WAV
// files looked for beside them.
#include "copy/own_copy.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "copy/copy_icon.h"
#include "copy/pe_resources.h"
#include "exit_status.h"
#include "little_endian.h"
#include "platform/files.h"
#include "render/bmp_reader.h"
#include "render/images.h"
#include "sound/wav_reader.h"

namespace zema {

OwnCopy ownCopy;

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool endsWithExe(const std::string& name) {
    return name.size() > 4 && sameIgnoringCase(name.substr(name.size() - 4), ".exe");
}

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder == ".") return name;
    return folder + (isFolderSeparator(folder.back()) ? "" : "/") + name;
}

std::string sizeText(int32_t width, int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string pictureName(int slot) {
    return "bitmap " + std::to_string(imageTable[slot].resourceId) + " (" +
           imageSlotName(ImageSlot(slot)) + ")";
}

// More than any picture of the table's size could take at 8 bits: a larger resource is refused
// before it is read.
uint64_t largestBitmapBytes(const ImageSpec& spec) {
    const uint64_t row = (uint64_t(spec.bitmapWidth) * 8 + 31) / 32 * 4;
    return 2 * (40 + 1024 + row * uint64_t(spec.bitmapHeight));
}

// One picture of the executable; false with the reason in item.text (and, with pe read, a
// fault naming the file).
bool checkPicture(const PeFile& pe, int slot, CopyItemCheck& item, std::vector<uint8_t>& bitmap,
                  PeResource& resource, bool& present) {
    const ImageSpec& spec = imageTable[slot];
    const PeFault fault = findPeResource(pe, peBitmap, uint16_t(spec.resourceId), resource);
    present = fault != PeFault::absent;
    if (fault == PeFault::absent) {
        item.text = "absent";
        return false;
    }
    const char* cutShort = "cut short: it ends past the end of the file";
    if (fault != PeFault::none) {
        item.text =
            fault == PeFault::cutShort ? cutShort : "in a damaged part of the resource table";
        return false;
    }
    // The size and depth first, from the info header, so that a picture of the wrong kind is
    // said to be that whatever its length.
    uint8_t header[40];
    if (resource.size < sizeof header) {
        item.text = "too short for a bitmap";
        return false;
    }
    if (!pe.source.read(resource.offset, sizeof header, header)) {
        item.text = cutShort;
        return false;
    }
    const int32_t width = int32_t(read32(header + 4));
    const int32_t height = int32_t(read32(header + 8));
    const int32_t bits = header[14] | header[15] << 8;
    const std::string wanted = sizeText(spec.bitmapWidth, spec.bitmapHeight);
    if (width != spec.bitmapWidth || std::llabs(int64_t{height}) != spec.bitmapHeight ||
        (bits != 4 && bits != 8)) {
        item.text = sizeText(width, height < 0 ? -height : height) + " at " + std::to_string(bits) +
                    " bits; it must be " + wanted + " at 4 or 8";
        return false;
    }
    std::vector<uint8_t> bytes;
    if (resource.size > largestBitmapBytes(spec)) {
        item.text = "larger than a bitmap of its size can be";
        return false;
    }
    if (readPeResource(pe, resource, bytes) != PeFault::none) {
        item.text = cutShort;
        return false;
    }
    bitmap = bitmapFileFromResource(bytes.data(), bytes.size());
    BitmapView view;
    if (!readBitmap(bitmap.data(), bitmap.size(), view)) {
        item.text =
            "not an uncompressed " + std::to_string(bits) + "-bit bitmap with a 40-byte header";
        bitmap.clear();
        return false;
    }
    item.text = wanted + ", " + std::to_string(bits) + " bits";
    return true;
}

// Reads one executable into check; the pictures are kept only when all fifteen are good.
void checkExecutable(const std::string& path, CopyCheck& check) {
    const std::string folder = check.folder;
    check = {};
    check.folder = folder;
    check.executable = path;
    std::FILE* file = openFile(path, "rb");
    if (file == nullptr) {
        check.fault = path + ": cannot be opened: " + std::strerror(errno);
        return;
    }
    PeFile pe;
    const PeFault opened = openPe(fileSource(file), pe);
    if (opened != PeFault::none) {
        check.fault = path + ": " + peFaultText(opened);
        check.holdsPictures = opened != PeFault::notExecutable;
        for (CopyItemCheck& item : check.pictures)
            item.text = peFaultText(opened);
        std::fclose(file);
        return;
    }
    check.plus = pe.plus;
    for (int slot = 0; slot < imageSlotCount; ++slot) {
        bool present = false;
        CopyItemCheck& item = check.pictures[slot];
        PeResource resource;
        item.ok = checkPicture(pe, slot, item, check.bitmaps[slot], resource, present);
        if (present && !check.holdsPictures) check.language = resource.language;
        check.holdsPictures = check.holdsPictures || present;
        if (!item.ok && check.fault.empty())
            check.fault = path + ": " +
                          (item.text == "absent" ? "no " + pictureName(slot)
                                                 : pictureName(slot) + " is " + item.text);
    }
    if (!check.holdsPictures) check.fault = path + ": holds none of the fifteen pictures";
    if (check.fault.empty())
        readCopyIcon(pe, uint16_t(iconResourceId), check.icon);
    else
        for (std::vector<uint8_t>& bitmap : check.bitmaps)
            bitmap = {};
    std::fclose(file);
}

std::string waveText(const std::string& path, bool& ok) {
    WaveClip clip;
    const WaveResult result = readWaveFile(path.c_str(), clip);
    ok = result == waveOk && waveFormatPlayable(clip);
    if (result == waveCannotOpen) return std::string("cannot be opened: ") + std::strerror(errno);
    if (!ok) return waveResultText(result == waveOk ? waveUnsupported : result);
    const WaveFormat& f = clip.format;
    return std::to_string(f.samplesPerSec) + " Hz, " + std::to_string(f.bitsPerSample) + " bits, " +
           (f.channels == 1 ? "mono" : "stereo") + ", " + std::to_string(clip.dataSize) + " bytes";
}

void pad(std::string& text, size_t width) {
    if (text.size() < width) text.resize(width, ' ');
}

// The report of one folder that holds pictures: a line for each picture, sound and the icon.
std::string folderReport(const CopyCheck& check, bool& whole) {
    std::string text = check.executable.empty()
                           ? "The folder " + check.folder + " holds no Windows executable\n"
                           : "The copy in " + check.folder + ": " + check.executable + " (" +
                                 (check.plus ? "PE32+" : "PE32") + ", resources in language " +
                                 std::to_string(check.language) + ")\n";
    std::string fault = check.fault;
    for (int slot = 0; slot < imageSlotCount; ++slot) {
        std::string line = std::string("  ") + imageSlotName(ImageSlot(slot));
        pad(line, 17);
        line += "bitmap " + std::to_string(imageTable[slot].resourceId);
        pad(line, 30);
        const CopyItemCheck& item = check.pictures[slot];
        text += line + (item.ok ? "" : "refused: ") +
                (item.text.empty() ? "no executable" : item.text) + "\n";
    }
    for (int slot = 0; slot < soundSlotCount; ++slot) {
        std::string line = std::string("  ") + soundSlotName(SoundSlot(slot));
        pad(line, 17);
        line += soundFileName(SoundSlot(slot));
        pad(line, 30);
        const std::string& path = check.soundPaths[slot];
        bool ok = false;
        const std::string found = path.empty() ? "missing" : waveText(path, ok);
        text += line + (ok ? "" : "refused: ") + found + "\n";
        if (!ok && fault.empty())
            fault = path.empty()
                        ? inFolder(check.folder, soundFileName(SoundSlot(slot))) + ": missing"
                        : path + ": " + found;
    }
    std::string line = "  window icon";
    pad(line, 17);
    line += "icon " + std::to_string(iconResourceId);
    pad(line, 30);
    text += line +
            (check.icon.argb.empty() ? std::string("none: ZEMA's own is shown")
                                     : sizeText(check.icon.width, check.icon.height)) +
            "\n";
    whole = fault.empty();
    text += whole ? "A whole copy: ZEMA plays with its pictures and sounds.\n"
                  : "Not a whole copy: " + fault + "\n";
    return text;
}

} // namespace

CopyCheck checkCopyFolder(const std::string& folder) {
    CopyCheck check;
    check.folder = folder;
    std::vector<std::string> names;
    if (!listFolder(folder.empty() ? "." : folder, names)) {
        check.fault = folder + ": cannot be read: " + std::strerror(errno);
        return check;
    }
    std::sort(names.begin(), names.end());
    CopyCheck first;
    bool tried = false;
    for (const std::string& name : names) {
        if (!endsWithExe(name)) continue;
        CopyCheck candidate;
        candidate.folder = folder;
        checkExecutable(inFolder(folder, name), candidate);
        if (candidate.fault.empty()) {
            check = std::move(candidate);
            break;
        }
        // The first that holds pictures is the one to report, else the first of all.
        if (!tried || (candidate.holdsPictures && !first.holdsPictures))
            first = std::move(candidate);
        tried = true;
    }
    if (check.executable.empty()) {
        if (!tried) {
            check.fault = folder + ": no Windows executable (a file ending in .exe) in the folder";
            return check;
        }
        check = std::move(first);
    }
    for (int slot = 0; slot < soundSlotCount; ++slot) {
        const std::string wanted = soundFileName(SoundSlot(slot));
        const auto exact = std::find(names.begin(), names.end(), wanted);
        const auto anyCase = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
            return sameIgnoringCase(n, wanted);
        });
        const auto found = exact != names.end() ? exact : anyCase;
        if (found != names.end()) check.soundPaths[slot] = inFolder(folder, *found);
        if (found == names.end() && check.fault.empty())
            check.fault = inFolder(folder, wanted) + ": missing";
    }
    // Only a whole copy is played with.
    if (!check.fault.empty()) {
        check.icon = {};
        for (std::vector<uint8_t>& bitmap : check.bitmaps)
            bitmap = {};
    }
    return check;
}

void useOwnCopy(CopyCheck& check) {
    ownCopy.folder = check.folder;
    for (int slot = 0; slot < soundSlotCount; ++slot)
        ownCopy.soundPaths[slot] = check.soundPaths[slot];
    for (int slot = 0; slot < imageSlotCount; ++slot)
        copyPictures.bitmaps[slot] = std::move(check.bitmaps[slot]);
    copyPictures.icon = std::move(check.icon);
}

void forgetOwnCopy() {
    ownCopy = {};
    copyPictures = {};
}

std::string soundPath(SoundSlot slot) {
    if (!ownCopy.folder.empty() && slot >= 0 && slot < soundSlotCount)
        return ownCopy.soundPaths[slot];
    return soundFileName(slot);
}

bool chooseOwnCopy(const std::string& dataFolder, const std::vector<std::string>& searchFolders,
                   const std::string& program, std::string& err) {
    forgetOwnCopy();
    if (!dataFolder.empty()) {
        CopyCheck check = checkCopyFolder(dataFolder);
        if (!check.fault.empty()) {
            err += program + ": " + check.fault + "\n";
            return false;
        }
        useOwnCopy(check);
        return true;
    }
    for (const std::string& folder : searchFolders) {
        CopyCheck check = checkCopyFolder(folder);
        if (check.fault.empty()) {
            useOwnCopy(check);
            return true;
        }
        if (check.holdsPictures)
            err += program + ": passed over the copy in " + folder + ": " + check.fault + "\n";
    }
    return true;
}

std::string copyReport(const std::string& dataFolder, const std::vector<std::string>& searchFolders,
                       int& status) {
    status = copyRefused;
    bool whole = false;
    if (!dataFolder.empty()) {
        const CopyCheck check = checkCopyFolder(dataFolder);
        const std::string text = folderReport(check, whole);
        if (whole) status = 0;
        return text;
    }
    std::string text = "No --data given: ZEMA looks for a copy in each of these in turn.\n";
    for (const std::string& folder : searchFolders) {
        const CopyCheck check = checkCopyFolder(folder);
        if (!check.holdsPictures) {
            text += "Not a copy: " + check.fault + "\n";
            continue;
        }
        text += folderReport(check, whole);
        if (whole) {
            status = 0;
            return text;
        }
    }
    return text + "No whole copy found: ZEMA plays with its own pictures and sounds.\n";
}

} // namespace zema
