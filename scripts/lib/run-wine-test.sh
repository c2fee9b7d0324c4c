#!/usr/bin/env bash
# Runs the Windows test program under Wine in the project's prefix: once as the NT family, once with the
# Windows version of a renamed copy set to Windows 98 (9x family), then reads back the shortcut it left.
# Usage: run-wine-test.sh path/to/veltrane-win32-test.exe
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=wine.sh
source "$here/wine.sh"
# Wine takes the Unix names of files in the locale's encoding; the tests name files in every script.
export LC_ALL=C.UTF-8

test_exe="${1:?usage: run-wine-test.sh veltrane-win32-test.exe}"
item_exe="$(dirname "$test_exe")/veltrane-test-item.exe"
if [[ ! -f "$test_exe" || ! -f "$item_exe" ]]; then
  echo "run-wine-test: $test_exe or $item_exe is missing; build the windows preset first" >&2
  exit 77
fi

wine_prefix || exit 1
xvfb_start || echo "run-wine-test: no X display; the dialog tests are skipped" >&2
trap xvfb_stop EXIT

stage="$WINEPREFIX/drive_c/veltrane-test"
rm -rf "$stage"
mkdir -p "$stage/bin"
cp "$test_exe" "$stage/bin/veltrane-win32-test.exe"
cp "$test_exe" "$stage/bin/veltrane-win32-test-9x.exe"
cp "$item_exe" "$stage/bin/veltrane-test-item.exe"
wine_set_app_version veltrane-win32-test-9x.exe win98 || exit 1

# A directory link made on the host, which Wine shows as a folder with the reparse-point attribute.
mkdir -p "$stage/links/found" "$stage/links/canary"
printf canary >"$stage/links/canary/keep.txt"
printf plain >"$stage/links/found/plain.txt"
ln -s ../canary "$stage/links/found/dirlink"

failed=0
echo "== NT family"
timeout 240 wine 'C:\veltrane-test\bin\veltrane-win32-test.exe' --platform 2 --work 'C:\veltrane-test\nt' \
  --link 'C:\veltrane-test\inspect.lnk' --links 'C:\veltrane-test\links' || failed=1
if [[ "$(cat "$stage/links/canary/keep.txt" 2>/dev/null)" != canary ]]; then
  echo "FAILED: the folder behind a link changed"
  failed=1
fi

echo "== shortcut read back with lnkinfo"
link="$stage/inspect.lnk"
if [[ -f "$link" ]]; then
  info="$(lnkinfo "$link" 2>&1)"
  checks=0
  expect() {
    if grep -qiE -- "^[[:space:]]*$1[[:space:]]*: $2\$" <<<"$info"; then
      checks=$((checks + 1))
    else
      echo "FAILED lnkinfo: no \"$1: $2\" in the shortcut"
      failed=1
    fi
  }
  expect 'Local path' 'C:\\veltrane-test\\bin\\veltrane-test-item\.exe'
  expect 'Description' 'Veltrane!'
  expect 'Working directory' 'C:\\veltrane-test\\bin'
  expect 'Icon location' 'veltrane-test-item\.exe'
  expect 'Icon index' '0'
  # The show command and the hot key are read from the header itself (offsets 0x3C and 0x40).
  header="$(od -An -tx1 -j60 -N6 "$link" | tr -d ' \n')"
  if [[ "$header" == "010000005003" ]]; then
    checks=$((checks + 1))
  else
    echo "FAILED shortcut header: show command and hot key are $header, not 01000000 5003"
    failed=1
  fi
  echo "$checks lnkinfo checks passed"
else
  echo "FAILED: the shortcut $link was not made"
  failed=1
fi

echo "== 9x family (Windows 98 reported to the program)"
timeout 240 wine 'C:\veltrane-test\bin\veltrane-win32-test-9x.exe' --platform 1 --work 'C:\veltrane-test\9x' || failed=1

rm -rf "$stage"
exit $failed
