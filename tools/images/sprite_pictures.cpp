// The craft, the three enemies, the guardian and the three items.
#include <cmath>
#include <numbers>

#include "pictures.h"

namespace zema {

namespace {
constexpr float pi = std::numbers::pi_v<float>;

const Ramp redBody = {{cInk, cRedDark, cRed, cOrange, cYellow}};
const Ramp eyeWhite = {{cSteel, cSteelLight, cWhite}};

void eye(Canvas& c, float x, float y, float r, float lookX, float lookY) {
    fillEllipse(c, x, y, r + 2, r + 2, cInk);
    shadeEllipse(c, x, y, r, r, eyeWhite, 0.0f);
    fillEllipse(c, x + lookX * r * 0.35f, y + lookY * r * 0.35f, r * 0.5f, r * 0.5f, cInk);
    fillEllipse(c, x + lookX * r * 0.35f - r * 0.18f, y + lookY * r * 0.35f - r * 0.2f, r * 0.14f,
                r * 0.14f, cWhite);
}

// A spike from the centre outwards at an angle, as a thin triangle.
std::vector<Point> spike(float cx, float cy, float angle, float inner, float outer, float width) {
    const float ca = std::cos(angle), sa = std::sin(angle);
    return {{cx + ca * inner - sa * width, cy + sa * inner + ca * width},
            {cx + ca * outer, cy + sa * outer},
            {cx + ca * inner + sa * width, cy + sa * inner - ca * width}};
}

// Enemy 1: a red spiked mine with one staring eye.
Canvas spikedMine() {
    Canvas c = makeCanvas(200, 200);
    for (int i = 0; i < 10; ++i)
        shadePolygon(c, spike(100, 100, i * pi / 5 + 0.3f, 50, 94, 13), steelRamp, 0.9f, 0.35f);
    shadeEllipse(c, 100, 100, 64, 64, redBody);
    eye(c, 100, 96, 26, 0.3f, 0.4f);
    for (int i = 0; i < 5; ++i)
        fillRect(c, 74 + i * 11, 136, 80 + i * 11, 142 + (i % 2) * 3, cInk);
    outline(c, cInk, 3);
    return c;
}

// Enemy 2: a green jellyfish with trailing tentacles.
Canvas jellyfish() {
    Canvas c = makeCanvas(200, 200);
    for (int t = 0; t < 5; ++t) {
        const float x0 = 46 + t * 27;
        Point last = {x0, 110};
        for (int s = 1; s <= 12; ++s) {
            const Point next = {x0 + 9 * std::sin(s * 0.75f + t), 110 + s * 6.5f};
            drawLine(c, last, next, 12 - s * 0.6f, s % 3 == 0 ? cGreenDark : cGreen);
            last = next;
        }
    }
    Canvas dome = makeCanvas(200, 200);
    shadeEllipse(dome, 100, 104, 78, 76, greenRamp);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (at(dome, x, y) != clear && y < 122) at(c, x, y) = at(dome, x, y);
    fillRect(c, 24, 116, 177, 124, cGreenDark);
    for (int i = 0; i < 7; ++i)
        fillEllipse(c, 34 + i * 22, 124, 10, 6, cGreenDark);
    eye(c, 76, 80, 16, 0.0f, 0.5f);
    eye(c, 124, 80, 16, 0.0f, 0.5f);
    fillEllipse(c, 70, 50, 10, 6, cYellow);
    outline(c, cInk, 3);
    return c;
}

// Enemy 3: a purple saucer with a glass dome and a ring of lights.
Canvas saucer() {
    Canvas c = makeCanvas(200, 200);
    shadeEllipse(c, 100, 84, 44, 42, tealRamp, 0.8f);
    fillRect(c, 40, 96, 160, 104, cInk);
    shadeEllipse(c, 100, 112, 94, 34, purpleRamp);
    fillEllipse(c, 100, 120, 70, 14, cRedDark);
    for (int i = 0; i < 6; ++i) {
        const float x = 32 + i * 27.2f;
        fillEllipse(c, x, 112 + std::abs(x - 100) * 0.05f, 8, 6, cYellow);
        fillEllipse(c, x - 2, 110 + std::abs(x - 100) * 0.05f, 3, 2, cWhite);
    }
    shadePolygon(c, {{70, 136}, {84, 136}, {76, 168}, {60, 168}}, steelRamp, 0.8f, 0.2f);
    shadePolygon(c, {{116, 136}, {130, 136}, {140, 168}, {124, 168}}, steelRamp, 0.8f, 0.2f);
    eye(c, 100, 84, 13, 0.0f, 0.3f);
    outline(c, cInk, 3);
    return c;
}
} // namespace

void paste(Canvas& target, const Canvas& picture, int x, int y) {
    for (int v = 0; v < picture.height; ++v)
        for (int u = 0; u < picture.width; ++u)
            if (at(picture, u, v) != clear) plot(target, x + u, y + v, at(picture, u, v));
}

Canvas craftPicture() {
    Canvas c = makeCanvas(200, 148);
    // Exhaust first, so that the engine sits over it.
    shadePolygon(c, {{34, 60}, {4, 74}, {34, 90}}, fireRamp, 1.0f, 0.3f);
    fillPolygon(c, {{34, 68}, {18, 75}, {34, 82}}, cWhite);
    // Swept wings above and below the hull.
    shadePolygon(c, {{112, 58}, {70, 10}, {44, 10}, {64, 62}}, steelRamp, 0.95f, 0.45f);
    shadePolygon(c, {{112, 92}, {70, 138}, {44, 138}, {64, 88}}, steelRamp, 0.7f, 0.25f);
    fillPolygon(c, {{72, 10}, {44, 10}, {49, 22}, {80, 22}}, cRed);
    fillPolygon(c, {{80, 126}, {49, 126}, {44, 138}, {72, 138}}, cRed);
    // Hull and nose.
    shadeEllipse(c, 100, 75, 72, 24, steelRamp);
    shadePolygon(c, {{150, 56}, {196, 76}, {150, 96}}, steelRamp, 0.95f, 0.3f);
    fillEllipse(c, 36, 75, 14, 19, cSteelDark);
    fillEllipse(c, 34, 75, 8, 12, cInk);
    fillPolygon(c, {{58, 80}, {176, 80}, {170, 86}, {58, 86}}, cTeal);
    fillPolygon(c, {{58, 86}, {170, 86}, {166, 89}, {58, 89}}, cTealDark);
    // Canopy.
    shadeEllipse(c, 130, 64, 30, 13, tealRamp, 0.9f);
    outline(c, cInk, 2);
    return c;
}

Canvas enemyPicture(int kind) {
    if (kind == 2) return jellyfish();
    if (kind == 3) return saucer();
    return spikedMine();
}

// The guardian: an armoured fortress with horns, twin cannons and one great eye.
Canvas guardianPicture() {
    Canvas c = makeCanvas(400, 400);
    // Horns.
    shadePolygon(c, {{110, 120}, {40, 20}, {70, 30}, {160, 100}}, steelRamp, 1.0f, 0.4f);
    shadePolygon(c, {{290, 120}, {360, 20}, {330, 30}, {240, 100}}, steelRamp, 1.0f, 0.4f);
    // Cannons on both flanks.
    for (int side = -1; side <= 1; side += 2) {
        const float x = 200 + side * 150.0f;
        shadePolygon(c, {{x - 34, 190}, {x + 34, 190}, {x + 28, 330}, {x - 28, 330}}, steelRamp,
                     0.8f, 0.25f);
        fillRect(c, static_cast<int>(x) - 20, 330, static_cast<int>(x) + 20, 360, cSteelDark);
        fillEllipse(c, x, 360, 20, 10, cInk);
        fillEllipse(c, x, 360, 12, 6, cOrange);
    }
    // Body and armour.
    shadeEllipse(c, 200, 210, 150, 160, purpleRamp);
    shadePolygon(c, {{90, 120}, {310, 120}, {280, 150}, {120, 150}}, steelRamp, 0.95f, 0.5f);
    shadePolygon(c, {{100, 300}, {300, 300}, {260, 350}, {140, 350}}, steelRamp, 0.7f, 0.2f);
    for (int i = 0; i < 7; ++i)
        fillPolygon(c, {{146.0f + i * 18, 300}, {164.0f + i * 18, 300}, {155.0f + i * 18, 330}},
                    cWhite);
    for (int i = 0; i < 6; ++i)
        fillEllipse(c, 120 + i * 32, 135, 5, 5, cInk);
    // The eye.
    fillEllipse(c, 200, 220, 76, 62, cInk);
    shadeEllipse(c, 200, 220, 70, 56, redBody, 0.6f);
    fillEllipse(c, 200, 224, 34, 34, cYellow);
    fillEllipse(c, 200, 226, 14, 30, cInk);
    fillEllipse(c, 182, 200, 10, 8, cWhite);
    outline(c, cInk, 4);
    return c;
}

Canvas itemPicture(int kind) {
    Canvas c = makeCanvas(100, 100);
    if (kind == 1) {
        // A cut crystal: facets in the teal ramp.
        shadePolygon(c, {{50, 8}, {86, 40}, {50, 92}, {14, 40}}, tealRamp, 1.0f, 0.3f);
        fillPolygon(c, {{50, 8}, {86, 40}, {50, 40}}, cCyan);
        fillPolygon(c, {{50, 40}, {86, 40}, {50, 92}}, cTealDark);
        fillPolygon(c, {{30, 30}, {42, 22}, {38, 34}}, cWhite);
    } else if (kind == 2) {
        // A gold coin stamped with a star.
        shadeEllipse(c, 50, 50, 42, 42, goldRamp, 0.6f);
        fillEllipse(c, 50, 50, 32, 32, cOrange);
        std::vector<Point> star;
        for (int i = 0; i < 10; ++i) {
            const float r = i % 2 ? 11.0f : 26.0f, a = -pi / 2 + i * pi / 5;
            star.push_back({50 + r * std::cos(a), 51 + r * std::sin(a)});
        }
        fillPolygon(c, star, cYellow);
        fillEllipse(c, 34, 30, 6, 4, cWhite);
    } else {
        // A power cell: steel caps around a glowing green core.
        shadePolygon(c, {{30, 18}, {70, 18}, {70, 30}, {30, 30}}, steelRamp, 1.0f, 0.5f);
        shadePolygon(c, {{30, 70}, {70, 70}, {70, 84}, {30, 84}}, steelRamp, 0.8f, 0.3f);
        fillRect(c, 42, 8, 58, 18, cSteel);
        for (int y = 30; y < 70; ++y)
            for (int x = 32; x < 68; ++x) {
                const float across = 1.0f - std::abs(x - 46.0f) / 22.0f;
                at(c, x, y) = rampIndex(greenRamp, 0.2f + 0.9f * across, x, y);
            }
        fillPolygon(c, {{54, 34}, {40, 52}, {50, 52}, {44, 66}, {60, 46}, {50, 46}}, cYellow);
    }
    outline(c, cInk, 2);
    return c;
}

} // namespace zema
