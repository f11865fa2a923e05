// The present timer's totals; the SDL display adds to them.
#include "display/present_timing.h"

namespace zema {

PresentTiming presentTiming = {};

} // namespace zema
