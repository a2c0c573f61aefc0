; The Windows installer: Orvanel.scr where 32-bit Windows looks for
; screensavers, Orvanel64.scr (as Orvanel.scr) where 64-bit Windows looks, the
; translation files beside each, an uninstaller registered under Add/Remove
; Programs, and the third-party notices beside each module (named so that
; they never match the translations' Orvanel.*.txt). It may make Orvanel the
; active screensaver (on unless /NOACTIVATE is given) and open its settings
; at the end. The uninstaller removes what the installer brought and leaves
; the user's settings and quotes unless the user asks otherwise.
;   makensis -DVERSION=5.9.4 -DWIN32_DIR=... -DWIN64_DIR=... -DOUTFILE=... -DICON=... -DNOTICES=... orvanel.nsi

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "Orvanel"
!define COMPANY "Orvanel software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanel"
!define DESKTOP_KEY "Control Panel\Desktop"
!define NOTICES_FILE "Orvanel-ThirdPartyNotices.txt"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
BrandingText "${COMPANY}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} screensaver setup"
VIAddVersionKey "LegalCopyright" "${COMPANY}"

!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open Orvanel's settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSettings
!define MUI_FINISHPAGE_RUN_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The folder Windows' screensaver settings list for programs of the system's
; own width: System32 (seen through the redirection a 32-bit installer has).
!macro SystemScreensaverFolder VAR
  ${If} ${RunningX64}
    StrCpy ${VAR} "$WINDIR\System32"
  ${Else}
    StrCpy ${VAR} "$SYSDIR"
  ${EndIf}
!macroend

Section "Orvanel screensaver" SecMain
  SectionIn RO
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    SetOutPath "$WINDIR\System32"
    File "/oname=Orvanel.scr" "${WIN64_DIR}\Orvanel64.scr"
    File "${WIN64_DIR}\Orvanel.*.txt"
    File "/oname=${NOTICES_FILE}" "${NOTICES}"
    ${EnableX64FSRedirection}
    SetOutPath "$WINDIR\SysWOW64"
  ${Else}
    SetOutPath "$SYSDIR"
  ${EndIf}
  File "${WIN32_DIR}\Orvanel.scr"
  File "${WIN32_DIR}\Orvanel.*.txt"
  File "/oname=${NOTICES_FILE}" "${NOTICES}"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  !insertmacro SystemScreensaverFolder $0
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntOp $1 $1 + 700
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} screensaver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$0\Orvanel.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.orvanel.com"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Make Orvanel the active screensaver" SecActivate
  !insertmacro SystemScreensaverFolder $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0\Orvanel.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} "The night-sky screensaver for the Screen Saver settings."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecActivate} "Choose Orvanel in the Screen Saver settings now."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOACTIVATE" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecActivate} 0
  ${EndIf}
FunctionEnd

Function OpenSettings
  !insertmacro SystemScreensaverFolder $0
  ${DisableX64FSRedirection}
  Exec '"$0\Orvanel.scr" /c'
  ${EnableX64FSRedirection}
FunctionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    Delete "$WINDIR\System32\Orvanel.scr"
    Delete "$WINDIR\System32\Orvanel.*.txt"
    Delete "$WINDIR\System32\${NOTICES_FILE}"
    ${EnableX64FSRedirection}
    Delete "$WINDIR\SysWOW64\Orvanel.scr"
    Delete "$WINDIR\SysWOW64\Orvanel.*.txt"
    Delete "$WINDIR\SysWOW64\${NOTICES_FILE}"
  ${Else}
    Delete "$SYSDIR\Orvanel.scr"
    Delete "$SYSDIR\Orvanel.*.txt"
    Delete "$SYSDIR\${NOTICES_FILE}"
  ${EndIf}

  ; Windows would go on starting a screensaver that is no longer there.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${GetFileName} $0 $1
  ${If} $1 == "Orvanel.scr"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  ; The settings and quotes are the user's: kept unless the user says otherwise.
  ${IfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove your Orvanel settings and your own quotes?" IDNO keep
    RMDir /r "$APPDATA\${COMPANY}"
    keep:
  ${EndIf}
SectionEnd
