; The per-user installer of Frimlet2, built by ./package with makensis:
;   makensis -DVERSION=x.y.z -DSTAGE=<folder with the packaged files>
;            -DICON=<program icon> -DSIDE=<wizard side picture, 164 x 314>
;            -DLICENCE=<licence, one line per paragraph>
;            -DOUTFILE=<setup.exe> package/Frimlet2.nsi
; It needs no administrator rights: the program goes to
; %LOCALAPPDATA%\Programs\Frimlet2, the shortcut to the user's Start menu and
; the entry of the installed-programs list to HKEY_CURRENT_USER. /S installs
; and uninstalls silently. The settings (HKCU\Software\Oskvane\Frimlet2 and
; %APPDATA%\Oskvane\Frimlet2) are never written here; the uninstaller removes
; them only when the user asks for it.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define APP "Frimlet2"
!define PUBLISHER "Oskvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Frimlet2"
!define SETTINGS_KEY "Software\Oskvane\Frimlet2"
; The frame window has a class of its own; the program's message boxes share
; its title "Frimlet2" but not its class. Earlier versions used the dialog class.
!define FRAME_CLASS "Frimlet2Frame"
!define DIALOG_CLASS "#32770"
!define SC_CLOSE 0xF060
!define GW_OWNER 4
!define SYNCHRONIZE_TERMINATE 0x00100001

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${APP}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${APP} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The wizard's side picture is the program's own, drawn by res/draw.py.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${SIDE}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
; The licence with its paragraphs as single lines, so that the page wraps
; them to its own width instead of breaking each line twice.
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Frimlet2.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Frimlet2 を起動する"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

; Ends a running Frimlet2 before its files are replaced or removed. The user
; is asked first; in silent mode it is closed at once. The frame is found by
; its class and closed with its own close command (the system menu's Close),
; the way Alt+F4 does: it closes its message boxes, stores its placement and
; ends the program. The installer then waits for that process to end, so that
; its file is free, and ends it when it does not.
!macro CLOSE_RUNNING un
; The frame window in $0, or 0: by its class, or (an earlier version) a
; dialog titled Frimlet2 that no window owns, which leaves out the message
; boxes, owned by the frame.
Function ${un}FindFrame
  FindWindow $0 "${FRAME_CLASS}"
  ${If} $0 != 0
    Return
  ${EndIf}
legacy:
  FindWindow $0 "${DIALOG_CLASS}" "${APP}" "" $0
  ${If} $0 == 0
    Return
  ${EndIf}
  System::Call 'user32::GetWindow(p r0, i ${GW_OWNER}) p .r5'
  StrCmp $5 0 0 legacy
FunctionEnd

Function ${un}CloseRunning
  Call ${un}FindFrame
  ${If} $0 == 0
    Return
  ${EndIf}
  MessageBox MB_OKCANCEL|MB_ICONINFORMATION "Frimlet2 が実行中です。$\r$\n「OK」を押すと Frimlet2 を終了して続けます。" /SD IDOK IDOK close
  Abort "Frimlet2 が実行中のため中止しました。"
close:
  StrCpy $1 0
next:
  Call ${un}FindFrame
  ${If} $0 == 0
    Return
  ${EndIf}
  ${If} $1 >= 3
    MessageBox MB_OK|MB_ICONSTOP "Frimlet2 を終了できませんでした。Frimlet2 を終了してから、もう一度実行してください。" /SD IDOK
    Abort "Frimlet2 を終了できませんでした。"
  ${EndIf}
  IntOp $1 $1 + 1
  ; The frame's process, opened before the close so that its end is seen.
  StrCpy $3 0
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r3) i'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE_TERMINATE}, i 0, i r3) p .r4'
  SendMessage $0 ${WM_SYSCOMMAND} ${SC_CLOSE} 0 /TIMEOUT=5000
  ${If} $4 != 0
    ; The close command stores the placement and dismisses the program's
    ; questions; a program that still does not end (an older version asking
    ; Yes or No) is ended after ten seconds.
    System::Call 'kernel32::WaitForSingleObject(p r4, i 10000) i .r5'
    ${If} $5 != 0
      System::Call 'kernel32::TerminateProcess(p r4, i 1)'
      System::Call 'kernel32::WaitForSingleObject(p r4, i 5000) i'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r4)'
  ${Else}
    ; No handle to the process: wait for the window to go, at most 5 s.
    StrCpy $2 0
wait:
    IsWindow $0 0 next
    Sleep 100
    IntOp $2 $2 + 1
    IntCmp $2 50 next wait next
  ${EndIf}
  Goto next
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING ""
!insertmacro CLOSE_RUNNING "un."

Section "Frimlet2"
  Call CloseRunning
  SetOutPath "$INSTDIR"
  File "${STAGE}\Frimlet2.exe"
  File "${STAGE}\Frimlet2.html"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\はじめにお読みください.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Frimlet2.exe" "" "$INSTDIR\Frimlet2.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Frimlet2.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  Call un.CloseRunning
  Delete "$INSTDIR\Frimlet2.exe"
  Delete "$INSTDIR\Frimlet2.html"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\はじめにお読みください.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Frimlet2 の設定も削除しますか？$\r$\n$\r$\n・レジストリ HKEY_CURRENT_USER\${SETTINGS_KEY}$\r$\n・フォルダ $APPDATA\Oskvane\Frimlet2$\r$\n$\r$\n「いいえ」を選ぶと設定は残り、もう一度インストールしたときに使われます。撮影した画像は削除されません。" /SD IDNO IDNO keep
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Oskvane"
  RMDir /r "$APPDATA\Oskvane\Frimlet2"
  RMDir "$APPDATA\Oskvane"
keep:
SectionEnd
