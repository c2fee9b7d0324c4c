#!/usr/bin/env bash
# Fetches the SQLite amalgamation that the cookie-store service is built with: the sqlite3.c and sqlite3.h
# inside npm's better-sqlite3 package, pinned by version and by the SHA-256 of the package tarball.
# Source it and call sqlite_fetch, or run it. Prints the folder that holds sqlite3.c and sqlite3.h.
# The tarball is kept in VELTRANE_CACHE (default ~/.cache/veltrane); the sources go to build/deps.

sqlite_package_version=12.9.0  # carries SQLite 3.53.0
sqlite_package_sha256=ad0e29650140c49d0335b1d356596aa8166f12b758f418a98446130e3278f250

sqlite_fetch() {
  local repo cache tarball target
  repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  cache="${VELTRANE_CACHE:-$HOME/.cache/veltrane}/npm"
  tarball="$cache/better-sqlite3-$sqlite_package_version.tgz"
  target="$repo/build/deps/sqlite-$sqlite_package_version"
  if [[ -f "$target/sqlite3.c" && -f "$target/sqlite3.h" ]]; then
    echo "$target"
    return 0
  fi
  mkdir -p "$cache"
  if [[ ! -f "$tarball" ]] || ! echo "$sqlite_package_sha256  $tarball" | sha256sum -c --quiet 2>/dev/null; then
    rm -f "$tarball"
    (cd "$cache" && npm pack --silent "better-sqlite3@$sqlite_package_version" >/dev/null) || {
      echo "sqlite: npm pack better-sqlite3@$sqlite_package_version failed" >&2
      return 1
    }
  fi
  if ! echo "$sqlite_package_sha256  $tarball" | sha256sum -c --quiet; then
    echo "sqlite: $tarball does not have the pinned SHA-256; refusing to build with it" >&2
    rm -f "$tarball"
    return 1
  fi
  local staging
  staging="$(mktemp -d)"
  tar -xzf "$tarball" -C "$staging" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h || {
    rm -rf "$staging"
    return 1
  }
  mkdir -p "$(dirname "$target")"
  rm -rf "$target"
  mv "$staging/package/deps/sqlite3" "$target"
  rm -rf "$staging"
  echo "$target"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  sqlite_fetch
fi
