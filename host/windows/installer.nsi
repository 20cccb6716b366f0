; The installer of Orbelle Angles for 64-bit Windows: the automation server, the command line
; and the shipped ephemeris data under Program Files; the server registered per machine.
; An existing ZODRIX.INI (the suite's settings, in the Windows directory) is left alone; when
; there is none, one is written that names the installed data directory, and the uninstaller
; removes it again only while it still names that directory.
;
; makensis -DSERVER=... -DCOMMAND_LINE=... -DDATA=... -DOUTFILE=... installer.nsi
; Silent install: OrbelleAngles-setup.exe /S   Silent removal: Uninstall.exe /S

Unicode true
!include WinMessages.nsh
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "Orbelle Angles"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrbelleAngles"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
ShowInstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "/oname=OrbelleAngles.exe" "${SERVER}"
  File "/oname=orbelle-angles.exe" "${COMMAND_LINE}"
  SetOutPath "$INSTDIR\data"
  File /r "${DATA}\*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  IfFileExists "$WINDIR\ZODRIX.INI" settings_done
    WriteINIStr "$WINDIR\ZODRIX.INI" "EPHEM" "Directory" "$INSTDIR\data\"
  settings_done:

  ExecWait '"$INSTDIR\OrbelleAngles.exe" /RegServer' $0
  StrCmp $0 "0" registered
    DetailPrint "Registration of the automation server failed ($0)"
    SetErrorLevel 2
    Abort "The automation server could not be registered."
  registered:

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; A window still open keeps the server running: close it as its user would (it saves its
  ; place); the server ends when no client holds it any more.
  FindWindow $1 "OrbelleAngles.Quilan" "Planets Position"
  IntCmp $1 0 +2
    SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ExecWait '"$INSTDIR\OrbelleAngles.exe" /UnregServer'
  ReadINIStr $0 "$WINDIR\ZODRIX.INI" "EPHEM" "Directory"
  StrCmp $0 "$INSTDIR\data\" 0 +2
    Delete "$WINDIR\ZODRIX.INI"
  ; The server's file can be removed once its process has ended.
  StrCpy $2 0
  remove_server:
    ClearErrors
    Delete "$INSTDIR\OrbelleAngles.exe"
    IfErrors 0 server_removed
    IntOp $2 $2 + 1
    Sleep 200
    IntCmp $2 50 server_removed remove_server server_removed
  server_removed:
  Delete "$INSTDIR\orbelle-angles.exe"
  RMDir /r "$INSTDIR\data"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
