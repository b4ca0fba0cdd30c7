#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor. With a display it opens the window;
# without one it runs under its own Xvfb and writes a screenshot.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

project_build --target Ostrelin1
EXE="$BUILD/app/Ostrelin1.exe"

if [ -n "${DISPLAY:-}" ] && [ -z "${HEADLESS:-}" ]; then
    ensure_prefix
    exec "$WINE" "$EXE" "$@"
fi

start_xvfb
trap 'stop_wine; stop_xvfb' EXIT
start_wine
SHOT="${SCREENSHOT:-$ROOT/build/screenshot.png}"
"$WINE" "$EXE" "$@" >/dev/null 2>&1 &
APP=$!
sleep "${SHOT_DELAY:-4}"
import -window root "$SHOT"
echo "The editor runs without a display: screenshot written to $SHOT"
kill "$APP" 2>/dev/null || true
