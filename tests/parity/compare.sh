#!/bin/sh
# Runs the parity program built natively and built for the web on the same inputs, and fails on
# the first line where they differ. Usage: compare.sh NATIVE "WEB COMMAND" NUMBERTEXT_CORPUS CHECK_CORPUS
set -eu
native=$1
web=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$native" "$scratch/native" "$3" "$4"
# shellcheck disable=SC2086 # node and its script
$web "$scratch/web" "$3" "$4"
lines=$(wc -l <"$scratch/native")
[ "$lines" -ge 220000 ] || { echo "the native run wrote only $lines lines"; exit 1; }
if ! cmp -s "$scratch/native" "$scratch/web"; then
    echo "the web build differs from the native one (native <, web >):"
    diff "$scratch/native" "$scratch/web" | head -n 20
    exit 1
fi
echo "$lines results, the same in both builds"
