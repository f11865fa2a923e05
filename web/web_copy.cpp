// The copy's side of the page: what the game plays with, and the check of a chosen copy.
#include "web_copy.h"

#include <emscripten.h>

#include "copy/own_copy.h"

namespace zema {

void useKeptCopy(const std::string& folder) {
    std::string said;
    if (folder.empty() || chooseOwnCopy(folder, {}, "zema", said)) return;
    EM_ASM({ Module.zemaCopyRefused(UTF8ToString($0)); }, said.c_str());
}

} // namespace zema

using namespace zema;

extern "C" {

// Checks the files the page wrote into /check as a copy, its sounds read whole: "" for a whole
// copy, else the line saying what is missing or refused, the files named as the player chose
// them.
EMSCRIPTEN_KEEPALIVE const char* zemaCheckCopy() {
    static std::string verdict;
    int status = 0;
    const std::string report = copyReport("/check", {}, status);
    const size_t last = report.rfind('\n', report.size() - 2);
    verdict.clear();
    if (status == 0) return "";
    for (size_t at = last + 1; at + 1 < report.size(); ++at)
        if (report.compare(at, 7, "/check/") == 0)
            at += 6;
        else
            verdict += report[at];
    return verdict.c_str();
}

// Whether the game plays with a copy.
EMSCRIPTEN_KEEPALIVE int zemaPlaysOwnCopy() {
    return ownCopy.folder.empty() ? 0 : 1;
}
}
