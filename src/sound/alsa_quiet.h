// ALSA's own error messages, which it writes to standard error while SDL looks for a device.
#pragma once

namespace zema {

// Sends ALSA's messages nowhere, so that a machine without a sound card shows only the game's
// own line with SDL's reason. Does nothing where ALSA's library is not installed, or off Linux.
void quietAlsaMessages();

} // namespace zema
