; The Glintmere installer. Built by scripts/build-installer for each Windows
; preset:
;   makensis -DARCH=64|32 -DVERSION=x.y.z -DBIN=<preset bin folder>
;            -DDATA=<data folder> -DOUTFILE=<installer> installer/glintmere.nsi
;
; Where things go:
;   FrontPage's "bots" folder (found as the runner finds it, through
;   FrontPage Explorer's registration, or asked for): the two bot libraries
;   and the three launchers.
;   The install folder ($INSTDIR, "Kel Software\Glintmere" under Program
;   Files): the master files (_glintmere, ButtonBarStyles,
;   ButtonBarTemplates, Effects.inf), named by "MasterFolder".
;   The common folder ("Kel Software\Common" under Program Files): the
;   runner KelRTL.dll, the menu add-in KelMenu.dll (registered), KelMenuAdd.exe
;   with the product file, KelHelp.exe and the help folder QFXHelp.
; The menu is then activated for the installing user with KelMenuAdd.
;
; Silent installs (/S) take the bots folder from /BOTS=<folder> when FrontPage
; is not registered, and fail with exit code 2 when neither names one.

Unicode true
!if "${ARCH}" == "64"
  Target amd64-unicode
  !define PROGRAMS "$PROGRAMFILES64"
!else
  Target x86-unicode
  !define PROGRAMS "$PROGRAMFILES32"
!endif

!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Glintmere"
!define PUBLISHER "Kel Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glintmere"
!define KEL_KEY "Software\Kel Software"
!define GMQFX_KEY "Software\Kel Software\GMQFX"
!define ADDIN_KEY "Software\Microsoft\Office\FrontPage\addins\KelMenu.addinKelMenu"
!define SETTINGS_KEY "Software\VB and VBA Program Settings\KelMenu"
!define PRODUCT_KEY "Glintmere"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAMS}\Kel Software\Glintmere"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Var BotsFolder
Var CommonFolder
Var BotsFolderMade
Var FrontPageFolder

Page directory
PageEx directory
  DirVar $BotsFolder
  DirText "Setup installs the Glintmere bots into FrontPage's bots folder. FrontPage was not found in the registry: choose the bots folder beside FrontPage Explorer's program." "FrontPage bots folder"
  PageCallbacks SkipBotsPageWhenFound
PageExEnd
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The folder of FrontPage Explorer's program into $FrontPageFolder, as the
; runner finds it: the Explorer's class through
; "FrontPage.Explorer.<major>.0\CLSID", its program through
; "CLSID\<class>\LocalServer32"; a quoted path loses its quotes and what
; follows, and the value is cut at its last backslash. Empty when no
; FrontPage is registered.
Function FindFrontPageFolder
  Push $0
  Push $1
  Push $2
  StrCpy $FrontPageFolder ""
  ${ForEach} $2 6 3 - 1
    ReadRegStr $0 HKCR "FrontPage.Explorer.$2.0\CLSID" ""
    ${If} $0 != ""
      ReadRegStr $1 HKCR "CLSID\$0\LocalServer32" ""
      ${If} $1 != ""
        StrCpy $0 $1 1
        ${If} $0 == '"'
          StrCpy $1 $1 "" 1
          Push $1
          Call CutAtQuote
          Pop $1
        ${EndIf}
        Push $1
        Call FolderOfPath
        Pop $FrontPageFolder
        ${If} $FrontPageFolder != ""
          ${Break}
        ${EndIf}
      ${EndIf}
    ${EndIf}
  ${Next}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Cuts the text on the stack at its first double quote.
Function CutAtQuote
  Exch $0
  Push $1
  Push $2
  StrCpy $1 0
  ${Do}
    StrCpy $2 $0 1 $1
    ${If} $2 == ""
    ${OrIf} $2 == '"'
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  StrCpy $0 $0 $1
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The text on the stack up to its last backslash, without it; empty when it
; has none.
Function FolderOfPath
  Exch $0
  Push $1
  Push $2
  StrLen $1 $0
  ${Do}
    IntOp $1 $1 - 1
    ${If} $1 < 0
      StrCpy $0 ""
      ${Break}
    ${EndIf}
    StrCpy $2 $0 1 $1
    ${If} $2 == "\"
      StrCpy $0 $0 $1
      ${Break}
    ${EndIf}
  ${Loop}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

Function .onInit
!if "${ARCH}" == "64"
  SetRegView 64
!endif
  StrCpy $CommonFolder "${PROGRAMS}\Kel Software\Common"
  Push $0
  Call FindFrontPageFolder
  ${If} $FrontPageFolder != ""
    StrCpy $BotsFolder "$FrontPageFolder\bots"
  ${Else}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/BOTS=" $BotsFolder
    ${If} ${Silent}
    ${AndIf} $BotsFolder == ""
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
  Pop $0
FunctionEnd

Function SkipBotsPageWhenFound
  ${If} $FrontPageFolder != ""
    Abort
  ${EndIf}
FunctionEnd

Section "Glintmere"
  SetOverwrite on
  StrCpy $BotsFolderMade "0"
  ${IfNot} ${FileExists} "$BotsFolder\*.*"
    StrCpy $BotsFolderMade "1"
  ${EndIf}

  ; The bots and their launchers.
  SetOutPath "$BotsFolder"
  File "${BIN}\bots\GMWebbotS3.dll"
  File "${BIN}\bots\GMWebbot.dll"
  File "${BIN}\bots\GMScrollerLaunch.exe"
  File "${BIN}\bots\GMTextEffectsLaunch.exe"
  File "${BIN}\bots\GMImageEffectsLaunch.exe"

  ; The master files.
  SetOutPath "$INSTDIR"
  File "${BIN}\bots\Effects.inf"
  File /r "${BIN}\bots\_glintmere"
  File /r "${BIN}\bots\ButtonBarStyles"
  File /r "${BIN}\bots\ButtonBarTemplates"

  ; The shared programs, the menu and the help.
  SetOutPath "$CommonFolder"
  File "${BIN}\KelRTL.dll"
  File "${BIN}\KelMenu.dll"
  File "${BIN}\KelMenuAdd.exe"
  File "${BIN}\KelHelp.exe"
  File "${DATA}\KelMenu-Glintmere.ini"
  File /r "${DATA}\QFXHelp"

  WriteRegStr HKLM "${KEL_KEY}" "CommonPath" "$CommonFolder\"
  WriteRegStr HKLM "${GMQFX_KEY}" "InstallRoot" "$INSTDIR\"
  WriteRegStr HKLM "${GMQFX_KEY}" "MasterFolder" "$INSTDIR\"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; Where the uninstaller finds what it removes.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "BotsFolder" "$BotsFolder"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "BotsFolderMade" "$BotsFolderMade"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "CommonFolder" "$CommonFolder"

  ; The menu add-in: registered, then activated for the installing user.
  ClearErrors
  RegDLL "$CommonFolder\KelMenu.dll"
  ${If} ${Errors}
    DetailPrint "KelMenu.dll could not be registered."
    SetErrorLevel 3
  ${EndIf}
  ${If} ${Silent}
    ExecWait '"$CommonFolder\KelMenuAdd.exe" /S KelMenu-Glintmere.ini' $0
  ${Else}
    ExecWait '"$CommonFolder\KelMenuAdd.exe" KelMenu-Glintmere.ini' $0
  ${EndIf}
  ${If} $0 != 0
    DetailPrint "The Glintmere menu could not be activated (KelMenuAdd exit code $0)."
    SetErrorLevel 3
  ${EndIf}
SectionEnd

Function un.onInit
!if "${ARCH}" == "64"
  SetRegView 64
!endif
  ReadRegStr $BotsFolder HKLM "${UNINSTALL_KEY}" "BotsFolder"
  ReadRegStr $BotsFolderMade HKLM "${UNINSTALL_KEY}" "BotsFolderMade"
  ReadRegStr $CommonFolder HKLM "${UNINSTALL_KEY}" "CommonFolder"
FunctionEnd

Section "Uninstall"
  ; The menu: this product's settings, and the add-in's registration once
  ; no product of it is left.
  DeleteRegValue HKCU "${SETTINGS_KEY}\_Products" "${PRODUCT_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}\${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}\_Products"
  ClearErrors
  EnumRegKey $0 HKCU "${SETTINGS_KEY}" 0
  ${If} $0 == ""
    DeleteRegKey HKCU "${ADDIN_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\VB and VBA Program Settings"
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Office\FrontPage\addins"
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Office\FrontPage"
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Office"
  ${EndIf}
  ${If} $CommonFolder != ""
    UnRegDLL "$CommonFolder\KelMenu.dll"
    Delete "$CommonFolder\KelRTL.dll"
    Delete "$CommonFolder\KelMenu.dll"
    Delete "$CommonFolder\KelMenuAdd.exe"
    Delete "$CommonFolder\KelHelp.exe"
    Delete "$CommonFolder\KelMenu-Glintmere.ini"
    RMDir /r "$CommonFolder\QFXHelp"
    RMDir "$CommonFolder"
  ${EndIf}

  ${If} $BotsFolder != ""
    Delete "$BotsFolder\GMWebbotS3.dll"
    Delete "$BotsFolder\GMWebbot.dll"
    Delete "$BotsFolder\GMScrollerLaunch.exe"
    Delete "$BotsFolder\GMTextEffectsLaunch.exe"
    Delete "$BotsFolder\GMImageEffectsLaunch.exe"
    ${If} $BotsFolderMade == "1"
      RMDir "$BotsFolder"
    ${EndIf}
  ${EndIf}

  Delete "$INSTDIR\Effects.inf"
  RMDir /r "$INSTDIR\_glintmere"
  RMDir /r "$INSTDIR\ButtonBarStyles"
  RMDir /r "$INSTDIR\ButtonBarTemplates"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."

  ; The values that tell the bots where things are, if they are still ours.
  ReadRegStr $0 HKLM "${KEL_KEY}" "CommonPath"
  ${If} $0 == "$CommonFolder\"
    DeleteRegValue HKLM "${KEL_KEY}" "CommonPath"
  ${EndIf}
  DeleteRegValue HKLM "${GMQFX_KEY}" "InstallRoot"
  DeleteRegValue HKLM "${GMQFX_KEY}" "MasterFolder"
  DeleteRegKey /ifempty HKLM "${GMQFX_KEY}"
  DeleteRegKey /ifempty HKLM "${KEL_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
