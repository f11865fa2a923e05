// The player's folders as Windows and SDL name them, and the console of a GUI program.
#include <SDL.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>

#include "app/user_folders.h"
#include "platform/files.h"

namespace zema {

namespace {

// SDL's pref path for the game, %APPDATA%\zema\ (made if missing), or "".
std::string prefPath() {
    char* path = SDL_GetPrefPath("", "zema");
    if (path == nullptr) return "";
    std::string folder = path;
    SDL_free(path);
    return folder;
}

// A standard handle that leads nowhere: a program started from Explorer or a console.
bool unconnected(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

} // namespace

std::string usualSettingsPath() {
    const std::string folder = prefPath();
    return folder.empty() ? "" : folder + "zema.conf";
}

std::string usualScreenshotFolder() {
    wchar_t* pictures = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &pictures) == S_OK)
        folder = narrowed(pictures);
    CoTaskMemFree(pictures);
    if (!folder.empty()) return folder + "\\ZEMA";
    const std::string beside = prefPath();
    return beside.empty() ? "" : beside + "screenshots";
}

std::string usualCopyFolder() {
    const std::string folder = prefPath();
    return folder.empty() ? "" : folder + "copy";
}

void reachStartingConsole() {
    // Output redirected to a file or a pipe already goes there.
    const bool out = unconnected(STD_OUTPUT_HANDLE), err = unconnected(STD_ERROR_HANDLE);
    if (!(out || err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (out) std::freopen("CONOUT$", "w", stdout);
    if (err) std::freopen("CONOUT$", "w", stderr);
}

} // namespace zema
