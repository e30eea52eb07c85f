; The Windows installer: per user or per machine, a Start-menu entry 膨胀量计算, and an
; uninstaller that removes exactly what was installed. Built by scripts/windows/test.sh:
;   makensis -DSTAGE=<staged folder> -DOUTFILE=<setup.exe> -DICON=<velmarith.ico> installer.nsi
; The staged folder's file lists (files.nsh, unfiles.nsh) are written beside it by the script.
Unicode true
; A 64-bit installer for a 64-bit program (and for Wine without its 32-bit half).
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Velmarith"
!define SHORTCUT "膨胀量计算"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmarith"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

Name "${SHORTCUT} ${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licenses\Velmarith-MIT.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmarith.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${SHORTCUT} ${PRODUCT} ${VERSION} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "Copyright (c) 2026 the Velmarith authors, MIT"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "${PRODUCT} 需要 64 位 Windows。" /SD IDOK
        Abort
    ${EndIf}
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    !include "${STAGE}\..\files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\velmarith.exe" "" "$INSTDIR\velmarith.exe" 0
    CreateShortcut "$SMPROGRAMS\${SHORTCUT} (网页版).lnk" "$INSTDIR\velmarith.html" "" "$INSTDIR\velmarith.exe" 0
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${SHORTCUT} (${PRODUCT} ${VERSION})"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${FILE_VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmarith.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "the Velmarith authors"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
    Delete "$SMPROGRAMS\${SHORTCUT} (网页版).lnk"
    !include "${STAGE}\..\unfiles.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
