// zema-setup: ZEMA's settings in a window of their own, for players without a text editor (on
// Windows, on a handheld with a pad alone). It reads and writes the game's own settings file, and
// "Play" starts the game beside it with them. Keys, a pad (SDL's game controllers and plain
// joysticks) and the mouse drive it; the picture goes through the window surface on SDL's
// software path, as the game's does.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/screenshot.h"
#include "app/user_folders.h"
#include "exit_status.h"
#include "palette.h"
#include "platform/files.h"
#include "setup_events.h"

#ifndef ZEMA_VERSION
#error "ZEMA_VERSION must be defined by the build (the project's version)"
#endif

namespace zema {

namespace {

#ifndef ZEMA_GAME_PROGRAM
#error "ZEMA_GAME_PROGRAM must be defined by the build (the game's file name beside this program)"
#endif
constexpr const char* gameProgram = ZEMA_GAME_PROGRAM;

constexpr int windowWidth = 960, windowHeight = 600;

struct SetupArgs {
    bool run = true;
    int status = 0;
    std::string out, err;
    std::string configPath; // empty: the game's usual settings file
};

std::string usage() {
    return std::string("Usage: zema-setup [OPTION]...\n"
                       "Change ZEMA's settings in a window, by keys, a pad or the mouse. Save\n"
                       "writes them to the game's settings file, keeping everything else in it;\n"
                       "Play saves and starts zema with them; Esc leaves without writing.\n"
                       "\nOptions:\n"
                       "  -h, --help              ") +
           findLongOption("help")->help + "\n      --version           " +
           findLongOption("version")->help +
           "\n      --config=FILE       edit the settings in FILE instead of zema.conf\n";
}

SetupArgs fault(const std::string& why) {
    SetupArgs args;
    args.run = false;
    args.status = exitUsage;
    args.err = "zema-setup: " + why + " (try 'zema-setup --help')\n";
    return args;
}

// The game's forms: "--config=FILE" or "--config FILE", "-h", "--help", "--version".
SetupArgs readSetupArgs(const std::vector<std::string>& given) {
    SetupArgs args;
    for (size_t i = 0; i < given.size(); ++i) {
        const std::string& arg = given[i];
        if (arg == "-h" || arg == "--help" || arg == "--version") {
            args.run = false;
            args.out =
                arg == "--version" ? std::string("zema-setup ") + ZEMA_VERSION + "\n" : usage();
            return args;
        }
        if (arg == "--config" && i + 1 < given.size())
            args.configPath = given[++i];
        else if (arg.compare(0, 9, "--config=") == 0)
            args.configPath = arg.substr(9);
        else
            return fault(arg == "--config" ? "option '--config' needs a value"
                                           : "unknown option '" + arg + "'");
        if (args.configPath.empty()) return fault("--config needs a file name");
    }
    return args;
}

// Written beside the file and put in its place, so that the file is never half written; its
// folder is made when missing.
bool saveSettingsFile(const std::string& path, const std::string& text, std::string& error) {
    size_t cut = path.size();
    while (cut > 0 && !isFolderSeparator(path[cut - 1]))
        --cut;
    if (cut > 1 && !makeFolders(path.substr(0, cut - 1), error)) return false;
    const std::string written = path + ".new";
    std::FILE* file = openFile(written, "wb");
    bool done = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file != nullptr) done = std::fclose(file) == 0 && done;
    if (done && replaceFile(written, path)) return true;
    error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(written.c_str());
    return false;
}

// The displays' sizes, and the modes of the one the settings choose, largest first.
RowContext machineContext(const std::string& text) {
    RowContext context;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect bounds = {0, 0, 0, 0};
        SDL_GetDisplayBounds(i, &bounds);
        context.displays.push_back({bounds.w, bounds.h});
    }
    const int display = settingsInForce(text).options.displayIndex;
    for (int i = 0; i < SDL_GetNumDisplayModes(display); ++i) {
        SDL_DisplayMode mode = {};
        if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
        const std::string size = std::to_string(mode.w) + "x" + std::to_string(mode.h);
        if (std::find(context.modes.begin(), context.modes.end(), size) == context.modes.end())
            context.modes.push_back(size);
    }
    return context;
}

// The next event, once one has come. Not SDL_WaitEvent: on X11, SDL 2.26 answers the event that
// ends its wait with a wake-up sent to the window over a second connection, and when Esc, a close
// or Play ends the setup before the X server has read that request (a busy machine), the window
// is gone by then and SDL_Quit's closing of that connection meets the error: Xlib ends the process
// with status 1, before Play has started the game. Polling sends nothing. Its pace is below what a
// player notices and costs about 1% of a core while idle; SDL's own wait polls every millisecond
// whenever a pad is plugged in, as on a handheld.
void waitForEvent(SDL_Event& event) {
    constexpr Uint32 pollMilliseconds = 10;
    while (!SDL_PollEvent(&event))
        SDL_Delay(pollMilliseconds);
}

void draw(SDL_Window* window, SetupSession& w) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        // Where the plain framebuffer cannot be had (a handheld's KMS/DRM), SDL's own way.
        SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
        surface = SDL_GetWindowSurface(window);
        if (surface == nullptr) return;
    }
    w.layout = layOutSetup(w.editor, surface->w, surface->h, w.firstShown);
    w.firstShown = w.layout.firstShown;
    Canvas canvas = makeCanvas(surface->w, surface->h);
    drawSetup(canvas, w.editor, w.layout);
    std::vector<uint32_t> pixels(canvas.pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Rgb c = sharedPalette[canvas.pixels[i] & 15];
        pixels[i] = 0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
    }
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
        pixels.data(), canvas.width, canvas.height, 32, canvas.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (picture == nullptr) return;
    SDL_BlitSurface(picture, nullptr, surface, nullptr);
    SDL_FreeSurface(picture);
    SDL_UpdateWindowSurface(window);
}

// Runs the window until the player leaves: Quit, or Play once saved. 0, or 1 when the window or
// the game cannot be had.
int runSetup(const std::string& path, const std::string& text, bool configGiven) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "zema-setup: cannot start SDL's video: %s\n", SDL_GetError());
        return exitFailed;
    }
    SDL_Rect usable = {0, 0, windowWidth, windowHeight};
    SDL_GetDisplayUsableBounds(0, &usable);
    SetupSession w;
    // A display smaller than the window (a handheld's) is filled.
    const bool small = usable.w < windowWidth || usable.h < windowHeight;
    SDL_Window* window =
        SDL_CreateWindow("ZEMA setup", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         std::min(windowWidth, usable.w), std::min(windowHeight, usable.h),
                         small ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE);
    if (window == nullptr) {
        std::fprintf(stderr, "zema-setup: cannot open its window: %s\n", SDL_GetError());
        SDL_Quit();
        return exitFailed;
    }
    SDL_StopTextInput();
    w.editor = openSetupEditor(path, text, machineContext(text));
    SetupOutcome outcome = SetupOutcome::Stay;
    while (outcome != SetupOutcome::Quit) {
        draw(window, w);
        SDL_Event event;
        waitForEvent(event);
        w.swallow = -1;
        do {
            outcome = handleSetupEvent(w, event);
            if (outcome == SetupOutcome::Quit || outcome == SetupOutcome::Play) break;
            if (outcome == SetupOutcome::Save) {
                std::string error;
                w.editor.status =
                    saveSettingsFile(path, w.editor.text, error) ? "Saved to " + path : error;
            }
            w.editor.context = machineContext(w.editor.text);
        } while (SDL_PollEvent(&event));
        if (outcome != SetupOutcome::Play) continue;
        std::string error;
        if (!saveSettingsFile(path, w.editor.text, error)) {
            w.editor.status = error;
            continue;
        }
        // The game beside this program, from its own folder, with the same file.
        char* base = SDL_GetBasePath();
        const std::string folder = base != nullptr ? base : "./";
        SDL_free(base);
        SDL_Quit();
        const std::string game = folder + gameProgram;
        if (runInstead(game,
                       configGiven ? std::vector<std::string>{"--config=" + path}
                                   : std::vector<std::string>{},
                       folder))
            return 0;
        std::fprintf(stderr, "zema-setup: cannot start %s: %s\n", game.c_str(),
                     std::strerror(errno));
        return exitFailed;
    }
    SDL_Quit();
    return 0;
}

} // namespace

} // namespace zema

int main(int argc, char** argv) {
    using namespace zema;
    reachStartingConsole();
    const SetupArgs args = readSetupArgs(std::vector<std::string>(argv + 1, argv + argc));
    std::fputs(args.out.c_str(), stdout);
    std::fputs(args.err.c_str(), stderr);
    if (!args.run) return args.status;
    const std::string path = args.configPath.empty() ? usualSettingsPath() : args.configPath;
    if (path.empty()) {
        std::fputs("zema-setup: no place for the settings file is known (HOME is not set); give "
                   "--config=FILE\n",
                   stderr);
        return exitUsage;
    }
    std::string text;
    int error = 0;
    if (!readSettingsFile(path, text, error) && error != ENOENT) {
        std::fprintf(stderr, "zema-setup: %s: cannot read the settings: %s\n", path.c_str(),
                     std::strerror(error));
        return exitUsage;
    }
    SDL_SetMainReady();
    return runSetup(path, text, !args.configPath.empty());
}
