; The Windows installer of Tavrin, compiled by tools/package:
;
;   makensis -DVERSION=1.5.0 -DSHORT_VERSION=1.5 -DPROGRAM_EXE=<tavrin.exe>
;            -DCHAT_EXE=<tavrin-chat.exe> -DICON=<tavrin.ico>
;            -DOUT_FILE=<setup.exe> packaging/tavrin.nsi
;
; The version comes from the project() line of CMakeLists.txt through
; tools/package, so that it is written in one place only.

!ifndef VERSION
  !error "VERSION (major.minor.patch) is passed by tools/package"
!endif
!ifndef SHORT_VERSION
  !error "SHORT_VERSION is passed by tools/package"
!endif
!ifndef PROGRAM_EXE
  !error "PROGRAM_EXE (the built tavrin.exe) is passed by tools/package"
!endif
!ifndef CHAT_EXE
  !error "CHAT_EXE (the built tavrin-chat.exe) is passed by tools/package"
!endif
!ifndef ICON
  !error "ICON (the program's icon) is passed by tools/package"
!endif
!ifndef OUT_FILE
  !error "OUT_FILE is passed by tools/package"
!endif

; A 64-bit installer for a 64-bit program: it sees the 64-bit Program Files
; folder and registry without redirection, and it is the only kind of
; Windows program that runs under this project's Wine.
Target amd64-unicode

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"

!define PRODUCT "Tavrin"
!define PUBLISHER "Tavrin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define CHAT_PRODUCT "Tavrin Chat"
!define CHAT_SHORTCUT "$SMPROGRAMS\${CHAT_PRODUCT}.lnk"

Name "${PRODUCT} ${SHORT_VERSION}"
OutFile "${OUT_FILE}"
; Two ways to install. For everyone who uses the computer: Program Files,
; the all-users Start menu and HKLM, which need an administrator. Only for
; the user who runs it ("/CurrentUser", and always for a user who is no
; administrator): the user's own programs folder, Start menu and HKCU, which
; need no elevation. So the installer asks for the highest rights the user
; has, not for an administrator's.
RequestExecutionLevel highest
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${SHORT_VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; No "run the program now" box: the installer runs elevated, and a program
; started from it would run as administrator and keep its settings in the
; system folder instead of where the user's own later runs keep them.
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${SHORT_VERSION} is installed.$\r$\n$\r$\nStart them from the Start menu: ${PRODUCT} and ${CHAT_PRODUCT}.$\r$\n$\r$\nClick Finish to close Setup."

!insertmacro MUI_PAGE_WELCOME
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${SHORT_VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) the ${PRODUCT} authors"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "${PRODUCT}-${SHORT_VERSION}-setup.exe"

; A running program holds its .exe open, so Windows could neither replace
; nor delete it: the files would be left half done. Tavrin's windows are
; found by their classes (one per form). Tavrin Chat's frame class is not
; its own (the stand-in chat client has it too), so a frame counts only when
; its process runs this folder's tavrin-chat.exe. A silent run gives up with
; an error instead of waiting.
!macro REFUSE_WHILE_RUNNING un
  ; $0: 1 when a frame window of class "AOL Frame25" belongs to a process
  ; started from $INSTDIR\tavrin-chat.exe, else 0. Paths are compared in
  ; their long form, so that a folder given with short names matches too.
  Function ${un}FindChatHere
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    StrCpy $1 "$INSTDIR\tavrin-chat.exe"
    System::Call 'kernel32::GetLongPathNameW(w r1, w .r4, i ${NSIS_MAX_STRLEN}) i .r5'
    IntCmp $5 0 +2
    StrCpy $1 $4
    StrCpy $0 0
  next:
    FindWindow $0 "AOL Frame25" "" 0 $0
    IntCmp $0 0 done
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
    ; PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r2) p .r3'
    IntCmp $3 0 next
    System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i ${NSIS_MAX_STRLEN}) i .r5'
    System::Call 'kernel32::CloseHandle(p r3)'
    IntCmp $5 0 next
    System::Call 'kernel32::GetLongPathNameW(w r4, w .r2, i ${NSIS_MAX_STRLEN}) i .r5'
    IntCmp $5 0 +2
    StrCpy $4 $2
    StrCmp $4 $1 0 next
    StrCpy $0 1
  done:
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
  FunctionEnd

  Function ${un}RefuseWhileRunning
    Push $0
    Push $1
    Push $2
  check:
    StrCpy $1 ""
    FindWindow $0 "TavrinSplashForm"
    IntCmp $0 0 +2
    StrCpy $1 1
    FindWindow $0 "TavrinMainForm"
    IntCmp $0 0 +2
    StrCpy $1 1
    FindWindow $0 "TavrinAboutForm"
    IntCmp $0 0 +2
    StrCpy $1 1
    FindWindow $0 "TavrinMessageForm"
    IntCmp $0 0 +2
    StrCpy $1 1
    FindWindow $0 "TavrinCommandsForm"
    IntCmp $0 0 +2
    StrCpy $1 1
    FindWindow $0 "TavrinOptionsForm"
    IntCmp $0 0 +2
    StrCpy $1 1
    FindWindow $0 "TavrinSongAdvSetupForm"
    IntCmp $0 0 +2
    StrCpy $1 1
    ; $1: the program that runs, $2: where its Exit is.
    StrCmp $1 "" chat
    StrCpy $1 "${PRODUCT}"
    StrCpy $2 "its tray menu"
    Goto refuse
  chat:
    Call ${un}FindChatHere
    IntCmp $0 0 done
    StrCpy $1 "${CHAT_PRODUCT}"
    StrCpy $2 "its Chat menu"
  refuse:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "$1 is running. Close it (Exit in $2), then choose Retry." \
      /SD IDCANCEL IDRETRY check
    DetailPrint "$1 is running: nothing was changed."
    ; Exit code 2: "aborted by the script".
    Abort
  done:
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Var IsAdmin
Var AllUsers       ; 1: for everyone who uses the computer; 0: this user only
Var DirGiven       ; 1: the folder came with /D=, and stays
Var AllUsersRadio

!macro READ_ACCOUNT un
  Function ${un}ReadAccount
    UserInfo::GetAccountType
    Pop $0
    StrCpy $IsAdmin 0
    StrCmp $0 "Admin" 0 +2
    StrCpy $IsAdmin 1
  FunctionEnd
!macroend
!insertmacro READ_ACCOUNT ""
!insertmacro READ_ACCOUNT "un."

!macro REQUIRE_ADMIN_FOR_ALL_USERS
  ${If} $AllUsers == 1
  ${AndIf} $IsAdmin != 1
    MessageBox MB_ICONSTOP "Installing ${PRODUCT} for everyone who uses this computer needs an administrator's rights. Use /CurrentUser to install it for yourself." /SD IDOK
    ; ERROR_ELEVATION_REQUIRED
    SetErrorLevel 740
    Quit
  ${EndIf}
!macroend

; The mode's folders and registry hive; the folder is the one the last
; install in that mode used, unless /D= named one.
Function ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  StrCmp $DirGiven 1 done
  ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $INSTDIR "" 0 done
  ${If} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
done:
FunctionEnd

Function .onInit
  SetRegView 64
  Call ReadAccount
  StrCpy $DirGiven 0
  StrCmp $INSTDIR "" +2
  StrCpy $DirGiven 1
  StrCpy $AllUsers $IsAdmin
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  IfErrors +2
  StrCpy $AllUsers 0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  IfErrors +2
  StrCpy $AllUsers 1
  !insertmacro REQUIRE_ADMIN_FOR_ALL_USERS
  Call ApplyMode
FunctionEnd

; Only an administrator has the choice.
Function ModePage
  StrCmp $IsAdmin 1 +2
  Abort
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom to install ${PRODUCT}."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 12u "&Anyone who uses this computer"
  Pop $AllUsersRadio
  ${NSD_CreateLabel} 12u 13u -12u 10u "In Program Files, in every user's Start menu."
  Pop $0
  ${NSD_CreateRadioButton} 0 32u 100% 12u "Only for &me"
  Pop $1
  ${NSD_CreateLabel} 12u 45u -12u 10u "In your own programs folder and Start menu; no administrator needed."
  Pop $0
  ${If} $AllUsers == 1
    ${NSD_Check} $AllUsersRadio
  ${Else}
    ${NSD_Check} $1
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $AllUsersRadio $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

; The uninstaller undoes the install it sits in: one for everyone when the
; machine's entry names its folder, else the user's own.
Function un.onInit
  SetRegView 64
  Call un.ReadAccount
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCpy $AllUsers 0
  StrCmp $0 $INSTDIR 0 +2
  StrCpy $AllUsers 1
  !insertmacro REQUIRE_ADMIN_FOR_ALL_USERS
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SectionProgram
  SectionIn RO
  Call RefuseWhileRunning

  ; The shortcut starts the program in this folder.
  SetOutPath "$INSTDIR"
  File "/oname=tavrin.exe" "${PROGRAM_EXE}"
  File "/oname=tavrin-chat.exe" "${CHAT_EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; A shortcut for each program, straight in the Start menu's Programs, no folder.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\tavrin.exe" "" "$INSTDIR\tavrin.exe" 0
  CreateShortcut "${CHAT_SHORTCUT}" "$INSTDIR\tavrin-chat.exe" "" "$INSTDIR\tavrin-chat.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${SHORT_VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tavrin.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KB, as "Apps & features" reads it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes only what the installer put in place, file by file: anything else
; in the folder keeps it (RMDir without /r). The user's settings files
; (TavrinSettings.ini in the system folder or in %APPDATA%\Tavrin, and
; TavrinChat.ini in %APPDATA%\Tavrin) are the user's, and stay.
Section "Uninstall"
  Call un.RefuseWhileRunning

  Delete "${SHORTCUT}"
  Delete "${CHAT_SHORTCUT}"
  Delete "$INSTDIR\tavrin.exe"
  Delete "$INSTDIR\tavrin-chat.exe"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
