# Sourced by wine.sh and the Windows checks: a scratch folder removed on exit, a fresh Wine prefix
# in it, and helpers to fail with a message and to wait for the program's window.
export WINEDEBUG=-all
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zornet-wine.XXXXXX")
export WINEPREFIX="$scratch/prefix"
# A check may have made part of it read-only.
trap 'wineserver -k 2>/dev/null || true; chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT

# A copy of $ZORNET_WINE_TEMPLATE when tools/windows made one for the run, otherwise a new prefix,
# made in the locale Wine will run in.
fresh_prefix() {
    if [ -n "${ZORNET_WINE_TEMPLATE:-}" ]; then
        cp -a "$ZORNET_WINE_TEMPLATE" "$WINEPREFIX"
    else
        wineboot -i >/dev/null 2>&1
    fi
}

fail() {
    echo "$*"
    exit 1
}

# Sets $window to the program's main window once it shows, titled Зорнет and carrying its 32×32
# icon; fails after a minute.
main_window() {
    [ -n "${DISPLAY:-}" ] || fail "needs DISPLAY: an X server with a window manager, such as tools/windows starts"
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Зорнет$' | head -n 1)
    [ -n "$window" ] || fail "no window titled Зорнет showed"
    xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window has no icon"
}

# Closes the window as a pupil would, with Alt+F4, and waits for the program to end.
close_window() {
    xdotool windowactivate --sync "$1" key alt+F4
    timeout 30 wineserver -w || fail "the program did not end when its window was closed"
}
