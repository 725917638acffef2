#!/bin/sh
# The portable zip as a teacher uses it: unpacked into a folder that cannot be written, its
# Зорнет.exe starts from there and shows its window, and leaves the folder and Windows' registry
# as they were. Needs Wine, xdotool, xprop, and DISPLAY on an X server with a window manager.
# Usage: portable.sh ZIP
set -eu
# Titles and Cyrillic paths are UTF-8, whatever the caller's locale.
export LC_ALL=C.UTF-8
. "$(dirname "$0")/prefix.sh"
fresh_prefix
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

mkdir "$scratch/share"
(cd "$scratch/share" && cmake -E tar xf "$zip")
folder=$(ls -d "$scratch"/share/*/)
for file in Зорнет.exe LICENSE.txt Qt-LGPL-3.0.txt Qt-NOTICE.txt; do
    [ -f "$folder/$file" ] || fail "the zip lacks $file"
done
[ "$(ls "$folder" | wc -l)" -eq 4 ] || fail "the zip holds more than the program and its licences: $(ls "$folder")"
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
