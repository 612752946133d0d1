#!/usr/bin/env bash
# gui.sh PLUGIN_LIBRARY PANEL_POINT WORK_DIR SHOT_PNG: Ardour's GUI, on the test display and the
# test JACK server, loads a session that shows the plug-in's own editor in its plug-in window;
# gui.py checks the editor there, clicks its filter switch and saves the session, which must hold
# the change. PANEL_POINT is the program that reads the control's place from the layout table.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/setup.sh"
library=$1 panel_point=$2 work=$3 shot=$4
ardour_setup "$library" "$work"

echo "== GUI"
mkdir -p "$(dirname "$shot")"
"$python" "$here/gui.py" "$work" "$(dirname "$library")/GUI Resource/background.png" "$shot" \
    "$ardour_attempts" $("$panel_point" filterSwitch)
