#!/usr/bin/env bash
# expect-fuzz-failure.sh FUZZER: passes only when a run of FUZZER, as the fuzz
# tests run it, fails on a sanitizer's report.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
output=$("$(dirname "$0")/run-fuzzer.sh" "$1" "$corpus" -runs=100 2>&1) && { echo "$output"; exit 1; }
echo "$output"
grep -q "runtime error:" <<<"$output"
