; hello.asm: a message box that says hello, and the program ends.
; nmake builds it (see makefile): ml /c /coff, then link /SUBSYSTEM:WINDOWS.
.386
.model flat, stdcall
option casemap:none

include \masm32\include\windows.inc
include \masm32\include\user32.inc
include \masm32\include\kernel32.inc

.data
MsgText    db "Hello, world", 0 xyz
MsgCaption db "hello", 0

.code
start:
    ; MessageBox takes the owner, the text, the caption and the style;
    ; invoke pushes them in the order the procedure's prototype wants.
    mov eax, MB_OK
    invoke MessageBoxX, NULL, addr MsgText, addr MsgCaption, eax
    invoke ExitProcess, 0
end start
