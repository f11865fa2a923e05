// zema-first-frame: opens the game's window and display, draws and presents the title frame
// and one play frame, and reports how long the first frame took to reach the screen and the
// process's peak memory. With --shot FOLDER it also writes title.bmp, play.bmp and
// gameover.bmp: the back buffer of a title, a play and a game-over frame.
#include <SDL.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "display/display_sdl.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"

namespace zema {

namespace {
bool saveBackBuffer(const std::string& path) {
    const BackBuffer& b = displayBackBuffer();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(b.pixels, b.width, b.height, 32,
                                                              b.pitch * 4, SDL_PIXELFORMAT_RGB888);
    const bool saved = surface && SDL_SaveBMP(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    if (!saved) std::fprintf(stderr, "zema-first-frame: cannot write %s\n", path.c_str());
    return saved;
}
} // namespace

} // namespace zema

int main(int argc, char** argv) {
    using namespace zema;
    const auto start = std::chrono::steady_clock::now();
    const char* shots = argc == 3 && std::strcmp(argv[1], "--shot") == 0 ? argv[2] : nullptr;
    if (argc != 1 && !shots) {
        std::fprintf(stderr, "usage: zema-first-frame [--shot FOLDER]\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("ZEMA", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          800, 600, SDL_WINDOW_SHOWN);
    displaySettings.messagesToStderrOnly = true;
    if (!window || initDisplay(window) != 0) return 1;
    useFixedSeed(7);
    resetGame();
    runFrame(); // the title frame
    const double firstFrameMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (shots) saveBackBuffer(std::string(shots) + "/title.bmp");

    // A game under way, in the north-east of the maze: a gate, items, enemies, the beam firing.
    startGame();
    runFrame();
    gameState.scrollX = 3700;
    gameState.scrollY = 700;
    fireShot();
    runFrame();
    runFrame();
    if (shots) saveBackBuffer(std::string(shots) + "/play.bmp");

    gameState.energy = -1; // lost: the next frames show the game-over picture
    runFrame();
    runFrame();
    if (shots) saveBackBuffer(std::string(shots) + "/gameover.bmp");

    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("mode %ux%u path %s in-place %d first-frame-ms %.1f peak-rss-kb %ld\n",
                displayMode.Width, displayMode.Height,
                displayPresentPath() == PresentPath::WindowSurface ? "window-surface"
                                                                   : "software-renderer",
                displayDrawsInPlace() ? 1 : 0, firstFrameMs, usage.ru_maxrss);
    releaseDisplay();
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
