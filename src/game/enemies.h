// Enemy movement: every enemy moves by the fixed pattern of its index, once per play frame.
#pragma once

namespace zema {

// Dead enemies keep moving, unseen, until the next reset brings them back where they are.
void moveEnemies();

} // namespace zema
