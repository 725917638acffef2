#!/bin/sh
# What a school can expect of the executables it is given, read from their PE headers as shipped.
# Зорнет.exe must carry Windows' exploit mitigations, and in a form that takes effect: DEP
# (NX_COMPAT) and ASLR with 64-bit entropy (DYNAMIC_BASE, HIGH_ENTROPY_VA), which needs relocations
# to move the image by. The installer and its uninstaller must be 64-bit programs with DEP; NSIS
# builds their stub without relocations, so Windows loads them where they ask whatever they claim,
# which is reported here, not failed.
# Usage: hardening.sh OBJDUMP PORTABLE.zip SETUP.exe
set -eu
# The zip's Cyrillic file names unpack only in a UTF-8 locale.
export LC_ALL=C.UTF-8
objdump=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cmake -E tar xf "$(cd "$(dirname "$2")" && pwd)/$(basename "$2")")
program=$(find "$scratch" -name '*.exe')
setup=$3

# The flags objdump lists under a header field, one a line.
flags() { "$objdump" -p "$1" | awk -v field="$2" '$1 == field { inside = 1; next } inside && NF == 1 { print $1; next } { inside = 0 }'; }
relocatable() { ! "$objdump" -p "$1" | grep -q 'relocations stripped' && "$objdump" -h "$1" | grep -q ' \.reloc '; }

status=0
for flag in NX_COMPAT DYNAMIC_BASE HIGH_ENTROPY_VA; do
    flags "$program" DllCharacteristics | grep -qx "$flag" || { echo "Зорнет.exe lacks $flag"; status=1; }
done
relocatable "$program" || { echo "Зорнет.exe has no relocations, so ASLR cannot move it"; status=1; }

"$objdump" -f "$setup" | grep -q 'file format pei-x86-64' || { echo "the installer is not a 64-bit program"; status=1; }
flags "$setup" DllCharacteristics | grep -qx NX_COMPAT || { echo "the installer lacks NX_COMPAT"; status=1; }
relocatable "$setup" && aslr=yes || aslr="no: its stub has no relocations"
echo "installer: $(flags "$setup" DllCharacteristics | tr '\n' ' ')ASLR in effect: $aslr"
[ $status -eq 0 ] && echo "Зорнет.exe: $(flags "$program" DllCharacteristics | tr '\n' ' ')ASLR in effect: yes"
exit $status
