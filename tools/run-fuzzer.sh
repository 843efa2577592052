#!/usr/bin/env bash
# run-fuzzer.sh FUZZER CORPUS [libFuzzer flags...]
# New inputs go to a scratch folder listed first, so the committed seeds stay as they are.
set -euo pipefail
fuzzer=$1; corpus=$2; shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$corpus"
cd "$scratch"
"$fuzzer" "$@" "$scratch" "$corpus"
