; main.asm: shows the first string of rsrc.rc in a message box.
.386
.model flat, stdcall
option casemap:none

include \masm32\include\windows.inc
include \masm32\include\kernel32.inc

; Declared by hand instead of through user32.inc, and misspelt: ML takes
; the prototype, but no library has a MessageBoxX for LINK to find.
MessageBoxX PROTO :DWORD, :DWORD, :DWORD, :DWORD
LoadStringA PROTO :DWORD, :DWORD, :DWORD, :DWORD

.data?
Text db 128 dup(?)

.code
start:
    invoke GetModuleHandle, NULL
    invoke LoadStringA, eax, 1, addr Text, sizeof Text
    invoke MessageBoxX, NULL, addr Text, NULL, MB_OK
    invoke ExitProcess, 0
end start
