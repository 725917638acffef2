#!/bin/sh
# Runs a Windows program under Wine for CTest, in a fresh Wine prefix of its own (prefix.sh). A
# locale named in LANG that the system lacks is made on the spot, since Wine takes Windows'
# regional settings from it. Usage: wine.sh PROGRAM.exe [ARGUMENT...]
set -eu
. "$(dirname "$0")/prefix.sh"

case ${LANG:-C} in
C | C.* | POSIX) ;;
*)
    if ! locale -a 2>/dev/null | grep -qix "${LANG%%.*}.utf8"; then
        # localedef may end with a warning status and still make the locale. Without it Wine
        # falls back to en-US, which a test of the regional settings then shows.
        localedef -i "${LANG%%.*}" -f UTF-8 "$scratch/$LANG" >"$scratch/localedef.log" 2>&1 || true
        if [ -d "$scratch/$LANG" ]; then
            export LOCPATH="$scratch"
        else
            echo "wine.sh: could not make the locale $LANG: $(cat "$scratch/localedef.log")" >&2
        fi
    fi ;;
esac
fresh_prefix

status=0
wine "$@" || status=$?
wineserver -w
exit $status
