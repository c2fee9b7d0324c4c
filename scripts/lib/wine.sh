# Wine helpers for the project's scripts (source this file): a Wine prefix of the project's own, running
# Windows programs in it, per-program Windows versions and a virtual X display for window tests.

wine_repo_root() {
  (cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
}

# Makes (once) and selects the project's Wine prefix; never the user's default one.
# Usage: wine_prefix [folder]   (default: <repo>/build/wine-prefix)
wine_prefix() {
  local prefix="${1:-${VELTRANE_WINE_PREFIX:-$(wine_repo_root)/build/wine-prefix}}"
  export WINEPREFIX="$prefix"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEARCH=win64
  # No desktop integration, no menu entries and no Mono or Gecko installers while the prefix is made.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}"
  if [[ ! -f "$prefix/system.reg" || ! -f "$prefix/.veltrane-ready" ]]; then
    mkdir -p "$prefix"
    if ! wineboot -i >"$prefix/wineboot.log" 2>&1; then
      echo "wine_prefix: wineboot failed, see $prefix/wineboot.log" >&2
      return 1
    fi
    timeout 60 wineserver -w
    touch "$prefix/.veltrane-ready"
  fi
}

# Runs a Windows program in the project's prefix and returns its exit code.
# Usage: wine_run program.exe [arguments...]
wine_run() {
  [[ -n "${WINEPREFIX:-}" ]] || wine_prefix || return 1
  wine "$@"
}

# Sets the Windows version Wine reports to one program (by its file name) in the prefix.
# Usage: wine_set_app_version program.exe win98|winxp|win10|...
wine_set_app_version() {
  local exe
  exe="$(basename "$1")"
  [[ -n "${WINEPREFIX:-}" ]] || wine_prefix || return 1
  # Programs started afterwards read it from the running server; no need to wait for the server to end,
  # which would also wait for every other program using the prefix.
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe" /v Version /t REG_SZ /d "$2" /f >/dev/null 2>&1
}

# The Linux path of a Windows path inside the prefix (drive C: only).
# Usage: wine_unix_path 'C:\users\...'
wine_unix_path() {
  local path="${1//\\//}"
  case "$path" in
    [cC]:/*) printf '%s/drive_c/%s\n' "$WINEPREFIX" "${path:3}" ;;
    [zZ]:/*) printf '/%s\n' "${path:3}" ;;
    *) return 1 ;;
  esac
}

# Starts a virtual X display for programs that open windows, unless one is given already.
# Sets DISPLAY and XVFB_PID; xvfb_stop ends the display this call started. XVFB_SCREEN sets its size.
xvfb_start() {
  if [[ -n "${DISPLAY:-}" ]]; then return 0; fi
  local number=99
  while [[ -e "/tmp/.X${number}-lock" ]]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$number"
  local waited=0
  while [[ ! -e "/tmp/.X11-unix/X${number}" && $waited -lt 50 ]]; do
    sleep 0.1
    waited=$((waited + 1))
  done
  kill -0 "$XVFB_PID" 2>/dev/null
}

xvfb_stop() {
  if [[ -n "${XVFB_PID:-}" ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    unset XVFB_PID DISPLAY
  fi
}
