// Beam hits and contact damage, each enemy counted on its own.
#include "game/combat.h"

#include "game/collision.h"
#include "game/world.h"
#include "sound/sound.h"

namespace zema {

constexpr int contactDamage = 5;

// Enemies 0 to 23 with the small box, then the guardian with the large one: the order in
// which the hits sound.
void applyShotHits() {
    const WorldRect beam = beamBox();
    for (int i = 0; i < enemyCount; ++i) {
        if (rectsOverlap(beam, enemyBox(i)) && enemies[i].hp > 0) {
            enemies[i].hp -= 1;
            playSound(sndHit, false);
        }
    }
}

void applyContactDamage() {
    const WorldRect craft = craftHitBox();
    for (int i = 0; i < enemyCount; ++i) {
        if (rectsOverlap(craft, enemyBox(i)) && enemies[i].hp > 0) {
            gameState.energy -= contactDamage;
            playSound(sndHit, false);
        }
    }
}

} // namespace zema
