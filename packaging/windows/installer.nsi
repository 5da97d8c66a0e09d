; The trainer's installer for Windows 7 to 11, 32 and 64 bits, made by scripts/build-windows.sh.
; It carries three builds and installs the one that fits the Windows it runs on: the Qt 6
; build on 64-bit Windows 10 and 11, the 64-bit Qt 5 build on older 64-bit Windows, the 32-bit
; Qt 5 build on 32-bit Windows. It puts the program folder in Program Files, one Start-menu
; entry and an uninstaller that Windows lists under its installed programs; nothing else on the
; system is changed.
;
; Defined by the build script: VERSION, ICON, OUTFILE, and BUILDS, the folder that holds for
; each build its lists of the files to copy and to remove again
; (<build>/install-files.nsh, <build>/uninstall-files.nsh).
;
; A 32-bit installer, so that every Windows runs it; on a 64-bit one it writes to the 64-bit
; Program Files and the 64-bit registry, where a 64-bit program belongs.
Target x86-unicode
ManifestDPIAware true
ManifestSupportedOS all
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include WinVer.nsh

!define PRODUCT "Тренажер"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\SightTrainer"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Sight Trainer"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка тренажера оптического прицела"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "Sight trainer developers"
VIAddVersionKey /LANG=1049 "LegalCopyright" "Sight trainer developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\sight-trainer.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; The build this installer puts in place (win10-x64, win7-x64 or win7-x86).
Var Build

; The registry view and the build for this Windows. Windows 7 SP1 is the oldest the builds
; run on.
!macro ChooseBuild un
Function ${un}ChooseBuild
    ${IfNot} ${AtLeastWin7}
        MessageBox MB_OK|MB_ICONSTOP "Тренажеру нужна Windows 7 или новее." /SD IDOK
        Abort
    ${EndIf}
    SetShellVarContext all
    ${If} ${RunningX64}
        SetRegView 64
        ${If} ${AtLeastWin10}
            StrCpy $Build "win10-x64"
        ${Else}
            StrCpy $Build "win7-x64"
        ${EndIf}
    ${Else}
        StrCpy $Build "win7-x86"
    ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseBuild ""
!insertmacro ChooseBuild "un."

Function .onInit
    Call ChooseBuild
    ${If} $Build == "win7-x86"
        StrCpy $INSTDIR "$PROGRAMFILES\Sight Trainer"
    ${Else}
        StrCpy $INSTDIR "$PROGRAMFILES64\Sight Trainer"
    ${EndIf}
    ; An update goes where the trainer is already installed.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        StrCpy $INSTDIR $0
    ${EndIf}
FunctionEnd

Section
    ; What an earlier installation put in place goes first, by its own uninstaller: it may
    ; be another build (Windows was upgraded since) or hold files this version no longer has.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\uninstall.exe"
        ExecWait '"$0\uninstall.exe" /S _?=$0' $1
        Delete "$0\uninstall.exe"
        RMDir "$0"
    ${EndIf}

    ${If} $Build == "win10-x64"
        !include "${BUILDS}/win10-x64/install-files.nsh"
    ${ElseIf} $Build == "win7-x64"
        !include "${BUILDS}/win7-x64/install-files.nsh"
    ${Else}
        !include "${BUILDS}/win7-x86/install-files.nsh"
    ${EndIf}
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\sight-trainer.exe" "" \
        "$INSTDIR\sight-trainer.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Sight trainer developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sight-trainer.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    ; Which build is installed, for the uninstaller to remove exactly its files.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Build" "$Build"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    Call un.ChooseBuild
    ; The build that was installed, which is not the one this Windows would get now if it
    ; was upgraded since.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "Build"
    ${If} $0 != ""
        StrCpy $Build $0
    ${EndIf}
FunctionEnd

; Only what the installer put in place is removed, file by file: a folder the trainer was
; installed into by mistake keeps everything else in it.
Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    ${If} $Build == "win10-x64"
        !include "${BUILDS}/win10-x64/uninstall-files.nsh"
    ${ElseIf} $Build == "win7-x64"
        !include "${BUILDS}/win7-x64/uninstall-files.nsh"
    ${ElseIf} $Build == "win7-x86"
        !include "${BUILDS}/win7-x86/uninstall-files.nsh"
    ${EndIf}
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
