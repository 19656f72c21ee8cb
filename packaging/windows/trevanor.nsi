; The Setup program of Trevanor for Windows (64-bit). makensis is given:
;   VERSION  the program's version        SOURCE  the folder of files to install
;   ICON     the program's icon (.ico)    OUTFILE the Setup program to write
;   LISTS    the folder of install-files.nsh and uninstall-files.nsh, the files of SOURCE
;            one by one (so the uninstaller removes exactly what was installed)
; Installs for the current user (no administrator needed) or for all users; on the
; command line /CurrentUser or /AllUsers chooses, /S installs silently. The uninstaller
; removes what was installed and leaves the player's settings
; (HKEY_CURRENT_USER\SOFTWARE\Pellam\Trevanor) and kept turns
; (%APPDATA%\Pellam\Trevanor\history) alone; its last page says so, with their size.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Trevanor"
!define PUBLISHER "Pellam"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Trevanor"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\trevanor.exe"

Var KeptText  ; the uninstaller's last page: what it kept

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been removed from your computer.$\r$\n$\r$\n$KeptText"
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Trevanor" Main
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; Left by earlier versions: the Markdown READMEs, Tahoma's bold face.
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\samples\README.md"
  Delete "$INSTDIR\fonts\tahomabd.ttf"
  !include "${LISTS}/install-files.nsh"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcut starts the program in the folder last set out to: its own.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\trevanor.exe" "" "$INSTDIR\trevanor.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\trevanor.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; What the uninstaller keeps, for its last page: the player's settings and kept turns,
; with the size and folder of those (the player's own, also when installed for all users).
Function un.KeptText
  SetShellVarContext current
  StrCpy $0 "$APPDATA\Pellam\${PRODUCT}\history"
  StrCpy $KeptText "Your settings stay (in the registry under HKEY_CURRENT_USER\SOFTWARE\Pellam\${PRODUCT})."
  IfFileExists "$0\*.*" 0 done
  ${un.GetSize} "$0" "/S=0K" $1 $2 $3
  StrCpy $4 "$1 KB"
  IntCmp $1 1024 0 sized 0
  IntOp $4 $1 / 1024
  IntOp $5 $1 % 1024
  IntOp $5 $5 * 10
  IntOp $5 $5 / 1024
  StrCpy $4 "$4.$5 MB"
  sized:
  StrCpy $KeptText "$KeptText$\r$\n$\r$\nSo do the turns Trevanor kept: $4 in $0."
  done:
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetShellVarContext all
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.KeptText
  !include "${LISTS}/uninstall-files.nsh"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
