// zema-setup's picture against its places: at a handheld's, a window's and a large screen's size,
// what the mouse finds at a point is what is drawn there, and the parts stay apart and inside.
#include <gtest/gtest.h>

#include "font.h"
#include "palette.h"
#include "setup_view.h"

namespace zema {
namespace {

int rowOf(const SetupEditor& editor, const char* name) {
    for (size_t i = 0; i < editor.rows.size(); ++i)
        if (std::string(editor.rows[i]->name) == name) return int(i);
    return -1;
}

// Pixels of that colour in [x0, x1) x [y0, y1).
int coloured(const Canvas& canvas, int x0, int y0, int x1, int y1, uint8_t colour) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            count += at(canvas, x, y) == colour;
    return count;
}

TEST(SetupView, WhatIsDrawnIsWhereTheMouseFindsIt) {
    for (const auto& [w, h] : {std::pair{640, 480}, {960, 600}, {1920, 1080}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        SetupEditor e = openSetupEditor("f.conf", "volume = 40\n", {{{w, h}}, {}});
        e.chosen = int(e.rows.size()) - 1; // the list scrolls to show the last row
        SetupLayout l = layOutSetup(e, w, h, 0);
        EXPECT_TRUE(l.firstShown <= e.chosen && e.chosen < l.firstShown + l.rowsShown);
        EXPECT_EQ(l.firstShown + l.rowsShown >= int(e.rows.size()), true);
        EXPECT_LE(l.listTop + l.rowsShown * l.rowHeight, l.helpTop);
        EXPECT_LE(l.buttonsTop + l.rowHeight, h);
        EXPECT_LE(l.resetX + textWidth("Default", l.scale), w);

        e.chosen = rowOf(e, "volume");
        e.status = "said";
        l = layOutSetup(e, w, h, 0);
        Canvas c = makeCanvas(w, h);
        drawSetup(c, e, l);
        const int ch = (glyphWidth + 1) * l.scale, rh = l.rowHeight;
        const int top = l.listTop + (e.chosen - l.firstShown) * rh, mid = top + rh / 2;
        EXPECT_EQ(at(c, 2 * l.scale, top), cInk);
        EXPECT_EQ(at(c, l.nameX - 1, mid), cTealDark); // the chosen row's bar
        EXPECT_EQ(at(c, l.nameX - 1, mid + rh), cInk);
        const int up = l.valueX + 2 * ch + l.valueWidth;
        const struct {
            int x;
            SpotKind kind;
            uint8_t colour; // drawn in the spot
        } marks[] = {{l.valueX, SpotKind::StepDown, cCyan},
                     {up, SpotKind::StepUp, cCyan},
                     {l.resetX, SpotKind::Default, cCyan},
                     {l.nameX, SpotKind::Row, cWhite}};
        for (const auto& m : marks) {
            EXPECT_EQ(spotAt(e, l, m.x + 1, mid).kind, m.kind) << m.x;
            EXPECT_EQ(spotAt(e, l, m.x + 1, mid).index, e.chosen);
            EXPECT_GT(coloured(c, m.x, top, m.x + 2 * ch, top + rh, m.colour), 0) << m.x;
        }
        // Another row has no marks: it is chosen by a click anywhere on it.
        EXPECT_EQ(spotAt(e, l, l.resetX + 1, mid + rh).kind, SpotKind::Row);
        EXPECT_EQ(spotAt(e, l, l.resetX + 1, mid + rh).index, e.chosen + 1);
        EXPECT_EQ(spotAt(e, l, l.nameX, l.listTop - 1).kind, SpotKind::Nothing);
        EXPECT_EQ(coloured(c, 0, l.helpTop + 2 * rh, w, l.helpTop + 3 * rh, cYellow) > 0, true);
        for (int i = 0; i < setupButtonCount; ++i) {
            const SetupSpot spot = spotAt(e, l, l.buttonX[i] + l.buttonWidth / 2, l.buttonsTop + 1);
            EXPECT_EQ(spot.kind, SpotKind::Button);
            EXPECT_EQ(spot.index, i);
            EXPECT_GT(coloured(c, l.buttonX[i], l.buttonsTop, l.buttonX[i] + l.buttonWidth,
                               l.buttonsTop + rh, cWhite),
                      0);
        }
        EXPECT_EQ(spotAt(e, l, l.buttonX[0] - 1, l.buttonsTop + 1).kind, SpotKind::Nothing);
        // What is typed shows with its cursor, in the colour of a wait, and nothing past it.
        e.waiting = Waiting::Typing;
        e.typed = "3,4";
        drawSetup(c, e, l);
        const int typed = l.valueX + 2 * ch;
        EXPECT_GT(coloured(c, typed + 3 * ch, top, typed + 4 * ch, top + rh, cYellow), 0);
        EXPECT_EQ(coloured(c, typed + 4 * ch, top, typed + 12 * ch, top + rh, cYellow), 0);
    }
}

} // namespace
} // namespace zema
