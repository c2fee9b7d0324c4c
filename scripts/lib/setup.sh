#!/usr/bin/env bash
# Installs the build and test dependencies that are missing (Debian/Ubuntu, as root); quiet when all are there.
# Source it and call veltrane_setup [fuzz], or run it; it updates the package index at most once per run.

veltrane_setup() {
  # Native build and tests, the format check, the Windows build and its tests under Wine and Xvfb, and
  # lnkinfo, which reads back the start-up shortcut the Windows test makes.
  local packages=(cmake ninja-build g++ libgtest-dev zlib1g-dev clang-format
                  g++-mingw-w64-x86-64-posix wine wine64 xvfb liblnk-utils)
  # The console scanner's report (JSON) and the definition update's SHA-256 on the native host.
  packages+=(nlohmann-json3-dev nettle-dev)
  # The fuzz targets need clang and its libFuzzer and sanitizer runtimes.
  [[ ${1:-} == fuzz ]] && packages+=(clang libclang-rt-14-dev)
  local missing=() package
  for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
  done
  # npm fetches the pinned SQLite sources (scripts/lib/sqlite.sh); Node's own packages may bring it.
  command -v npm >/dev/null 2>&1 || missing+=(npm)
  if [[ ${#missing[@]} -eq 0 ]]; then
    veltrane_fetch_sqlite
    return
  fi

  local sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  echo "setup: installing ${missing[*]}" >&2
  if [[ -z ${VELTRANE_APT_UPDATED:-} ]]; then
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null
    export VELTRANE_APT_UPDATED=1
  fi
  # With its recommended packages, as the programs were tested: Wine's X, font and 32-bit helpers.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  veltrane_fetch_sqlite
}

veltrane_fetch_sqlite() {
  # shellcheck source=sqlite.sh
  source "$(dirname "${BASH_SOURCE[0]}")/sqlite.sh"
  sqlite_fetch >/dev/null
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  veltrane_setup "$@"
fi
