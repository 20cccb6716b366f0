; The installer of Orbelle Angles for 64-bit and 32-bit Windows: the automation server, the
; command line and the shipped ephemeris data under Program Files, the server registered per
; machine (both registry views), a Start-menu entry "Planets Position" and an entry in Apps &
; features. It carries both builds of the programs and installs the 64-bit ones on 64-bit
; Windows, the 32-bit ones on 32-bit Windows; it is itself a 32-bit program, since a 64-bit
; one cannot start on 32-bit Windows.
;
; An existing ZODRIX.INI (the suite's settings, in the Windows directory) is left alone. When
; there is none, one is written that names the installed data directory and a copy of it is
; kept beside the programs; the uninstaller removes ZODRIX.INI only while it still holds
; exactly those bytes, so settings the suite has added since stay.
;
; makensis -DVERSION=... -DSERVER64=... -DCOMMAND_LINE64=... -DSERVER32=... -DCOMMAND_LINE32=...
;          -DDATA=... -DICON=... -DLICENSE=... -DOUTFILE=... installer.nsi
; Silent install: OrbelleAngles-setup.exe /S   Silent removal: Uninstall.exe /S

Unicode true
Target x86-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Orbelle Angles"
!define PUBLISHER "The Orbelle Angles developers"
!define SHORTCUT "$SMPROGRAMS\Planets Position.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrbelleAngles"
; What the installer wrote into ZODRIX.INI, kept to compare at removal.
!define WRITTEN_SETTINGS "$INSTDIR\ZODRIX.INI.installed"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The 64-bit Program Files on 64-bit Windows; on 32-bit Windows the only one.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_NOAUTOCLOSE  ; the log stays until the user moves on
!define MUI_WELCOMEPAGE_TEXT "This will install ${PRODUCT} ${VERSION}: the window $\"Planets Position$\" with the zodiacal longitudes of the Sun, the Moon, the planets and the lunar node, for the programs of the suite and from the Start menu.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\OrbelleAngles.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Open Planets Position"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

; The registry view of the installed programs: the 64-bit one on 64-bit Windows.
!macro UseProgramsView
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro UseProgramsView
FunctionEnd

Function un.onInit
  !insertmacro UseProgramsView
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=OrbelleAngles.exe" "${SERVER64}"
    File "/oname=orbelle-angles.exe" "${COMMAND_LINE64}"
  ${Else}
    File "/oname=OrbelleAngles.exe" "${SERVER32}"
    File "/oname=orbelle-angles.exe" "${COMMAND_LINE32}"
  ${EndIf}
  SetOutPath "$INSTDIR\data"
  File /r "${DATA}\*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ${IfNot} ${FileExists} "$WINDIR\ZODRIX.INI"
    WriteINIStr "$WINDIR\ZODRIX.INI" "EPHEM" "Directory" "$INSTDIR\data\"
    FlushINI "$WINDIR\ZODRIX.INI"
    SetDetailsPrint none
    CopyFiles /SILENT "$WINDIR\ZODRIX.INI" "${WRITTEN_SETTINGS}"
    SetDetailsPrint lastused
  ${EndIf}

  DetailPrint "Registering the automation server OrbelleAngles.QuilanCls"
  SetDetailsPrint none
  ExecWait '"$INSTDIR\OrbelleAngles.exe" /RegServer' $0
  SetDetailsPrint lastused
  ${If} $0 != 0
    DetailPrint "Registration of the automation server failed ($0)"
    SetErrorLevel 2
    Abort "The automation server could not be registered."
  ${EndIf}

  CreateShortcut "${SHORTCUT}" "$INSTDIR\OrbelleAngles.exe" "" "$INSTDIR\OrbelleAngles.exe" 0 SW_SHOWNORMAL "" \
    "The zodiacal longitudes of the planets for now"

  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\OrbelleAngles.exe",0'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; $0 = 1 when the files $1 and $2 hold the same bytes, else 0 (also when either is missing).
Function un.SameBytes
  StrCpy $0 0
  ClearErrors
  FileOpen $3 $1 r
  IfErrors done
  FileOpen $4 $2 r
  IfErrors close_first
  next_byte:
    ClearErrors
    FileReadByte $3 $5
    IfErrors first_ended
    FileReadByte $4 $6
    IfErrors close_both
    StrCmp $5 $6 next_byte close_both
  first_ended:
    ClearErrors
    FileReadByte $4 $6
    IfErrors 0 close_both
    StrCpy $0 1
  close_both:
    FileClose $4
  close_first:
    FileClose $3
  done:
FunctionEnd

Section "Uninstall"
  ; A window still open keeps the server running: close it as its user would (it saves its
  ; place); the server ends when no client holds it any more.
  FindWindow $1 "OrbelleAngles.Quilan" "Planets Position"
  ${If} $1 != 0
    SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${EndIf}
  DetailPrint "Removing the registration of the automation server"
  SetDetailsPrint none
  ExecWait '"$INSTDIR\OrbelleAngles.exe" /UnregServer'
  SetDetailsPrint lastused

  StrCpy $1 "$WINDIR\ZODRIX.INI"
  StrCpy $2 "${WRITTEN_SETTINGS}"
  Call un.SameBytes
  ${If} $0 == 1
    Delete "$WINDIR\ZODRIX.INI"
  ${EndIf}
  Delete "${WRITTEN_SETTINGS}"

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
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
