; The Windows installer, made by tools/windows/build.sh:
;   makensis -DVERSION=1.0.0 -DSOURCE=<portable folder> -DOUTFILE=<setup.exe> -DICON=<kemu1.ico>
;            installer.nsi
; Installs the portable folder under Program Files for every user, with a Start-menu entry and
; an uninstaller. Program Files is not writable, so each learner's bank is their own copy in
; their data folder (%APPDATA%\kemu1); uninstalling leaves those copies alone.
; A 64-bit installer for a 64-bit program (and one wine64 alone can run in tests).
Target amd64-unicode
SetCompressor /SOLID lzma
!include MUI2.nsh

!define APPNAME "驾驶人科目一理论考试模拟训练"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kemu1"

Name "${APPNAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\kemu1"
InstallDirRegKey HKLM "Software\kemu1" "InstallDir"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${APPNAME} 安装程序"
VIAddVersionKey /LANG=2052 "LegalCopyright" "kemu1 authors"

; The program's own icon on the installer and the uninstaller.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Install"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\kemu1.exe"
    WriteRegStr HKLM "Software\kemu1" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTKEY}" "DisplayName" "${APPNAME}"
    WriteRegStr HKLM "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTKEY}" "Publisher" "kemu1 authors"
    WriteRegStr HKLM "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\kemu1.exe"
    WriteRegStr HKLM "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKLM "${UNINSTKEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${APPNAME}.lnk"
    ; Only what the installer put there (the list is written by the build), never the folder
    ; wholesale: the learners' banks live in their own data folders.
    !include "${SOURCE}.files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTKEY}"
    DeleteRegKey HKLM "Software\kemu1"
SectionEnd
