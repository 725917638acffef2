#!/bin/sh
# The portable zip as a teacher uses it: unpacked into a folder that cannot be written, its
# Зорнет.exe starts from there and shows its window, and leaves the folder and Windows' registry
# as they were. Needs Wine, xdotool, xprop, and DISPLAY on an X server with a window manager.
# The zip must hold exactly the files the guide (its Windows section, GUIDE) says it does.
# Usage: portable.sh ZIP GUIDE.html
set -eu
# Titles and Cyrillic paths are UTF-8, whatever the caller's locale.
export LC_ALL=C.UTF-8
. "$(dirname "$0")/prefix.sh"
fresh_prefix
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

mkdir "$scratch/share"
(cd "$scratch/share" && cmake -E tar xf "$zip")
folder=$(ls -d "$scratch"/share/*/)
# All but the installer's own uninstaller: nothing to uninstall here.
listed=$(python3 "$(dirname "$0")/../guide/installed.py" "$2" | grep -vxF Uninstall.exe | sort)
[ "$(ls "$folder" | sort)" = "$listed" ] ||
    fail "the zip holds $(ls "$folder" | tr '\n' ' '), where the guide lists $(echo $listed)"
chmod -R a-w "$folder"

# The registry as text, without the times Wine stamps on every key it saves, and without the
# device and driver state that Wine itself refreshes whenever a program opens a window.
registry() {
    cat "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" |
        awk '/^\[/ { sub(/\] [0-9]+$/, "]"); own = /^\[(System|Hardware|Software\\\\Wine)\\\\/ }
             !own && !/^#time=/'
}
# Wine settles its own keys (the regional settings among them) on its first start.
wine cmd /c exit
wineserver -w
registry >"$scratch/before"
ls -lR "$folder" >"$scratch/folder-before"
touch "$scratch/started"

wine "$folder/Зорнет.exe" &
main_window
close_window "$window"
wineserver -w

# What the registry gained or had changed; Wine may still prune an empty key of its own.
registry | diff "$scratch/before" - | grep '^>' >"$scratch/written" &&
    fail "the program wrote to the registry:
$(cat "$scratch/written")"
ls -lR "$folder" | diff "$scratch/folder-before" - || fail "the program wrote into its folder"
written=$(find "$WINEPREFIX" "$folder" -type f -newer "$scratch/started" ! -name '*.reg')
[ -z "$written" ] || fail "the program wrote files: $written"
echo "the portable program runs from a read-only folder and writes nothing"
