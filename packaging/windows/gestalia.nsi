; Gestalia's Windows installer, packed by makensis (cmake/windows/Installer.cmake),
; which defines:
;   VERSION, VERSION_QUAD   the project's version, as written and as four numbers
;   PROGRAM, TOOL, README   gestalia.exe, gestalia-tool.exe and LEEME.txt
;   ICON                    the program's icon, for the installer's own windows
;   SITE_URL                the project's web site
;   OUTFILE                 the installer to write
;
; For everyone (Program Files, HKLM) when run as an administrator, for the
; current user alone (%LOCALAPPDATA%\Programs, HKCU) otherwise or with
; /CurrentUser; /S installs with no questions. The uninstaller removes exactly
; what was installed: the agendas, wherever she keeps them, are never touched.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define APP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gestalia"
!define PROG_ID "Gestalia.Agenda"
!define SHORTCUT "$SMPROGRAMS\Gestalia.lnk"

Name "Gestalia"
Caption "Instalación de Gestalia ${VERSION}"
UninstallCaption "Desinstalación de Gestalia"
BrandingText "Gestalia ${VERSION}"
OutFile "${OUTFILE}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=3082 "ProductName" "Gestalia"
VIAddVersionKey /LANG=3082 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=3082 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=3082 "FileDescription" "Instalación de Gestalia, el diario del embarazo"
VIAddVersionKey /LANG=3082 "CompanyName" "Gestalia"
VIAddVersionKey /LANG=3082 "LegalCopyright" "Todos los derechos reservados"

; Everyone or only her: the standard MultiUser header, which also reads
; /AllUsers and /CurrentUser on the command line, and finds the mode and the
; folder of an earlier installation in the uninstall entry.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Gestalia"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "Para todos los usuarios de este equipo"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "Solo para mí (no hace falta ser administrador)"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Tu cuenta no puede instalar Gestalia para todos los usuarios de este equipo. Vuelve a intentarlo sin /AllUsers: se instalará solo para ti."
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\gestalia.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Abrir Gestalia"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

; The installed files, named once: File on the way in, Delete on the way out.
; Pages the program shows are linked into gestalia.exe; a folder of files, if
; one is ever shipped, goes in with File /r and out with RMDir /r on that
; folder alone.
!macro GESTALIA_FILES DO
  !insertmacro ${DO} "${PROGRAM}" "gestalia.exe"
  !insertmacro ${DO} "${TOOL}" "gestalia-tool.exe"
  !insertmacro ${DO} "${README}" "LEEME.txt"
!macroend
!macro INSTALL_FILE SOURCE NAME
  File "/oname=${NAME}" "${SOURCE}"
!macroend
!macro REMOVE_FILE SOURCE NAME
  Delete "$INSTDIR\${NAME}"
!macroend

; Tells Explorer that file types changed, so that agendas show their icon.
!macro NOTIFY_ASSOCIATIONS_CHANGED
  System::Call "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"
!macroend

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Gestalia"
  SetOutPath "$INSTDIR"
  !insertmacro GESTALIA_FILES INSTALL_FILE
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\gestalia.exe" "" "$INSTDIR\gestalia.exe" 0 \
      SW_SHOWNORMAL "" "El diario del embarazo"

  ; Agendas open in Gestalia with a double-click, with the program's icon.
  WriteRegStr SHCTX "Software\Classes\.gst" "" "${PROG_ID}"
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}" "" "Agenda de Gestalia"
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\gestalia.exe,0"
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}\shell\open\command" "" \
      '"$INSTDIR\gestalia.exe" "%1"'
  !insertmacro NOTIFY_ASSOCIATIONS_CHANGED

  ; The entry in "Aplicaciones instaladas". The uninstaller is told the mode
  ; it was installed in, so that it cleans the same hive.
  WriteRegStr SHCTX "${APP_KEY}" "DisplayName" "Gestalia"
  WriteRegStr SHCTX "${APP_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${APP_KEY}" "Publisher" "Gestalia"
  WriteRegStr SHCTX "${APP_KEY}" "DisplayIcon" "$INSTDIR\gestalia.exe,0"
  WriteRegStr SHCTX "${APP_KEY}" "URLInfoAbout" "${SITE_URL}"
  WriteRegStr SHCTX "${APP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${APP_KEY}" "UninstallString" \
      '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${APP_KEY}" "QuietUninstallString" \
      '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${APP_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${APP_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD SHCTX "${APP_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  !insertmacro GESTALIA_FILES REMOVE_FILE
  Delete "$INSTDIR\uninstall.exe"
  ; Not /r: an agenda she saved in this folder keeps the folder, and itself.
  RMDir "$INSTDIR"

  Delete "${SHORTCUT}"

  ; .gst is let go only while it still names Gestalia's type.
  ReadRegStr $0 SHCTX "Software\Classes\.gst" ""
  ${If} $0 == "${PROG_ID}"
    DeleteRegValue SHCTX "Software\Classes\.gst" ""
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "Software\Classes\.gst"
  DeleteRegKey SHCTX "Software\Classes\${PROG_ID}"
  !insertmacro NOTIFY_ASSOCIATIONS_CHANGED

  DeleteRegKey SHCTX "${APP_KEY}"
SectionEnd
