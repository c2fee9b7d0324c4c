#!/usr/bin/env bash
# Checks (default) or applies (fix) clang-format on every C++ file git tracks.
# Usage: scripts/lib/format.sh [check|fix]
set -euo pipefail
cd "$(dirname "$0")/../.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
case "${1:-check}" in
  check)
    if ! clang-format --dry-run --Werror "${files[@]}"; then
      echo "format: the files above are not clang-formatted; run scripts/lib/format.sh fix" >&2
      exit 1
    fi
    ;;
  fix) clang-format -i "${files[@]}" ;;
  *) echo "usage: scripts/lib/format.sh [check|fix]" >&2; exit 2 ;;
esac
