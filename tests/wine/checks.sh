#!/usr/bin/env bash
# What the scenario scripts share (source it first): check "what" command... runs the command, counts it
# as passed, or says "FAILED: what" and marks the scenario failed; a scenario ends with
# echo "$passed checks passed"; exit $failed. The helpers below use $scratch, a folder of the scenario's own.
# Sourcing it also gives the scenario $here (its folder), $repo and the Wine helpers of scripts/lib/wine.sh.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
# shellcheck source=../../scripts/lib/wine.sh
source "$repo/scripts/lib/wine.sh"
failed=0
passed=0
check() {
  local what="$1"
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "FAILED: $what"
    failed=1
  fi
}

# need FILE...: skips the scenario (exit 77) when the build has not made one of the files.
need() {
  local file
  for file in "$@"; do
    if [[ ! -f "$file" ]]; then
      echo "$(basename "$0" .sh): $file is missing; build the native and windows presets first" >&2
      exit 77
    fi
  done
}

# run_in FOLDER PROGRAM ARGS...: runs the Windows PROGRAM from FOLDER; its output in $scratch/out and its
# messages in $scratch/err (without CR), its status in $rc; every run's are kept as out.N and err.N.
run_count=0
run_in() {
  local folder="$1" program="$2"
  shift 2
  (cd "$folder" && timeout 300 wine "$program" "$@") >"$scratch/out.raw" 2>"$scratch/err.raw"
  rc=$?
  tr -d '\r' <"$scratch/out.raw" >"$scratch/out"
  tr -d '\r' <"$scratch/err.raw" >"$scratch/err"
  run_count=$((run_count + 1))
  cp "$scratch/out" "$scratch/out.$run_count"
  cp "$scratch/err" "$scratch/err.$run_count"
}

# reg_value KEY NAME [VIEW]: prints a text value's data (from the 32- or 64-bit view), fails when it is absent.
reg_value() {
  wine reg query "$1" /v "$2" ${3:+/reg:$3} 2>/dev/null | tr -d '\r' |
    awk -v n="$2" '$1 == n { sub(/^[\t ]*[^\t ]+[\t ]+REG_SZ[\t ]*/, ""); print; f = 1 } END { exit !f }'
}
no_reg_value() { ! reg_value "$@" >/dev/null; }

# plain FILE "field","field" lines...: a definition source in $scratch with CRLF line ends.
plain() {
  local file="$1"
  shift
  printf '%s\r\n' "$@" >"$scratch/$file"
}

# encode_definitions FOLDER: the four definition sources in $scratch, encoded by $codec into FOLDER.
encode_definitions() {
  local pair
  for pair in spyList.txt=Spylist RegistrySpyList.txt=RegistrySpylist spyExtList.txt=spyExtList \
              SpywareCookies.txt=SpywareCookies; do
    "$codec" encode "$scratch/${pair%%=*}" "$1/${pair#*=}" >/dev/null || { echo "FAILED: encoding $pair"; exit 1; }
  done
}

# keep_outputs: after a failure, keeps the outputs in the prefix for a look afterwards.
keep_outputs() {
  local name kept
  name="$(basename "$0" .sh)"
  kept="$WINEPREFIX/$name-logs"
  if [[ ${failed:-0} -ne 0 && -d "$scratch" ]]; then
    rm -rf "$kept"
    cp -r "$scratch" "$kept"
    echo "$name: the outputs are kept in $kept"
  fi
}
