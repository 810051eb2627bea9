; The per-user installer of the Windows edition. Built by windows/installer/release.cmake,
; which passes on the command line:
;   VERSION  the program's version (three numbers)
;   STAGE    the folder holding quivanto.exe, Help.html and License.txt as released
;   OUTFILE  the installer to write
;   ICON     the program's icon, for the installer and the uninstaller
;
; Everything lands in the current user's profile and registry hive, so no administrator
; rights are asked for. The program keeps its list in its current folder; the shortcuts
; start it in the installation folder, which the user owns and which holds Help.html, so
; list.dat lives beside the program. Neither upgrading nor uninstalling touches list.dat.
;
; Command line: /S silent, /D=folder (last, unquoted) the installation folder, and
; /LOGON=1 or /LOGON=0 to choose starting at log-on without the components page.

!ifndef VERSION | STAGE | OUTFILE | ICON
  !error "VERSION, STAGE, OUTFILE and ICON must be defined"
!endif

; The program is 64-bit only, so the installer is too.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT "Quivanto"
!define PUBLISHER "Quivanto developers"
!define PROGRAM_EXE "quivanto.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT_NAME "${PRODUCT}.lnk"
; The program claims this mutex while it runs (InstanceMutexName in the win32 back end).
!define INSTANCE_MUTEX "Local\Quivanto.Instance"
; The mutex is only waited on, never owned.
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the earlier installation is, where the user's list is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "MIT License"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

!insertmacro MUI_PAGE_LICENSE "${STAGE}\License.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A running copy holds quivanto.exe open, so it could be neither replaced nor removed.
!macro REFUSE_WHILE_RUNNING prefix
Function ${prefix}RefuseWhileRunning
  retry:
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running. Right-click its tray icon, answer Yes to end it, then click Retry." \
        /SD IDCANCEL IDRETRY retry
      Abort
    ${EndIf}
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

; Shortcuts start the program in its own folder: that is where it finds Help.html and
; keeps list.dat.
!macro PROGRAM_SHORTCUT file
  SetOutPath "$INSTDIR"
  CreateShortcut "${file}" "$INSTDIR\${PROGRAM_EXE}" "" "$INSTDIR\${PROGRAM_EXE}" 0
!macroend

; Adds the size of file $1 in bytes to $2.
Function AddFileSize
  FileOpen $3 "$1" r
  ${If} $3 != ""
    FileSeek $3 0 END $4
    FileClose $3
    IntOp $2 $2 + $4
  ${EndIf}
FunctionEnd

Section "${PRODUCT} (required)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\${PROGRAM_EXE}"
  File "${STAGE}\Help.html"
  File "${STAGE}\License.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  !insertmacro PROGRAM_SHORTCUT "$SMPROGRAMS\${SHORTCUT_NAME}"

  ; The size of what the installer put there, list.dat not counted, in KB as the system
  ; expects.
  StrCpy $2 0
  StrCpy $1 "$INSTDIR\${PROGRAM_EXE}"
  Call AddFileSize
  StrCpy $1 "$INSTDIR\Help.html"
  Call AddFileSize
  StrCpy $1 "$INSTDIR\License.txt"
  Call AddFileSize
  StrCpy $1 "$INSTDIR\${UNINSTALLER}"
  Call AddFileSize
  IntOp $2 $2 + 1023
  IntOp $2 $2 / 1024

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Start ${PRODUCT} when I log on" SecLogon
  !insertmacro PROGRAM_SHORTCUT "$SMSTARTUP\${SHORTCUT_NAME}"
SectionEnd

; Unticking the choice on an upgrade takes back the earlier one.
Section "-ForgetLogon"
  ${IfNot} ${SectionIsSelected} ${SecLogon}
    Delete "$SMSTARTUP\${SHORTCUT_NAME}"
  ${EndIf}
SectionEnd

Function .onInit
  Call RefuseWhileRunning
  ; An upgrade offers the earlier choice; a first installation leaves it off.
  ${If} ${FileExists} "$SMSTARTUP\${SHORTCUT_NAME}"
    !insertmacro SelectSection ${SecLogon}
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/LOGON=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == "1"
      !insertmacro SelectSection ${SecLogon}
    ${ElseIf} $R1 == "0"
      !insertmacro UnselectSection ${SecLogon}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\${PROGRAM_EXE}"'
FunctionEnd

Function un.onInit
  Call un.RefuseWhileRunning
FunctionEnd

; Only what the installer wrote goes; list.dat, and so its folder, stays. temp.dat is the
; program's scratch file, never the list itself.
Section "Uninstall"
  Delete "$INSTDIR\${PROGRAM_EXE}"
  Delete "$INSTDIR\Help.html"
  Delete "$INSTDIR\License.txt"
  Delete "$INSTDIR\temp.dat"
  Delete "$INSTDIR\${UNINSTALLER}"
  Delete "$SMPROGRAMS\${SHORTCUT_NAME}"
  Delete "$SMSTARTUP\${SHORTCUT_NAME}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  RMDir "$INSTDIR"
SectionEnd
