; The install benchmark's peer: the same 100 files with the same times,
; packed by another installer system with zlib (not solid), installed
; silently into the folder given with /D=. makensis -DSTAGE=... -DOUTFILE=...
Unicode true
SetCompressor zlib
Name "Install benchmark peer"
OutFile "${OUTFILE}"
RequestExecutionLevel user
SilentInstall silent
InstallDir "C:\lvbench\peer"

Section
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
SectionEnd
