; The installer of the seven plug-ins, one script for both players:
;
;   makensis -DARCH=x64|x86 -DVERSION=1.2.3 -DPAYLOAD_DIR=<dir with the DLLs>
;            -DPAYLOAD_LIST=<payload.nsh> -DOUTFILE=<setup.exe> TevaroPlayerSE.nsi
;
; The 32-bit player (the default one on 64-bit Windows) loads only 32-bit plug-ins registered in
; the 32-bit registry view, the 64-bit player only 64-bit ones in the 64-bit view; so each build
; carries one bitness and registers it with the regsvr32 of that bitness. Everything else is
; shared, so the two installers cannot drift apart.
;
; Command line: /S silent (no questions; a failure is written to %TEMP%\TevaroPlayerSE-setup.log
; and the exit code is non-zero); the uninstaller also takes /REMOVESETTINGS to delete the
; panel's saved settings, which it otherwise keeps.

!ifndef ARCH | VERSION | PAYLOAD_DIR | PAYLOAD_LIST | OUTFILE
  !error "define ARCH, VERSION, PAYLOAD_DIR, PAYLOAD_LIST and OUTFILE"
!endif

Unicode true
!if ${ARCH} == x64
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define REG_VIEW 64
  !define PROCESSENTRY_SIZE 568
  !define PROCESSENTRY_NAME_OFFSET 44
!else if ${ARCH} == x86
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES32"
  !define REG_VIEW 32
  !define PROCESSENTRY_SIZE 556
  !define PROCESSENTRY_NAME_OFFSET 36
!else
  !error "ARCH is x64 or x86"
!endif

!define PRODUCT "Tevaro Player SE"
!define PUBLISHER "Vardal Acoustics"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TevaroPlayerSE"
!define SETTINGS_KEY "Software\Vardal Acoustics\Controller"
!define SETTINGS_PARENT "Software\Vardal Acoustics"
!define PLAYER_PROCESS "wmplayer.exe"
!define LOG_NAME "TevaroPlayerSE-setup.log"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "${PAYLOAD_LIST}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PUBLISHER}\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup (${ARCH})"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var registeredCount   ; how many plug-ins of the payload, in its order, are registered
Var rollbackIndex
Var removeSettings

; ---------------------------------------------------------------------------------------------
; Shared by installer and uninstaller (the un. copies are made by the macro).

!macro SharedFunctions UN
  ; Appends one line to the log in %TEMP%: the only place a silent run can report to.
  Function ${UN}Log
    Exch $0
    Push $1
    FileOpen $1 "$TEMP\${LOG_NAME}" a
    ${If} $1 != ""
      FileSeek $1 0 END
      FileWriteUTF16LE $1 "$0$\r$\n"
      FileClose $1
    ${EndIf}
    DetailPrint "$0"
    Pop $1
    Pop $0
  FunctionEnd

  ; Pushes 1 when the player's process runs, else 0. The player keeps its plug-ins loaded, so
  ; their files can be neither replaced nor removed while it runs.
  Function ${UN}PlayerRunning
    Push $0
    Push $1
    Push $2
    Push $3
    StrCpy $3 0
    System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .r0'
    ${If} $0 P<> -1
      System::Alloc ${PROCESSENTRY_SIZE}
      Pop $1
      System::Call '*$1(i ${PROCESSENTRY_SIZE})'
      System::Call 'kernel32::Process32FirstW(p r0, p r1) i .r2'
      ${DoWhile} $2 <> 0
        System::Call '*$1(&v${PROCESSENTRY_NAME_OFFSET}, &w260 .r2)'
        ${If} $2 == "${PLAYER_PROCESS}"   ; StrCmp ignores case, as file names do
          StrCpy $3 1
          ${Break}
        ${EndIf}
        System::Call 'kernel32::Process32NextW(p r0, p r1) i .r2'
      ${Loop}
      System::Free $1
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
    StrCpy $0 $3
    Pop $3
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd

  Function ${UN}RefuseWhilePlayerRuns
    Call ${UN}PlayerRunning
    Pop $0
    ${If} $0 == 1
      Push "Windows Media Player is running. Please close it and start Setup again: the player keeps the ${PRODUCT} plug-ins loaded while it runs."
      Call ${UN}Log
      MessageBox MB_ICONEXCLAMATION|MB_OK "Windows Media Player is running.$\r$\n$\r$\nPlease close it and start Setup again: the player keeps the ${PRODUCT} plug-ins loaded while it runs." /SD IDOK
      SetErrorLevel 4
      Quit
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

; ---------------------------------------------------------------------------------------------
; Per plug-in steps, expanded once per DLL of the payload list.

!macro CopyPlugin DLL
  File "${PAYLOAD_DIR}\${DLL}"
!macroend

!macro RegisterPlugin DLL
  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\${DLL}"' $0
  ${If} $0 != 0
    Push "${DLL} could not be registered (regsvr32 exit code $0). ${PRODUCT} was not installed."
    Call Log
    Call RollBack
    MessageBox MB_ICONSTOP|MB_OK "${DLL} could not be registered (regsvr32 exit code $0).$\r$\n$\r$\n${PRODUCT} was not installed." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
  IntOp $registeredCount $registeredCount + 1
!macroend

; Unregisters the plug-ins registered so far (the first $registeredCount of the payload).
!macro UnregisterIfRegistered DLL
  ${If} $rollbackIndex < $registeredCount
    ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\${DLL}"'
  ${EndIf}
  IntOp $rollbackIndex $rollbackIndex + 1
!macroend

!macro DeletePlugin DLL
  Delete "$INSTDIR\${DLL}"
!macroend

!macro UnregisterPlugin DLL
  ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\${DLL}"' $0
  ${If} $0 != 0
    Push "${DLL} could not be unregistered (regsvr32 exit code $0)."
    Call un.Log
  ${EndIf}
!macroend

; Undoes a failed installation: nothing of it stays behind.
Function RollBack
  StrCpy $rollbackIndex 0
  !insertmacro TEVARO_PAYLOAD UnregisterIfRegistered
  !insertmacro TEVARO_PAYLOAD DeletePlugin
  Delete "$INSTDIR\Uninstall.exe"
  SetOutPath "$TEMP"   ; a process cannot remove its own working directory
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
FunctionEnd

; ---------------------------------------------------------------------------------------------

Function .onInit
  SetRegView ${REG_VIEW}
  Call RefuseWhilePlayerRuns
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  StrCpy $registeredCount 0
  !insertmacro TEVARO_PAYLOAD CopyPlugin
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  !insertmacro TEVARO_PAYLOAD RegisterPlugin

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  SetRegView ${REG_VIEW}
  Call un.RefuseWhilePlayerRuns
  StrCpy $removeSettings 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} "$0" "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $removeSettings 1
  ${ElseIfNot} ${Silent}
    MessageBox MB_ICONQUESTION|MB_YESNO|MB_DEFBUTTON2 "Also remove your ${PRODUCT} settings (preset, quality and surround switch)?$\r$\n$\r$\nKeep them if you intend to install ${PRODUCT} again." IDNO +2
    StrCpy $removeSettings 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; Unregister while the files are still there: DllUnregisterServer removes what each wrote.
  !insertmacro TEVARO_PAYLOAD UnregisterPlugin
  !insertmacro TEVARO_PAYLOAD DeletePlugin
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${If} $removeSettings == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
  ${EndIf}
SectionEnd
