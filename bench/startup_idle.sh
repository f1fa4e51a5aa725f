#!/usr/bin/env bash
# Builds the Release program and measures its start-up, memory and idle CPU on a private Xvfb
# with a private session bus (see startup_idle.py). Usage: bench/startup_idle.sh [IDLE_SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $BUILD_PACKAGES $RUN_PACKAGES xvfb python3-xlib dbus-daemon
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DAUTOSHUTDOWN_TESTS=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; kill $bus 2>/dev/null; rm -rf "$work"' EXIT
number=90
while [ -e /tmp/.X11-unix/X$number ] || [ -e /tmp/.X$number-lock ]; do number=$((number + 1)); done
Xvfb :$number -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$number ] && break; sleep 0.05; done
export DISPLAY=:$number
export DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$work/bus.pid")
bus=$(cat "$work/bus.pid")
export XDG_RUNTIME_DIR=$work
/usr/bin/python3 bench/startup_idle.py "$PWD/build-release/src/autoshutdown" "${1:-60}"
