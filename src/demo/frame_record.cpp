// Formats the simulator's per-frame line without allocating.
#include "demo/frame_record.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "game/world.h"

namespace zema {

namespace {

// The device operations by kind, in DisplayOpKind's order.
constexpr const char* deviceOpNames[] = {"BeginScene", "Clear", "EndScene", "Present"};

// Every coordinate the frame passes is a whole number; a fraction would round half away from
// zero.
long long rounded(float v) {
    return static_cast<long long>(v < 0.0f ? v - 0.5f : v + 0.5f);
}

// The line is the bulk of the simulator's work with --draws, so the writer avoids strlen on
// literals and formats numbers in place.
struct Writer {
    char* p;
    template <size_t N> void text(const char (&s)[N]) {
        std::memcpy(p, s, N - 1);
        p += N - 1;
    }
    void ch(char c) { *p++ = c; }
    void number(long long v) { p = std::to_chars(p, p + 24, v).ptr; }
    template <size_t N> void field(const char (&name)[N], long long v) {
        text(name);
        number(v);
    }
    // "[a,b,...]"
    void numbers(std::initializer_list<long long> values) {
        ch('[');
        for (const long long* v = values.begin(); v != values.end(); ++v) {
            if (v != values.begin()) ch(',');
            number(*v);
        }
        ch(']');
    }
    void quoted(const char* s) {
        ch('"');
        const size_t n = std::strlen(s);
        std::memcpy(p, s, n);
        p += n;
        ch('"');
    }
};

void writeDraws(Writer& w, const DisplayOp* ops, int opCount) {
    w.text(",\"draws\":[");
    for (int i = 0; i < opCount; ++i) {
        const DisplayOp& op = ops[i];
        if (i > 0) w.ch(',');
        switch (op.kind) {
        case DisplayOpKind::BeginScene:
        case DisplayOpKind::Clear:
        case DisplayOpKind::EndScene:
        case DisplayOpKind::Present:
            w.ch('[');
            w.quoted(deviceOpNames[static_cast<int>(op.kind)]);
            w.ch(']');
            break;
        case DisplayOpKind::Draw:
            w.ch('[');
            w.quoted(imageSlotName(op.slot));
            w.ch(',');
            w.numbers({op.source.left, op.source.top, op.source.right, op.source.bottom});
            w.ch(',');
            w.numbers({rounded(op.scaling.x), rounded(op.scaling.y)});
            w.ch(',');
            w.numbers({rounded(op.translation.x), rounded(op.translation.y)});
            w.ch(']');
            break;
        }
    }
    w.ch(']');
}

} // namespace

size_t formatFrameLine(char* out, long frameNumber, const SoundSlot* sounds, int soundCount,
                       const DisplayOp* ops, int opCount) {
    Writer w{out};
    const GameState& s = gameState;
    w.field("{\"frame\":", frameNumber);
    w.field(",\"screenMode\":", s.screenMode);
    w.field(",\"gameOver\":", s.gameOver);
    w.field(",\"scrollX\":", s.scrollX);
    w.field(",\"scrollY\":", s.scrollY);
    w.field(",\"energy\":", s.energy);
    w.field(",\"shotTimer\":", s.shotTimer);
    w.field(",\"facingLeft\":", s.facingLeft);
    w.text(",\"enemies\":[");
    for (int i = 0; i < enemyCount; ++i) {
        const Enemy& e = enemies[i];
        if (i > 0) w.ch(',');
        w.numbers({e.x, e.y, e.vx, e.vy, e.hp});
    }
    w.text("],\"taken\":\"");
    for (const ItemRow& row : itemRows)
        w.ch(row.taken != 0 ? '1' : '0');
    w.text("\",\"open\":\"");
    for (const Gate& gate : gates)
        w.ch(gate.open != 0 ? '1' : '0');
    w.text("\",\"sounds\":[");
    for (int i = 0; i < soundCount; ++i) {
        if (i > 0) w.ch(',');
        w.quoted(soundSlotName(sounds[i]));
    }
    w.ch(']');
    if (ops != nullptr) writeDraws(w, ops, opCount);
    w.text("}\n");
    return static_cast<size_t>(w.p - out);
}

} // namespace zema
