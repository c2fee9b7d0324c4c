#!/usr/bin/env bash
# The windowed program under Wine: open it on the user's display, or run its journey test on a virtual
# display (and keep its screenshots). Source it for the functions, or run it:
#   bash scripts/lib/gui.sh [open]               opens build/windows/program/Veltrane!.exe on $DISPLAY
#   bash scripts/lib/gui.sh journey [FOLDER]     runs the journey test; FOLDER receives the screenshots
# The program folder comes from the windows preset: cmake --preset windows && cmake --build build/windows
gui_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=wine.sh
source "$gui_here/wine.sh"

gui_program_dir() {
  printf '%s\n' "${VELTRANE_PROGRAM_DIR:-$(wine_repo_root)/build/windows/program}"
}

# Opens the program as a user would start it, on the display the user works on.
gui_open() {
  local program
  program="$(gui_program_dir)/Veltrane!.exe"
  if [[ ! -f "$program" ]]; then
    echo "gui: $program is missing; build the windows preset first" >&2
    return 1
  fi
  if [[ -z "${DISPLAY:-}" ]]; then
    echo "gui: no X display (DISPLAY is empty) to open the program on" >&2
    return 1
  fi
  wine_prefix || return 1
  wine "$program"
}

# Runs the journey test in a copy of the program folder inside the prefix; 77 when there is no program.
gui_journey() {
  local shots="${1:-}" program
  program="$(gui_program_dir)"
  if [[ ! -f "$program/Veltrane!.exe" ]]; then
    echo "gui: $program/Veltrane!.exe is missing; build the windows preset first" >&2
    return 77
  fi
  wine_prefix || return 1
  # A display of its own, so that the screenshots hold nothing but the program's windows.
  local ownDisplay=0 savedDisplay="${DISPLAY:-}"
  unset DISPLAY
  xvfb_start || { echo "gui: no virtual X display" >&2; return 1; }
  ownDisplay=1

  local stage="$WINEPREFIX/drive_c/veltrane-gui-test"
  rm -rf "$stage"
  mkdir -p "$stage/shots"
  cp -r "$program/." "$stage/"
  rm -f "$stage/report.txt" "$stage/report.txt.progress"
  # A Wine desktop window gives the program's windows their title bars without a window manager.
  timeout 300 wine explorer /desktop=Veltrane,800x600 'C:\veltrane-gui-test\Veltrane!.exe' \
    --self-test 'C:\veltrane-gui-test\report.txt' --screenshots 'C:\veltrane-gui-test\shots' >"$stage/wine.log" 2>&1
  local status=$?
  [[ $ownDisplay == 1 ]] && xvfb_stop
  [[ -n "$savedDisplay" ]] && export DISPLAY="$savedDisplay"

  if [[ -f "$stage/report.txt" ]]; then
    cat "$stage/report.txt"
  elif [[ -f "$stage/report.txt.progress" ]]; then
    echo "gui: the journey did not finish (wine exit $status); it got this far:" >&2
    cat "$stage/report.txt.progress"
  else
    echo "gui: the journey wrote no report (wine exit $status); see $stage/wine.log" >&2
  fi
  if [[ -n "$shots" ]]; then
    mkdir -p "$shots"
    cp "$stage"/shots/*.png "$shots"/ 2>/dev/null || true
  fi
  grep -q '^RESULT PASS' "$stage/report.txt" 2>/dev/null
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  case "${1:-}" in
    open | "") gui_open ;;
    journey)
      gui_journey "${2:-}"
      exit $?
      ;;
    *)
      echo "usage: gui.sh open | journey [screenshot folder]" >&2
      exit 2
      ;;
  esac
fi
