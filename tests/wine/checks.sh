#!/usr/bin/env bash
# The scenario scripts' checks: check "what" command... runs the command, counts it as passed, or says
# "FAILED: what" and marks the scenario failed. A scenario ends with: echo "$passed checks passed"; exit $failed
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
