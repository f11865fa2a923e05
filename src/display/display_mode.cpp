// The display mode in use, set once by whichever display is set up.
#include "display/display.h"

namespace zema {

DisplayMode displayMode = {};

} // namespace zema
