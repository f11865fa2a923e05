#!/bin/bash
# Starts zema-setup on a handheld through PortMaster: the game's settings by the pad alone, saved
# into the port's own zema.conf; its "Play" starts the game with them. The launcher is ZEMA.sh's.
ZEMA_PORT_PROGRAM=zema-setup exec bash "$(dirname "$0")/ZEMA.sh" "$@"
