// Items and gates: rows are taken whole by touch, and a gate opens when its group is complete.
#pragma once

namespace zema {

void collectItems();
void openGates();

} // namespace zema
