# A display and a Wine prefix of this run's own: zqt sources this file, calls wine_session_start, and the EXIT
# trap removes both. The wine server is started persistent and detached before CTest runs, so no test pays for
# its start and no test's output pipe is held open by it.

WINE64=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINELOADER=$WINE64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# shellcheck source=scripts/i386.sh
. "$(dirname "${BASH_SOURCE[0]}")/i386.sh"

zqt_xvfb_pid=""
zqt_prefix=""

# The Wine loader for a Windows preset's programs.
zqt_wine_loader() {
  if [ "$1" = win32 ]; then echo /usr/lib/wine/wine; else echo "$WINE64"; fi
}

# Builds the reference host and the DLL of the Windows preset $3 in the tree at $1, and any further targets named
# after $3, quietly; on failure prints the build's output and "$2: the <preset> build failed" and returns 1. A
# configured tree is not configured again (the build does that itself when a CMake file changed), so runs side
# by side on an up-to-date tree do not rewrite its files under each other; a tree asked for further targets is,
# since one configured before such a target existed cannot name it.
zqt_build_host_and_dll() {
  local tree=$1 command=$2 preset=$3 build_log
  shift 3
  build_log=$(mktemp)
  if ! (cd "$tree" && { [ -f "build/$preset/CMakeCache.txt" ] && [ $# = 0 ] || cmake --preset "$preset" >/dev/null; } &&
    cmake --build --preset "$preset" -j2 --target zqthost ZQTRTTYContest "$@") >"$build_log" 2>&1; then
    cat "$build_log" >&2
    rm -f "$build_log"
    echo "$command: the $preset build failed" >&2
    return 1
  fi
  rm -f "$build_log"
}

wine_session_stop() {
  if [ -n "$zqt_prefix" ]; then
    WINEPREFIX=$zqt_prefix "$WINESERVER" -k >/dev/null 2>&1 || true
    rm -rf "$zqt_prefix"
    zqt_prefix=""
  fi
  if [ -n "$zqt_xvfb_pid" ]; then
    kill "$zqt_xvfb_pid" >/dev/null 2>&1 || true
    wait "$zqt_xvfb_pid" 2>/dev/null || true
    zqt_xvfb_pid=""
  fi
}

# Starts Xvfb on a free display unless ZQT_KEEP_DISPLAY is set and a display exists.
start_display() {
  if [ -n "${ZQT_KEEP_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    return
  fi
  local n=$((90 + RANDOM % 400))
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  zqt_xvfb_pid=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  export DISPLAY=":$n"
}

# Wine draws the caption buttons (minimise, maximise, close) with the Marlett font, which Debian's fonts-wine
# ships in /usr/share/wine/fonts, where a prefix made by this Wine does not look: without it every button shows
# a letter ("0", "1", "r"). The prefix gets a copy in its own Fonts folder, listed as Windows lists a font.
zqt_marlett=/usr/share/wine/fonts/marlett.ttf
zqt_add_marlett() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ ! -f "$zqt_marlett" ]; then
    echo "wine-session: $zqt_marlett is missing (./zqt setup installs fonts-wine): caption buttons show letters" >&2
    return 1
  fi
  mkdir -p "$fonts" && cp "$zqt_marlett" "$fonts/marlett.ttf" &&
    "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v "Marlett (TrueType)" \
      /d marlett.ttf /f >/dev/null 2>&1 </dev/null
}

wine_session_start() {
  start_display
  zqt_prefix=$(mktemp -d /tmp/zqt-wine.XXXXXX)
  export WINEPREFIX=$zqt_prefix
  # The persistent server comes first, so every later client (wineboot, reg, the tests) uses it and none
  # starts one of its own inside CTest.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE64" wineboot -i >/dev/null 2>&1 </dev/null || true
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
  # Metric-compatible stand-ins for the Windows fonts the window asks for.
  "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /d "Liberation Mono" /f \
    >/dev/null 2>&1 </dev/null
  zqt_add_marlett
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}
