/* CallInstallDll (installDll, hostWindow, optionWord, out), cdecl: calls the
   add-in's InstallDll (stdcall, two arguments) and stores the three hook
   words it answers in EAX, ECX and EDX into out. A C++ call could not see
   ECX and EDX; both are loaded with 0xDEADBEEF first, so that an add-in
   which leaves them alone shows. */
    .text
    .globl _CallInstallDll
    .def _CallInstallDll; .scl 2; .type 32; .endef
_CallInstallDll:
    pushl %ebx                  /* callee-saved: holds out across the call */
    movl 20(%esp), %ebx         /* out */
    pushl 16(%esp)              /* optionWord */
    pushl 16(%esp)              /* hostWindow (the stack moved by 4) */
    movl 16(%esp), %eax         /* installDll (moved by 8) */
    movl $0xDEADBEEF, %ecx
    movl $0xDEADBEEF, %edx
    call *%eax                  /* stdcall: pops its two arguments */
    movl %eax, (%ebx)
    movl %ecx, 4(%ebx)
    movl %edx, 8(%ebx)
    popl %ebx
    ret
