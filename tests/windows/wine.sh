#!/bin/sh
# Runs a Windows program under Wine for CTest, in a fresh Wine prefix of its own that is removed
# afterwards: a copy of $ZORNET_WINE_TEMPLATE when tools/windows made one for the run, otherwise
# a new prefix. A locale named in LANG that the system lacks is made on the spot, since Wine takes
# Windows' regional settings from it. Usage: wine.sh PROGRAM.exe [ARGUMENT...]
set -eu
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zornet-wine.XXXXXX")
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT

case ${LANG:-C} in
C | C.* | POSIX) ;;
*)
    if ! locale -a 2>/dev/null | grep -qix "${LANG%%.*}.utf8"; then
        localedef -i "${LANG%%.*}" -f UTF-8 "$scratch/$LANG" >/dev/null 2>&1 || true
        if [ -d "$scratch/$LANG" ]; then export LOCPATH="$scratch"; fi
    fi ;;
esac

if [ -n "${ZORNET_WINE_TEMPLATE:-}" ]; then
    cp -a "$ZORNET_WINE_TEMPLATE" "$WINEPREFIX"
else
    wineboot -i >/dev/null 2>&1
fi
status=0
wine "$@" || status=$?
wineserver -w
exit $status
