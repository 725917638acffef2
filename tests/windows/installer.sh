#!/bin/sh
# Installs Зорнет silently in a fresh Wine prefix, as a school's administrator would on a room of
# computers, and checks what the installer left: the program and its licences under Program
# Files, the Start-menu entry, and the record in "Programs and Features". Starts the installed
# program and waits for its window; then uninstalls silently and checks that all of it is gone.
# Needs 64-bit Wine, xdotool, xprop, and DISPLAY on an X server with a window manager.
# The folder must hold exactly the files the guide (its Windows section, GUIDE) says it does.
# Usage: installer.sh SETUP.exe GUIDE.html
set -eu
# Titles and Cyrillic paths are UTF-8, whatever the caller's locale.
export LC_ALL=C.UTF-8
. "$(dirname "$0")/prefix.sh"
fresh_prefix
setup=$1
listed=$(python3 "$(dirname "$0")/../guide/installed.py" "$2" | sort)

wine "$setup" /S
wineserver -w
folder="$WINEPREFIX/drive_c/Program Files/Зорнет"
[ "$(ls "$folder" | sort)" = "$listed" ] ||
    fail "the installer left in Program Files\\Зорнет $(ls "$folder" | tr '\n' ' '), where the guide lists $(echo $listed)"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Зорнет"
[ -f "$menu/Зорнет.lnk" ] || fail "the installer made no Start-menu entry Зорнет"

for value in '"DisplayName"="Зорнет"' '"DisplayVersion"="1.00"' '"Publisher"="Разработчики Зорнета"' \
             '"UninstallString"="\"C:\\Program Files\\Зорнет\\Uninstall.exe\""' \
             '"DisplayIcon"="C:\\Program Files\\Зорнет\\Зорнет.exe"'; do
    uninstall_record Зорнет | grep -qxF "$value" || fail "the uninstall record lacks $value: $(uninstall_record Зорнет)"
done

wine "C:\\Program Files\\Зорнет\\Зорнет.exe" &
main_window
close_window "$window"

wine "C:\\Program Files\\Зорнет\\Uninstall.exe" /S
wineserver -w
[ ! -e "$folder" ] || fail "the uninstaller left $(ls "$folder")"
[ ! -e "$menu" ] || fail "the uninstaller left the Start-menu entry"
[ -z "$(uninstall_record Зорнет)" ] || fail "the uninstaller left the record in Programs and Features"
echo "the installer installs, the program starts, and the uninstaller removes it all"
