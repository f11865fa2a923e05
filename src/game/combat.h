// The beam wears down the enemies it covers; enemies that touch the craft drain its energy.
#pragma once

namespace zema {

void applyShotHits();
void applyContactDamage();

} // namespace zema
