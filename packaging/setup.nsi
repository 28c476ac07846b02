; The unpacker of a package: one silent setup program that unpacks the package into a new folder of
; its own under %TEMP%, starts qivstart.exe there with the switches it was given, waits for the run
; and its cleanup to end, removes what is left of the folder and reports the outcome as its exit code.
;
; Built by tools/qivpack. Defines: QIV_PACKAGE (the folder to pack, with qivstart.exe and
; cleanup.exe in it), QIV_OUTFILE, QIV_NAME, QIV_VERSION (up to four numbers), QIV_ICON, and
; QIV_AMD64 for a 64-bit unpacker (the default is 32-bit, which runs on every Windows).
;
; Exit code: 0 when the run succeeded; 1 when it failed: the run left a non-empty errors.log (the
; cleanup program leaves it for this verdict), the run did not end as a run ends, qivstart.exe could
; not be started, or no folder of our own could be made.

Unicode true
!ifdef QIV_AMD64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
SilentInstall silent
; Declared support keeps Windows from applying compatibility shims to the program.
ManifestSupportedOS all
ManifestDPIAware true

Name "${QIV_NAME}"
OutFile "${QIV_OUTFILE}"
Icon "${QIV_ICON}"
VIProductVersion "${QIV_VIVERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${QIV_NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${QIV_VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${QIV_VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${QIV_NAME} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${QIV_NAME}"

!include FileFunc.nsh

Var package

Section
  SetErrorLevel 1
  ; A folder that did not exist before, under a name nobody can guess: a folder another program made
  ; first is never used, because CreateDirectory fails on any name that exists.
  StrCpy $R0 0
  newFolder:
    IntOp $R0 $R0 + 1
    IntCmp $R0 20 0 0 done
    System::Call 'ole32::CoCreateGuid(g .r0) i .r1'
    IntCmp $1 0 0 newFolder newFolder
    StrCpy $0 $0 36 1
    StrCpy $package "$TEMP\qiv-$0"
    System::Call 'kernel32::CreateDirectory(t "$package", p 0) i .r1'
    IntCmp $1 0 newFolder

  SetOutPath $package
  File /r "${QIV_PACKAGE}\*.*"
  FileOpen $2 "$package\startdir.txt" w
  FileWrite $2 "$EXEDIR$\r$\n"
  FileClose $2
  ; The cleanup program learns from this where to write its log, and that this unpacker waits for it.
  System::Call 'kernel32::SetEnvironmentVariable(t "QIV_START_DIR", t "$EXEDIR") i'

  StrCpy $R1 0
  ${GetParameters} $3
  ; A run that ended as runs end has deleted its installation marker and handed over to the cleanup
  ; program; otherwise nobody did, and the cleanup program runs from here.
  ; Its exit code means nothing; given a variable, ExecWait sets the error flag only when the program
  ; could not be started.
  ClearErrors
  ExecWait '"$package\qivstart.exe" $3' $5
  IfErrors noHandOver
  IfFileExists "$package\__qivinstall.sem" noHandOver handedOver
  noHandOver:
    StrCpy $R1 1
    ExecWait '"$package\cleanup.exe" "$package"' $5
  handedOver:

  ; The cleanup program's own file can be deleted once it has ended; it waits at most a minute for
  ; qivstart.exe and then only removes files.
  StrCpy $R0 0
  cleanupRuns:
    Delete "$package\__cleanup.exe"
    IfFileExists "$package\__cleanup.exe" 0 cleanupEnded
    IntOp $R0 $R0 + 1
    IntCmp $R0 900 cleanupEnded
    Sleep 100
    Goto cleanupRuns
  cleanupEnded:

  ClearErrors
  FileOpen $2 "$package\errors.log" r
  IfErrors verdict
  FileSeek $2 0 END $4
  FileClose $2
  IntCmp $4 0 verdict
  StrCpy $R1 1
  verdict:
  Delete "$package\errors.log"
  Delete "$package\cleanup.exe"
  ; A folder that is still some process's current folder cannot be removed yet (the last programs of
  ; the run may take a moment to go).
  SetOutPath $TEMP
  StrCpy $R0 0
  folderStays:
    RMDir $package
    IfFileExists "$package\*.*" 0 folderGone
    IntOp $R0 $R0 + 1
    IntCmp $R0 100 folderGone
    Sleep 100
    Goto folderStays
  folderGone:
  SetErrorLevel $R1
  done:
SectionEnd
