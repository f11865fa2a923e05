// SDL opens ALSA's library by name when it tries the ALSA driver; opened here by the same name it
// is the same library, whose error handler is one setting for the whole process.
#include "sound/alsa_quiet.h"

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <dlfcn.h>
#endif

namespace zema {

#if defined(__linux__) && !defined(__EMSCRIPTEN__)

namespace {

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

} // namespace

void quietAlsaMessages() {
    static bool done = false;
    if (done) return;
    done = true;
    // Kept open for the life of the process: the handler must outlive every use SDL makes of it.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr) return;
    const auto setHandler =
        reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) setHandler(ignoreAlsaMessage);
}

#else

void quietAlsaMessages() {}

#endif

} // namespace zema
