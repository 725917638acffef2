; Inserted near the top of CPack's installer script. A 64-bit installer with wide strings: it needs
; no 32-bit support on Windows nor on the machine that tests it, writes its uninstall record to the
; registry's native view, and keeps Cyrillic names intact.
Target amd64-unicode
; The installer keeps no file times: those of the files cpack writes for it would be the build's,
; and the same source must give the same installer.
SetDateSave off
; The footer names the program rather than the installer's maker.
BrandingText "$(^Name) ${VERSION}"

; The installer speaks Russian on every Windows, whatever its display language: of all the
; languages the script lists, only Russian is taken in.
!macroundef MUI_LANGUAGE
!macro MUI_LANGUAGE NLFID
  !if "${NLFID}" == "Russian"
    !insertmacro MUI_INSERT
    LoadLanguageFile "${NSISDIR}\Contrib\Language files\Russian.nlf"
    !insertmacro LANGFILE_INCLUDE "${NSISDIR}\Contrib\Language files\Russian.nsh"
  !endif
!macroend
