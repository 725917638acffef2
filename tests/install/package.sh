#!/bin/sh
# Builds the Debian package, checks its dependencies and files, and starts the installed program
# on a real X server until its window shows. For a hardened build lintian must have nothing to
# say, not even for information. Usage: package.sh BUILD_DIR APP_ID hardened|plain
set -eu
# The window title is matched as UTF-8, whatever the caller's locale.
export LC_ALL=C.UTF-8
build=$1
app_id=$2
hardened=$3

for tool in cpack dpkg-deb lintian xvfb-run xdotool xprop desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (sh tools/setup --tests)"; exit 77; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-liberation2; do
    case "$depends" in
    *"$needed"*) ;;
    *) echo "Depends lacks $needed: $depends"; exit 1 ;;
    esac
done
[ "$(dpkg-deb -f "$deb" Section)" = education ] || { echo "not in the education section"; exit 1; }
# Debian's own checker, as the archive would run it: any error or warning fails, and for a
# hardened build any tag at all.
if [ "$hardened" = hardened ]; then strictness="--display-info --fail-on error,warning,info"; else strictness="--fail-on error,warning"; fi
# shellcheck disable=SC2086 # options, one word each
lintian $strictness "$deb" >"$scratch/lintian.log" 2>&1 ||
    { cat "$scratch/lintian.log"; echo "lintian rejects the package"; exit 1; }

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root/usr
for file in bin/zornet share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$app_id.svg share/man/man1/zornet.1.gz \
            share/doc/zornet/copyright share/doc/zornet/changelog.gz \
            share/doc/zornet/teacher.html share/doc/zornet/admin.html share/doc-base/zornet-guide; do
    [ -e "$root/$file" ] || { echo "the package lacks /usr/$file"; exit 1; }
done
for size in 16 32 48 64 128 256; do
    [ -e "$root/share/icons/hicolor/${size}x$size/apps/$app_id.png" ] || { echo "the package lacks the ${size}px icon"; exit 1; }
done
desktop-file-validate "$root/share/applications/$app_id.desktop"
sh "$(dirname "$0")/appstream.sh" "$root/share/metainfo/$app_id.metainfo.xml" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log"; echo "the packaged AppStream record does not validate"; exit 1; }

# The installed program on a real X server: its window must show, with its icon.
xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" sh -c '
    QT_QPA_PLATFORM=xcb "$1" 2>/dev/null &
    program=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Зорнет\$" | head -n 1)
    status=0
    if [ -z "$window" ]; then
        echo "the installed program showed no window"; status=1
    elif ! xprop -id "$window" _NET_WM_ICON | grep -q "Icon (32 x 32)"; then
        echo "the window has no icon"; status=1
    fi
    kill "$program"
    exit $status' sh "$root/bin/zornet"
echo "package $(basename "$deb") installs and starts"
