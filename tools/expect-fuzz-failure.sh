#!/usr/bin/env bash
# expect-fuzz-failure.sh FUZZER
# Runs FUZZER as the fuzz tests do, on an empty corpus; passes only when the run
# fails on a sanitizer's report.
set -uo pipefail
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
output=$("$(dirname "$0")/run-fuzzer.sh" "$1" "$corpus" -runs=100 2>&1)
status=$?
printf '%s\n' "$output"
if [ "$status" -eq 0 ]; then
  echo "FAIL: the run ended well despite the sanitizer's report"
  exit 1
fi
if ! grep -q "runtime error:" <<<"$output"; then
  echo "FAIL: the run failed, but not on a sanitizer's report"
  exit 1
fi
