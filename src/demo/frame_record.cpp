// Formats the simulator's per-frame line without allocating.
#include "demo/frame_record.h"

#include <cstdint>
#include <cstring>

#include "display/display_headless.h"
#include "game/world.h"
#include "sound/sound_headless.h"

namespace zema {

namespace {

constexpr char digitPairs[] = // "00" "01" ... "99"
    "00010203040506070809101112131415161718192021222324"
    "25262728293031323334353637383940414243444546474849"
    "50515253545556575859606162636465666768697071727374"
    "75767778798081828384858687888990919293949596979899";

// The line is the bulk of the simulator's work with --draws, so the writer avoids strlen on
// literals and writes numbers two digits at a time.
struct Writer {
    char* p;
    template <size_t N> void text(const char (&s)[N]) {
        std::memcpy(p, s, N - 1);
        p += N - 1;
    }
    void ch(char c) { *p++ = c; }
    void number(long long v) {
        unsigned long long u = static_cast<unsigned long long>(v);
        if (v < 0) {
            ch('-');
            u = 0ULL - u;
        }
        char digits[24];
        char* end = digits + sizeof digits;
        char* d = end;
        while (u >= 100) {
            d -= 2;
            std::memcpy(d, digitPairs + 2 * (u % 100), 2);
            u /= 100;
        }
        if (u >= 10) {
            d -= 2;
            std::memcpy(d, digitPairs + 2 * u, 2);
        } else {
            *--d = static_cast<char>('0' + u);
        }
        std::memcpy(p, d, static_cast<size_t>(end - d));
        p += end - d;
    }
    // Every coordinate the frame passes is a whole number; a fraction would round half away
    // from zero.
    void number(float v) { number(static_cast<long long>(v < 0.0f ? v - 0.5f : v + 0.5f)); }
    void quoted(const char* s) {
        ch('"');
        const size_t n = std::strlen(s);
        std::memcpy(p, s, n);
        p += n;
        ch('"');
    }
};

void writeDraws(Writer& w) {
    w.text(",\"draws\":[");
    for (int i = 0; i < recordedOpCount; ++i) {
        const DisplayOp& op = recordedOps[i];
        if (i > 0) w.ch(',');
        switch (op.kind) {
        case DisplayOpKind::BeginScene:
            w.text("[\"BeginScene\"]");
            break;
        case DisplayOpKind::Clear:
            w.text("[\"Clear\"]");
            break;
        case DisplayOpKind::EndScene:
            w.text("[\"EndScene\"]");
            break;
        case DisplayOpKind::Present:
            w.text("[\"Present\"]");
            break;
        case DisplayOpKind::Draw:
            w.ch('[');
            w.quoted(imageSlotName(op.slot));
            w.text(",[");
            w.number(static_cast<long long>(op.source.left));
            w.ch(',');
            w.number(static_cast<long long>(op.source.top));
            w.ch(',');
            w.number(static_cast<long long>(op.source.right));
            w.ch(',');
            w.number(static_cast<long long>(op.source.bottom));
            w.text("],[");
            w.number(op.scaling.x);
            w.ch(',');
            w.number(op.scaling.y);
            w.text("],[");
            w.number(op.translation.x);
            w.ch(',');
            w.number(op.translation.y);
            w.text("]]");
            break;
        }
    }
    w.ch(']');
}

} // namespace

size_t formatFrameLine(char* out, long frameNumber, bool withDraws) {
    Writer w{out};
    const GameState& s = gameState;
    w.text("{\"frame\":");
    w.number(static_cast<long long>(frameNumber));
    w.text(",\"screenMode\":");
    w.number(static_cast<long long>(s.screenMode));
    w.text(",\"gameOver\":");
    w.number(static_cast<long long>(s.gameOver));
    w.text(",\"scrollX\":");
    w.number(static_cast<long long>(s.scrollX));
    w.text(",\"scrollY\":");
    w.number(static_cast<long long>(s.scrollY));
    w.text(",\"energy\":");
    w.number(static_cast<long long>(s.energy));
    w.text(",\"shotTimer\":");
    w.number(static_cast<long long>(s.shotTimer));
    w.text(",\"facingLeft\":");
    w.number(static_cast<long long>(s.facingLeft));
    w.text(",\"enemies\":[");
    for (int i = 0; i < enemyCount; ++i) {
        const Enemy& e = enemies[i];
        if (i > 0) w.ch(',');
        w.ch('[');
        const int32_t fields[5] = {e.x, e.y, e.vx, e.vy, e.hp};
        for (int f = 0; f < 5; ++f) {
            if (f > 0) w.ch(',');
            w.number(static_cast<long long>(fields[f]));
        }
        w.ch(']');
    }
    w.text("],\"taken\":\"");
    for (const ItemRow& row : itemRows)
        w.ch(row.taken != 0 ? '1' : '0');
    w.text("\",\"open\":\"");
    for (const Gate& gate : gates)
        w.ch(gate.open != 0 ? '1' : '0');
    w.text("\",\"sounds\":[");
    for (int i = 0; i < recordedSoundCount; ++i) {
        if (i > 0) w.ch(',');
        w.quoted(soundSlotName(recordedSounds[i].slot));
    }
    w.ch(']');
    if (withDraws) writeDraws(w);
    w.text("}\n");
    return static_cast<size_t>(w.p - out);
}

} // namespace zema
