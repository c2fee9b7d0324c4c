#!/usr/bin/env bash
# Runs the Windows build of the shared behaviour tests under Wine, in a prefix of their own.
# Usage: run-wine-contract.sh path/to/veltrane-contract-test.exe
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=wine.sh
source "$here/wine.sh"
# Wine takes the Unix names of files in the locale's encoding; the tests name files in every script.
export LC_ALL=C.UTF-8

test_exe="${1:?usage: run-wine-contract.sh veltrane-contract-test.exe}"
if [[ ! -f "$test_exe" ]]; then
  echo "run-wine-contract: $test_exe is missing; build the windows preset first" >&2
  exit 77
fi
wine_prefix "$(wine_repo_root)/build/wine-contract-prefix" || exit 1
stage="$WINEPREFIX/drive_c/veltrane-contract-bin"
rm -rf "$stage" "$WINEPREFIX/drive_c/veltrane-contract"
mkdir -p "$stage"
cp "$test_exe" "$stage/"
cd "$stage" || exit 1
timeout 300 wine "C:\\veltrane-contract-bin\\$(basename "$test_exe")" --gtest_brief=1
status=$?
rm -rf "$stage" "$WINEPREFIX/drive_c/veltrane-contract"
exit $status
