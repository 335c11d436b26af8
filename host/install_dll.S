/* InstallDll (hostWindow, optionWord), stdcall: the host reads three hook
   words from EAX, ECX and EDX as the call returns. A C++ function sets only
   EAX reliably, so this stub calls the C++ body, which returns the address
   of the three words, and loads all three registers from it. */
    .text
    .globl _InstallDll@8
    .def _InstallDll@8; .scl 2; .type 32; .endef
_InstallDll@8:
    pushl 8(%esp)               /* optionWord */
    pushl 8(%esp)               /* hostWindow (the stack moved by 4) */
    call _InstallAddin@8
    movl 8(%eax), %edx
    movl 4(%eax), %ecx
    movl (%eax), %eax
    ret $8
