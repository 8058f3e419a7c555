#!/bin/bash
# Usage: tools/measure-startup.sh [program folder]  (needs an X server on DISPLAY :98 and a
# settings file in the folder, so that no country dialog is shown)
# Time from starting the executable to its main window being viewable with the splash gone.
export DISPLAY=:98
cd "${1:-build}"
start=$(date +%s%N)
./veltaro >/dev/null 2>&1 &
pid=$!
while ! xwininfo -name " VELTARO " 2>/dev/null | grep -q "IsViewable"; do sleep 0.002; done
shown=$(date +%s%N)
while xwininfo -root -tree | grep -q '"Veltaro": ("veltaro"'; do sleep 0.002; done
end=$(date +%s%N)
echo "main window viewable $(( (shown - start) / 1000000 )) ms, splash gone $(( (end - start) / 1000000 )) ms"
kill $pid; wait $pid 2>/dev/null
