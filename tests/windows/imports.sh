#!/bin/sh
# The executable must run from a bare folder: every DLL it imports must come with Windows itself,
# none from the compiler or Qt. Usage: imports.sh OBJDUMP PROGRAM.exe
set -eu
# Windows' own DLLs that a static Qt Widgets program may import. shcore and the api-ms-win-* API
# sets come with Windows 8.1 and later; Qt 6 needs Windows 10 anyway.
windows="advapi32 authz comdlg32 d3d11 d3d9 dwmapi dwrite dxgi gdi32 imm32 kernel32 mpr msvcrt netapi32
         ole32 oleaut32 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm ws2_32 wtsapi32
         api-ms-win-core-synch-l1-2-0 api-ms-win-core-winrt-l1-1-0 api-ms-win-core-winrt-string-l1-1-0"
windows=" $(echo $windows) "
status=0
for dll in $("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case $windows in
    *" ${dll%.dll} "*) ;;
    *) echo "imports $dll, which Windows does not bring"; status=1 ;;
    esac
done
[ $status -eq 0 ] && echo "imports only Windows' own DLLs"
exit $status
