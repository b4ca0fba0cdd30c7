# Sourced by the other scripts: where things are and how Wine runs.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build/release}"
# Each build tree has its own prefix (and so its own wineserver).
export WINEPREFIX="${WINEPREFIX:-$BUILD/wineprefix}"
export WINEARCH=win64
# 64-bit Wine, called directly: /usr/bin/wine prefers a 32-bit loader when one is installed.
WINE=/usr/lib/wine/wine64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8

# Builds the project (configure once, then incremental).
project_build() {
    bash "$ROOT/tools/setup.sh"
    if [ ! -f "$BUILD/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -Wno-dev >/dev/null
    fi
    cmake --build "$BUILD" "$@"
}

# Starts an X server of our own on a free display and exports DISPLAY.
# The display gets a resource database, as a desktop session's display has one. Without any, the
# X library looks for resource files again each time a setting is asked for, and Wine's X driver asks
# on every font selection: each one then costs about ten times what it costs on a desktop.
start_xvfb() {
    local n=$((90 + RANDOM % 400)) tries
    mkdir -p "$BUILD"
    printf '*customization: -color\n' > "$BUILD/xresources"
    export XENVIRONMENT="$BUILD/xresources"
    for tries in $(seq 1 20); do
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 1 50); do
            if ! kill -0 "$XVFB_PID" 2>/dev/null; then break; fi   # lost a race for :n
            [ -e "/tmp/.X11-unix/X$n" ] && return 0
            sleep 0.1
        done
        n=$((n + 1))
    done
    echo "Xvfb did not start" >&2
    return 1
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}

# Creates the Wine prefix once: no Mono or Gecko prompts, font substitutes, no desktop menus.
ensure_prefix() {
    if [ -f "$WINEPREFIX/.project-ready-4" ]; then return 0; fi
    echo "Creating the Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot.exe -i >/dev/null 2>&1 || true
    wineserver -w
    local key='HKCU\Software\Wine\Fonts\Replacements'
    "$WINE" reg add "$key" /v "Courier New" /t REG_SZ /d "Liberation Mono" /f >/dev/null 2>&1
    "$WINE" reg add "$key" /v "Arial" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
    "$WINE" reg add "$key" /v "Times New Roman" /t REG_SZ /d "Liberation Serif" /f >/dev/null 2>&1
    # Wine draws the caption buttons with its Marlett font, which this Wine does not load from its
    # own data folder; the other fonts stay as they are, so Tahoma keeps falling back to a face
    # with the suit symbols.
    local data_fonts
    for data_fonts in /usr/share/wine/fonts /usr/lib/wine/fonts; do
        if [ -f "$data_fonts/marlett.ttf" ]; then
            cp "$data_fonts/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
            break
        fi
    done
    # No window manager runs under Xvfb: unmanaged windows spare Wine a wait on every hide.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    add_test_printer
    wineserver -w
    touch "$WINEPREFIX/.project-ready-4"
}

# The prefix's default printer: PostScript (Wine's driver, the project's printer description)
# written to the file C:\printer\job.ps, which printing tests read back with Ghostscript.
add_test_printer() {
    local exe="$BUILD/tools/add_test_printer.exe"
    mkdir -p "$BUILD/tools"
    x86_64-w64-mingw32-g++-posix -municode -O1 -static -o "$exe" \
        "$ROOT/tools/printer/add_test_printer.cpp" -lwinspool -lgdi32
    local ppd="Z:$(printf '%s' "$ROOT/tools/printer/test-printer.ppd" | tr / '\\')"
    "$WINE" "$exe" "$ppd" 'C:\printer\job.ps' || { echo "The test printer could not be set up" >&2; return 1; }
}

# One wineserver for a whole run, with Wine's background services started once.
start_wine() {
    ensure_prefix
    wineserver -p
    "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

stop_wine() {
    wineserver -k 2>/dev/null || true
}
