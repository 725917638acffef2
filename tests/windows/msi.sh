#!/bin/sh
# The MSI package as Group Policy deploys it, in a fresh Wine prefix: its tables and summary carry
# the Russian names; `msiexec /qn` installs it with no window at all, for all users, with a record
# in "Programs and Features"; the installed program starts; installing it twice does no harm; a
# later version replaces it in place, and it then refuses to go over that later version with a
# Russian message; `msiexec /x … /qn` leaves nothing behind.
# Needs 64-bit Wine, msitools, xdotool, xprop, and DISPLAY on an X server with a window manager.
# The folder must hold exactly the files the guide (its Windows section, GUIDE) says it does.
# Usage: msi.sh PACKAGE.msi BUILD_DIR GUIDE.html   (BUILD_DIR: the Windows build that made the package)
set -eu
# Titles and Cyrillic paths are UTF-8, whatever the caller's locale.
export LC_ALL=C.UTF-8
. "$(dirname "$0")/prefix.sh"
msi=$1
build=$2
# All but the installer's own uninstaller, which an MSI package has no need of.
listed=$(python3 "$(dirname "$0")/../guide/installed.py" "$3" | grep -vxF Uninstall.exe | sort)
make_msi=$(cd "$(dirname "$0")/../../cmake/windows" && pwd)/msi.cmake

# In the package itself, before any installing: the Russian strings, and a summary in code page 1251.
table() { msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4; }
for row in "Directory:INSTALLDIR	ProgramFiles64Folder	ZORNET|Зорнет" "Property:ProductName	Зорнет" \
           "Property:Manufacturer	Разработчики Зорнета" "Property:ALLUSERS	1" "Property:ARPNOMODIFY	1" \
           "File:|Зорнет.exe	" "Shortcut:	ProgramMenuFolder	ZORNET|Зорнет	" "LaunchCondition:более новая версия"; do
    table "${row%%:*}" | grep -qF "${row#*:}" || fail "the ${row%%:*} table lacks ${row#*:}: $(table "${row%%:*}")"
done
summary=$(msiinfo suminfo "$msi" | iconv -f CP1251 -t UTF-8)
for line in "Title: База данных установки" "Author: Разработчики Зорнета" "Template: x64;1049"; do
    printf '%s\n' "$summary" | grep -qxF "$line" || fail "the summary lacks \"$line\": $summary"
done
product=$(table Property | sed -n 's/^ProductCode\t//p')

fresh_prefix
# msiexec takes a leading / for an option, so the packages go where Windows paths reach them.
cp "$msi" "$WINEPREFIX/drive_c/zornet.msi"
msiexec() {
    status=0
    wine msiexec "$@" /qn /l*v "C:\\msiexec.log" || status=$?
    wineserver -w
    return $status
}
installed_ok() {
    msiexec "$@" || fail "msiexec $* failed with status $status:
$(grep -a -i -E 'error|failed|return value 3' "$WINEPREFIX/drive_c/msiexec.log" | head -n 20)"
}
# The keys in "Programs and Features" that carry Зорнет's name.
records() {
    machine_registry | awk '/^\[/ { key = $1 } /^"DisplayName"="Зорнет"$/ && key ~ /\\CurrentVersion\\\\Uninstall\\\\/ { print key }'
}

installed_ok /i "C:\\zornet.msi"
folder="$WINEPREFIX/drive_c/Program Files/Зорнет"
[ "$(ls "$folder" 2>/dev/null | sort)" = "$listed" ] ||
    fail "the MSI package left in Program Files\\Зорнет $(ls "$folder" | tr '\n' ' '), where the guide lists $(echo $listed)"
# Windows puts it in every user's Start menu, as the package installs per machine; Wine's msiexec
# has no shared Start menu yet and puts it in the installing user's.
shortcut=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Зорнет.lnk')
[ -n "$shortcut" ] || fail "the MSI package made no Start-menu shortcut Зорнет"
for value in '"DisplayName"="Зорнет"' '"DisplayVersion"="1.00"' '"Publisher"="Разработчики Зорнета"' \
             '"NoModify"=dword:00000001' "\"UninstallString\"=str(2):\"MsiExec.exe /X$product\""; do
    uninstall_record "$product" | grep -qxF "$value" ||
        fail "the record in Programs and Features lacks $value: $(uninstall_record "$product")"
done
machine_registry | grep -qF "\"ProductIcon\"=\"C:\\\\windows\\\\Installer\\\\$product\\\\program.ico\"" ||
    fail "the product has no icon in Programs and Features"

wine "C:\\Program Files\\Зорнет\\Зорнет.exe" &
main_window
close_window "$window"

installed_ok /i "C:\\zornet.msi"
[ "$(records | wc -l)" -eq 1 ] || fail "installing twice left these records: $(records)"

# A later version, made from the same files by the same script.
cmake --install "$build" --prefix "$scratch/staged" >"$scratch/install.log" || fail "$(cat "$scratch/install.log")"
cmake -DZORNET_CPACK_CONFIG="$build/CPackConfig.cmake" -DCPACK_TEMPORARY_DIRECTORY="$scratch/staged" \
      -DZORNET_MSI_VERSION=9.99 -DZORNET_MSI_OUTPUT="$WINEPREFIX/drive_c/zornet-9.99.msi" -P "$make_msi"
installed_ok /i "C:\\zornet-9.99.msi"
[ "$(records | wc -l)" -eq 1 ] || fail "the upgrade left these records: $(records)"
[ -z "$(uninstall_record "$product")" ] || fail "the upgrade left version 1.00 registered"
[ -f "$folder/Зорнет.exe" ] || fail "the upgrade left no Зорнет.exe"

# Going back is refused, with the reason in Russian. Installing silently, only the status would
# say so; with the basic interface the reason shows in a message box, whose text Wine's trace gives.
WINEDEBUG=-all,trace+msgbox "$WINELOADER" msiexec /i "C:\\zornet.msi" /qb >"$scratch/back.log" 2>&1 &
back=$!
box=$(timeout 60 xdotool search --sync --name '^Install Failed$' | head -n 1)
[ -n "$box" ] || fail "going back to 1.00 over 9.99 showed no message"
xdotool windowactivate --sync "$box" key Return
if wait $back; then fail "version 1.00 installed over 9.99"; fi
wineserver -w
reason=$(perl -CO -ne 'print $1 =~ s/\\([0-9a-f]{4})/chr(hex $1)/ger if /MSGBOX_OnInit L"([^"]*)"/' "$scratch/back.log")
case $reason in
*"Уже установлена более новая версия программы «Зорнет»"*) ;;
*) fail "going back to 1.00 over 9.99, the message said: $reason" ;;
esac
[ "$(records | wc -l)" -eq 1 ] || fail "refusing to go back changed the records: $(records)"

installed_ok /x "C:\\zornet-9.99.msi"
[ ! -e "$folder" ] || fail "uninstalling left $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "uninstalling left the Start-menu shortcut"
left=$(machine_registry | grep -F -e Зорнет -e "$product" || true)
[ -z "$left" ] && [ -z "$(records)" ] || fail "uninstalling left this in the registry: $left"
echo "the MSI package installs silently, upgrades in place, refuses to go back, and uninstalls cleanly"
