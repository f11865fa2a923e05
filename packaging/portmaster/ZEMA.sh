#!/bin/bash
# Starts ZEMA on a handheld through PortMaster: its controls and the device's pad layout, the
# pass-through key map (the game reads the pad itself), and the settings and screenshots kept in
# the port's folder. Arguments go on to the game, or to zema-setup when "ZEMA Setup.sh" names it
# in ZEMA_PORT_PROGRAM.
XDG_DATA_HOME=${XDG_DATA_HOME:-$HOME/.local/share}
if [ -d "/opt/system/Tools/PortMaster/" ]; then
    controlfolder="/opt/system/Tools/PortMaster"
elif [ -d "/opt/tools/PortMaster/" ]; then
    controlfolder="/opt/tools/PortMaster"
elif [ -d "$XDG_DATA_HOME/PortMaster/" ]; then
    controlfolder="$XDG_DATA_HOME/PortMaster"
else
    controlfolder="/roms/ports/PortMaster"
fi
source "$controlfolder/control.txt"
[ -f "$controlfolder/mod_$CFW_NAME.txt" ] && source "$controlfolder/mod_$CFW_NAME.txt"
get_controls

GAMEDIR="/$directory/ports/zema"
cd "$GAMEDIR" || exit 1
exec > >(tee "$GAMEDIR/log.txt") 2>&1
# zema.conf and the screenshots under the port's folder: conf/zema/ and data/zema/screenshots/.
export XDG_CONFIG_HOME="$GAMEDIR/conf" XDG_DATA_HOME="$GAMEDIR/data"
export SDL_GAMECONTROLLERCONFIG="$sdl_controllerconfig"
program="${ZEMA_PORT_PROGRAM:-zema}.${DEVICE_ARCH:-aarch64}"
$GPTOKEYB "$program" -c "$GAMEDIR/zema.gptk" &
"./$program" "$@"
status=$?
pm_finish
exit "$status"
