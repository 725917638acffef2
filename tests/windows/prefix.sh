# Sourced by wine.sh and the Windows checks: a scratch folder removed on exit, a fresh Wine prefix
# in it, and helpers to fail with a message and to wait for the program's window.
export WINEDEBUG=-all
# Wine's 64-bit loader, named outright: Debian's `wine`, `wineboot` and `msiexec` wrappers may
# choose a loader that this machine's kernel cannot execute.
export WINELOADER=/usr/lib/wine/wine64
wine() { "$WINELOADER" "$@"; }
# Named outright too: /usr/bin/wineserver comes with the `wine` package, which a builder need not have.
wineserver=/usr/lib/wine/wineserver
wineserver() { "$wineserver" "$@"; }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zornet-wine.XXXXXX")
export WINEPREFIX="$scratch/prefix"
# With no DISPLAY, Wine 10 tries its Wayland driver first, and that complains on the program's
# output when XDG_RUNTIME_DIR is unset, as it is outside a desktop session (a bare root, ssh).
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    mkdir -m 700 "$scratch/runtime"
    export XDG_RUNTIME_DIR="$scratch/runtime"
fi
# A check may have made part of it read-only.
trap 'wineserver -k 2>/dev/null || true; chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT

# A copy of $ZORNET_WINE_TEMPLATE when tools/windows made one for the run, otherwise a new prefix,
# made in the locale Wine will run in.
fresh_prefix() {
    if [ -n "${ZORNET_WINE_TEMPLATE:-}" ]; then
        cp -a "$ZORNET_WINE_TEMPLATE" "$WINEPREFIX"
    elif ! wine wineboot -i >"$scratch/wineboot.log" 2>&1 || ! wineserver -w; then
        fail "Wine could not make a prefix in $WINEPREFIX:
$(cat "$scratch/wineboot.log")"
    fi
}

fail() {
    printf '%s\n' "$*"
    exit 1
}

# The machine's half of the prefix's registry as text, as Wine keeps it in system.reg, with the
# characters it escapes (Зорнет is \x417\x43e\x440\x43d\x435\x442) written out in UTF-8.
machine_registry() {
    perl -CO -pe 's/\\(\\|x([0-9a-fA-F]{1,4}))/defined $2 ? chr(hex $2) : "\\\\"/ge' "$WINEPREFIX/system.reg"
}

# The values of the record KEY in "Programs and Features", in the registry's native view (a 32-bit
# installer would write to Wow6432Node instead).
uninstall_record() {
    machine_registry | KEY="[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\$1]" \
        awk '/^\[/ { inside = index($0, ENVIRON["KEY"]) == 1; next } inside'
}

# Sets $window to the program's main window once it shows, titled Зорнет and carrying its 32×32
# icon; fails after a minute.
main_window() {
    [ -n "${DISPLAY:-}" ] || fail "needs DISPLAY: an X server with a window manager, such as tools/windows starts"
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Зорнет$' | head -n 1)
    [ -n "$window" ] || fail "no window titled Зорнет showed"
    xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window has no icon"
}

# Whether window $1 is still shown after $2 seconds.
still_shown() {
    for _ in $(seq "$(( $2 * 10 ))"); do
        xdotool search --onlyvisible --name '^Зорнет$' | grep -qx "$1" || return 1
        sleep 0.1
    done
}

# Closes the window as a pupil would, with Alt+F4, and waits for the program to end. The window
# manager closes the window that has the focus when the key comes, and the focus can still move
# while Wine settles a window it has just shown: a window that stays open is given the key once
# more, and only one that ignores both fails. A window that closes must take the program with it.
close_window() {
    xdotool windowactivate --sync "$1" key alt+F4
    if still_shown "$1" 10; then
        echo "the window was still open 10 s after Alt+F4; pressing it again"
        xdotool windowactivate --sync "$1" key alt+F4
        ! still_shown "$1" 20 || fail "the window stayed open after Alt+F4, pressed twice"
    fi
    timeout 30 "$wineserver" -w ||
        fail "the window closed, but the program did not end; Wine still ran: $(ps -eo args | grep -F '.exe' | grep -v grep)"
}
