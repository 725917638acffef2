#!/bin/sh
# The web zip as a school's administrator unpacks it: the folder to serve, and beside it (not in
# it, where the server would serve it) the guide's part for the page, held to that folder.
# Usage: web.sh BUILD_DIR VERSION
set -eu
export LC_ALL=C.UTF-8
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config "$1/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; exit 1; }
mkdir "$scratch/zip"
(cd "$scratch/zip" && cmake -E tar xf "$scratch/out/zornet-$2-web.zip")
top=$(cd "$scratch/zip" && ls | sort | tr '\n' ' ')
[ "$top" = "zornet-$2-web Администратору.html Учителю.html " ] ||
    { echo "the web zip holds at its top $top, not the folder and the two guides"; exit 1; }
[ -f "$scratch/zip/zornet-$2-web/index.html" ] || { echo "the web zip's folder has no index.html"; exit 1; }
for guide in Учителю.html Администратору.html; do
    python3 "$(dirname "$0")/check.py" --guide "$scratch/zip/$guide" --version "$2" --site "$scratch/zip/zornet-$2-web"
done
