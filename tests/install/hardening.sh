#!/bin/sh
# The program carries the hardening every Debian package gets, read from the binary itself: it is
# position-independent (so ASLR moves it), its relocations are read-only once resolved (RELRO,
# with every symbol bound at start), its stack is guarded, and its calls to the C library's string
# and memory functions are checked (_FORTIFY_SOURCE). Usage: hardening.sh PROGRAM
set -eu
dynamic=$(readelf -d "$1")
symbols=$(readelf --dyn-syms -W "$1")
status=0
check() { # check WHAT TEXT PATTERN
    printf '%s\n' "$2" | grep -q -- "$3" || { echo "the program lacks $1"; status=1; }
}
check "position independence (PIE)" "$dynamic" 'Flags:.* PIE'
check "a RELRO segment" "$(readelf -lW "$1")" GNU_RELRO
check "immediate binding (BIND_NOW), so its RELRO is only partial" "$dynamic" BIND_NOW
check "the stack protector" "$symbols" ' __stack_chk_fail@'
check "fortified calls (_FORTIFY_SOURCE)" "$symbols" ' __[a-z0-9_]*_chk@'
[ $status -eq 0 ] && echo "PIE, full RELRO, stack protector and fortified calls"
exit $status
