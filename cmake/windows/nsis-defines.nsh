; Inserted near the top of CPack's installer script. Wide strings, so that Cyrillic names survive.
Unicode true
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
