#!/usr/bin/env bash
# The windowed program under Wine: open it on the user's display, or run its journey test on a virtual
# display (and keep its screenshots). Source it for the functions, or run it:
#   bash scripts/lib/gui.sh [open]               opens build/windows/program/Veltrane!.exe on $DISPLAY
#   bash scripts/lib/gui.sh journey [FOLDER [DPI]]  runs the journey test (at 96 DPI unless DPI is given);
#                                                FOLDER receives the screenshots
#   bash scripts/lib/gui.sh dpi [FOLDER]         runs it at 144 and 192 DPI; FOLDER/144 and FOLDER/192 get them
#   bash scripts/lib/gui.sh shipped              checks that the program folder and the zip carry no test mode
# The program folder and the journey program come from the windows preset:
#   cmake --preset windows && cmake --build build/windows
gui_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=wine.sh
source "$gui_here/wine.sh"

gui_program_dir() {
  printf '%s\n' "${VELTRANE_PROGRAM_DIR:-$(wine_repo_root)/build/windows/program}"
}

# The journey program: the same windows as Veltrane!.exe, driven by a script; it is never in the program
# folder, because it rewrites the folder it runs in.
gui_journey_program() {
  printf '%s\n' "${VELTRANE_GUI_JOURNEY:-$(wine_repo_root)/build/windows/tests/gui/veltrane-gui-journey.exe}"
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

# Runs the journey program in a copy of the program folder inside the prefix; 77 when either is missing.
# At another DPI than 96 the prefix's LogPixels says so for the run (Wine takes it as the system DPI and
# the DPI of every window), on a display large enough for the windows at that scale.
gui_journey() {
  local shots="${1:-}" dpi="${2:-96}" program journey
  program="$(gui_program_dir)"
  journey="$(gui_journey_program)"
  if [[ ! -f "$program/Veltrane!.exe" || ! -f "$journey" ]]; then
    echo "gui: $program/Veltrane!.exe or $journey is missing; build the windows preset first" >&2
    return 77
  fi
  wine_prefix || return 1
  # A display of its own, so that the screenshots hold nothing but the program's windows.
  local ownDisplay=0 savedDisplay="${DISPLAY:-}" desktop=800x600
  unset DISPLAY
  if [[ $dpi != 96 ]]; then
    desktop=1600x1200
    export XVFB_SCREEN=1600x1200x24
  fi
  xvfb_start || { echo "gui: no virtual X display" >&2; return 1; }
  unset XVFB_SCREEN
  ownDisplay=1
  if [[ $dpi != 96 ]]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  fi

  local stage="$WINEPREFIX/drive_c/veltrane-gui-test"
  rm -rf "$stage"
  mkdir -p "$stage/shots"
  cp -r "$program/." "$stage/"
  cp "$journey" "$stage/veltrane-gui-journey.exe"
  rm -f "$stage/report.txt" "$stage/report.txt.progress"
  # A Wine desktop window gives the program's windows their title bars without a window manager.
  timeout 300 wine explorer /desktop=Veltrane,$desktop 'C:\veltrane-gui-test\veltrane-gui-journey.exe' \
    --report 'C:\veltrane-gui-test\report.txt' --screenshots 'C:\veltrane-gui-test\shots' >"$stage/wine.log" 2>&1
  local status=$?
  [[ $dpi != 96 ]] && wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
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

# What users get carries no mode that rewrites its folder: Veltrane!.exe knows none of the journey's
# arguments, and neither the program folder nor the zip holds the journey program. 77 without a build.
gui_shipped() {
  local program zip failed=0 word
  program="$(gui_program_dir)"
  if [[ ! -f "$program/Veltrane!.exe" ]]; then
    echo "gui: $program/Veltrane!.exe is missing; build the windows preset first" >&2
    return 77
  fi
  for word in --self-test --report --idle --screenshots; do
    if grep -qaF -- "$word" "$program/Veltrane!.exe"; then
      echo "gui: Veltrane!.exe still knows the argument $word" >&2
      failed=1
    fi
  done
  if find "$program" -iname '*journey*' | grep -q .; then
    echo "gui: the program folder holds the journey program" >&2
    failed=1
  fi
  for zip in "$program"/../package/*.zip; do
    [[ -f "$zip" ]] || continue
    if unzip -Z1 "$zip" | grep -qi journey; then
      echo "gui: $zip holds the journey program" >&2
      failed=1
    fi
  done
  [[ $failed == 0 ]] && echo "gui: the shipped program has no test mode"
  return $failed
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  case "${1:-}" in
    open | "") gui_open ;;
    journey)
      gui_journey "${2:-}" "${3:-96}"
      exit $?
      ;;
    dpi)
      failed=0
      for dpi in 144 192; do
        echo "== the journey at $dpi DPI"
        gui_journey "${2:+$2/$dpi}" "$dpi"
        status=$?
        [[ $status == 77 ]] && exit 77
        [[ $status != 0 ]] && failed=1
      done
      exit $failed
      ;;
    shipped)
      gui_shipped
      exit $?
      ;;
    *)
      echo "usage: gui.sh open | journey [screenshot folder [dpi]] | dpi [screenshot folder] | shipped" >&2
      exit 2
      ;;
  esac
fi
