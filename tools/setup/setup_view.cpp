// zema-setup's picture and its places, both from one layout.
#include "setup_view.h"

#include <algorithm>
#include <cstring>

#include "font.h"
#include "palette.h"

namespace zema {

namespace {

constexpr int helpLines = 3; // the chosen row's help, wrapped, then the status
constexpr const char* defaultMark = "Default";
constexpr int valueChars = 30;

// What each button does, shown as the help when it is chosen.
constexpr const char* buttonHelp[setupButtonCount] = {
    "Write the settings to the file", "Save, then play ZEMA with these settings",
    "Every setting back to its default (saved only by Save or Play)",
    "Leave without writing anything (as Esc or closing the window)"};

int charWidth(const SetupLayout& layout) {
    return (glyphWidth + 1) * layout.scale;
}

TextStyle plain(int scale, uint8_t colour) {
    return {scale, colour, colour, colour, clear, 0};
}

// The text cut to chars characters, its end marked when cut.
std::string fitted(const std::string& text, int chars) {
    if (int(text.size()) <= chars) return text;
    return chars <= 2 ? text.substr(0, size_t(std::max(chars, 0)))
                      : text.substr(0, size_t(chars - 2)) + "..";
}

// The text in lines of at most chars characters, broken at spaces where it can be.
std::vector<std::string> wrapped(const std::string& text, int chars) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = std::min(text.size(), from + size_t(std::max(chars, 1)));
        if (end < text.size()) {
            const size_t space = text.rfind(' ', end);
            if (space != std::string::npos && space > from) end = space;
        }
        lines.push_back(text.substr(from, end - from));
        from = end;
        while (from < text.size() && text[from] == ' ')
            ++from;
    }
    return lines;
}

bool stepped(const OptionSpec& spec) {
    const RowKind kind = rowKind(spec);
    return kind != RowKind::Keys && kind != RowKind::Text;
}

// The value a row shows: what it waits for, what is typed, or the value in force.
std::string rowText(const SetupEditor& editor, int row, const CommandLine& inForce) {
    const OptionSpec& spec = *editor.rows[size_t(row)];
    if (row == editor.chosen && editor.waiting == Waiting::Typing) return editor.typed + "_";
    if (row == editor.chosen && editor.waiting == Waiting::Key) return "press a key...";
    if (row == editor.chosen && editor.waiting != Waiting::Nothing) return "press a button...";
    return shownRowValue(spec, inForce);
}

bool givenInFile(const OptionSpec& spec, const CommandLine& inForce) {
    for (const auto& given : inForce.settingsGiven)
        if (given.first == spec.name) return true;
    return false;
}

} // namespace

SetupLayout layOutSetup(const SetupEditor& editor, int width, int height, int firstShown) {
    SetupLayout layout = {};
    layout.scale = std::max(1, std::min(width / 320, height / 240));
    const int s = layout.scale, ch = charWidth(layout), margin = 6 * s;
    layout.rowHeight = 11 * s;
    layout.listTop = margin + glyphHeight * 2 * s + 2 * margin;
    layout.buttonsTop = height - margin - layout.rowHeight;
    layout.helpTop = layout.buttonsTop - margin - helpLines * layout.rowHeight;
    layout.rowsShown = std::max(1, (layout.helpTop - margin - layout.listTop) / layout.rowHeight);
    const int rows = int(editor.rows.size());
    int first = firstShown;
    if (editor.chosen < rows) {
        first = std::min(first, editor.chosen);
        first = std::max(first, editor.chosen - layout.rowsShown + 1);
    }
    layout.firstShown = std::clamp(first, 0, std::max(0, rows - layout.rowsShown));
    size_t longest = 0;
    for (const OptionSpec* spec : editor.rows)
        longest = std::max(longest, std::strlen(spec->name));
    layout.nameX = margin + 2 * ch; // after the marks of more rows above or below
    layout.valueX = layout.nameX + int(longest + 2) * ch;
    // Room for the longest values (a role's keys), then the mark for the default.
    const int room = width - margin - layout.valueX - int(5 + std::strlen(defaultMark)) * ch;
    layout.valueWidth = std::max(8 * ch, std::min(valueChars * ch, room));
    layout.resetX = layout.valueX + 2 * ch + layout.valueWidth + 3 * ch;
    layout.buttonWidth = 11 * ch;
    const int gap = 2 * ch;
    const int left =
        (width - setupButtonCount * layout.buttonWidth - (setupButtonCount - 1) * gap) / 2;
    for (int i = 0; i < setupButtonCount; ++i)
        layout.buttonX[i] = left + i * (layout.buttonWidth + gap);
    return layout;
}

void drawSetup(Canvas& canvas, const SetupEditor& editor, const SetupLayout& layout) {
    const int s = layout.scale, ch = charWidth(layout), margin = 6 * s, rh = layout.rowHeight;
    const int textDown = 2 * s; // a line's text below the top of its row
    fillRect(canvas, 0, 0, canvas.width, canvas.height, cInk);
    drawText(canvas, "ZEMA setup", margin, margin, {2 * s, cOrange, cYellow, cRedDark, clear, s});
    const int fileX = margin + textWidth("ZEMA setup", 2 * s) + 3 * ch;
    drawText(canvas, fitted(editor.fileName, (canvas.width - fileX - margin) / ch), fileX,
             margin + 7 * s, plain(s, cSteel));

    const CommandLine inForce = settingsInForce(editor.text);
    const int rows = int(editor.rows.size());
    const int last = std::min(rows, layout.firstShown + layout.rowsShown);
    for (int row = layout.firstShown; row < last; ++row) {
        const OptionSpec& spec = *editor.rows[size_t(row)];
        const int y = layout.listTop + (row - layout.firstShown) * rh;
        const bool chosen = row == editor.chosen;
        if (chosen) fillRect(canvas, margin, y, canvas.width - margin, y + rh, cTealDark);
        drawText(canvas, spec.name, layout.nameX, y + textDown,
                 plain(s, chosen ? cWhite : cSteelLight));
        const bool waiting = chosen && editor.waiting != Waiting::Nothing;
        drawText(canvas, fitted(rowText(editor, row, inForce), layout.valueWidth / ch),
                 layout.valueX + 2 * ch, y + textDown,
                 plain(s, waiting                      ? cYellow
                          : givenInFile(spec, inForce) ? cWhite
                                                       : cSteel));
        if (!chosen || waiting) continue;
        if (stepped(spec)) {
            drawText(canvas, "<", layout.valueX, y + textDown, plain(s, cCyan));
            drawText(canvas, ">", layout.valueX + 2 * ch + layout.valueWidth + ch, y + textDown,
                     plain(s, cCyan));
        }
        drawText(canvas, defaultMark, layout.resetX, y + textDown, plain(s, cCyan));
    }
    // More rows above or below the ones shown, marked before the names.
    const int markX = margin;
    if (layout.firstShown > 0)
        drawText(canvas, "^", markX, layout.listTop + textDown, plain(s, cSteelLight));
    if (last < rows)
        drawText(canvas, "v", markX, layout.listTop + (layout.rowsShown - 1) * rh + textDown,
                 plain(s, cSteelLight));

    const OptionSpec* spec = chosenRow(editor);
    const std::string help = spec != nullptr ? spec->help : buttonHelp[editor.chosen - rows];
    const int chars = (canvas.width - 2 * margin) / ch;
    std::vector<std::string> lines = wrapped(help, chars);
    lines.resize(helpLines - 1);
    for (int i = 0; i < helpLines - 1; ++i)
        drawText(canvas, lines[size_t(i)], margin, layout.helpTop + i * rh + textDown,
                 plain(s, cSteelLight));
    drawText(canvas, fitted(editor.status, chars), margin,
             layout.helpTop + (helpLines - 1) * rh + textDown, plain(s, cYellow));

    for (int i = 0; i < setupButtonCount; ++i) {
        const int x = layout.buttonX[i], y = layout.buttonsTop;
        const bool chosen = editor.chosen == rows + i;
        fillRect(canvas, x, y, x + layout.buttonWidth, y + rh, chosen ? cTeal : cSteelDark);
        const std::string name = setupButtonNames[i];
        drawText(canvas, name, x + (layout.buttonWidth - textWidth(name, s)) / 2, y + textDown,
                 plain(s, chosen ? cInk : cWhite));
    }
}

SetupSpot spotAt(const SetupEditor& editor, const SetupLayout& layout, int x, int y) {
    const int ch = charWidth(layout);
    if (y >= layout.buttonsTop && y < layout.buttonsTop + layout.rowHeight)
        for (int i = 0; i < setupButtonCount; ++i)
            if (x >= layout.buttonX[i] && x < layout.buttonX[i] + layout.buttonWidth)
                return {SpotKind::Button, i};
    if (y < layout.listTop) return {SpotKind::Nothing, 0};
    const int row = layout.firstShown + (y - layout.listTop) / layout.rowHeight;
    if (row >= std::min(int(editor.rows.size()), layout.firstShown + layout.rowsShown))
        return {SpotKind::Nothing, 0};
    // The marks are only where the chosen row shows them.
    if (row == editor.chosen) {
        if (x >= layout.valueX && x < layout.valueX + 2 * ch) return {SpotKind::StepDown, row};
        const int up = layout.valueX + 2 * ch + layout.valueWidth;
        if (x >= up && x < up + 2 * ch) return {SpotKind::StepUp, row};
        if (x >= layout.resetX && x < layout.resetX + textWidth(defaultMark, layout.scale))
            return {SpotKind::Default, row};
    }
    return {SpotKind::Row, row};
}

} // namespace zema
