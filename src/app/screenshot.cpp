// Naming and writing screenshots.
#include "app/screenshot.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/files.h"
#include "png/png_writer.h"

namespace zema {

namespace {

constexpr int maxAttempts = 100; // shots within one second before giving up

std::string because(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

} // namespace

std::string dataHomeFolder(const char* xdgDataHome, const char* home, const char* leaf) {
    const auto trimmed = [](std::string path) {
        while (!path.empty() && path.back() == '/')
            path.pop_back();
        return path;
    };
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        return trimmed(xdgDataHome) + "/zema/" + leaf;
    if (home != nullptr && home[0] == '/') return trimmed(home) + "/.local/share/zema/" + leaf;
    return "";
}

std::string screenshotFolder(const char* xdgDataHome, const char* home) {
    return dataHomeFolder(xdgDataHome, home, "screenshots");
}

std::string screenshotName(const std::tm& when, int attempt) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &when);
    // Appended piece by piece: GCC 12 at -O3 misreads "literal" + std::string, inlined here, as an
    // overlapping copy (-Wrestrict).
    std::string name = "zema-";
    name += stamp;
    if (attempt > 1) {
        name += '-';
        name += std::to_string(attempt);
    }
    name += ".png";
    return name;
}

bool makeFolders(const std::string& folder, std::string& error) {
    for (size_t end = 1; end <= folder.size(); ++end) {
        if (end < folder.size() && !isFolderSeparator(folder[end])) continue;
        const std::string part = folder.substr(0, end);
        if (makeFolder(part)) continue;
        error = because(part, errno);
        return false;
    }
    struct stat info;
    if (stat(folder.c_str(), &info) != 0) {
        error = because(folder, errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = because(folder, ENOTDIR);
        return false;
    }
    return true;
}

bool saveScreenshot(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                    const std::string& folder, const std::tm& when, std::string& pathOrError) {
    if (folder.empty()) {
        pathOrError = "neither XDG_DATA_HOME nor HOME names an absolute folder";
        return false;
    }
    if (pixels == nullptr || width <= 0 || height <= 0) {
        pathOrError = "there is no frame to save";
        return false;
    }
    if (!makeFolders(folder, pathOrError)) return false;
    const std::vector<uint8_t> png = encodePng(pixels, width, height, pitch);
    if (png.empty()) {
        pathOrError = "the frame cannot be encoded";
        return false;
    }
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        const std::string path = folder + "/" + screenshotName(when, attempt);
        // A new file only, so that a shot never replaces another.
        std::FILE* file = createNewFile(path);
        if (file == nullptr && errno == EEXIST) continue;
        if (file == nullptr) {
            pathOrError = because(path, errno);
            return false;
        }
        const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
        const int writeError = errno;
        if (std::fclose(file) != 0 || !written) {
            pathOrError = because(path, written ? errno : writeError);
            std::remove(path.c_str());
            return false;
        }
        pathOrError = path;
        return true;
    }
    pathOrError = because(folder + "/" + screenshotName(when, maxAttempts), EEXIST);
    return false;
}

} // namespace zema
