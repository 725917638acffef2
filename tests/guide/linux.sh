#!/bin/sh
# The whole Russian guide, as the Debian package carries it, against what that package installs:
# the build is installed under /usr into a scratch folder, and check.py holds the guide to it.
# Usage: linux.sh BUILD_DIR VERSION
set -eu
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
DESTDIR=$scratch cmake --install "$1" --prefix /usr >"$scratch/install.log" || { cat "$scratch/install.log"; exit 1; }
python3 "$(dirname "$0")/check.py" --guide "$scratch/usr/share/doc/zornet/admin.html" --version "$2" --root "$scratch"
python3 "$(dirname "$0")/check.py" --guide "$scratch/usr/share/doc/zornet/teacher.html" --version "$2" --root "$scratch"
