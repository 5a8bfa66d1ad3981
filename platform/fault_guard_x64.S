# int WexoCallGuarded(void (*body)(void*), void* context, GuardedFault* fault)
#
# Calls body(context) inside one scope of a __try/__except, written out by hand because GCC has no such
# statement: the unwind data name __C_specific_handler as the frame's handler, with one scope entry whose filter,
# WexoGuardFilter, records the fault and answers EXCEPTION_EXECUTE_HANDLER. The handler then unwinds every frame
# above this one (RtlUnwindEx, running their termination handlers) and resumes at .Lfault with this frame's stack
# and non-volatile registers. Returns 0 when body returned, 1 after a fault.
        .text
        .p2align 4
        .globl  WexoCallGuarded
        .def    WexoCallGuarded; .scl 2; .type 32; .endef
        .seh_proc WexoCallGuarded
WexoCallGuarded:
        # 32 bytes of home area for the callee, then the fault record's address at 32(%rsp), which keeps the
        # stack 16-byte aligned at the call.
        subq    $40, %rsp
        .seh_stackalloc 40
        .seh_endprologue
        .seh_handler __C_specific_handler, @except
        .seh_handlerdata
        .long   1
        .rva    .Lbegin, .Lend, WexoGuardFilter, .Lfault
        .text
        movq    %r8, 32(%rsp)
.Lbegin:
        movq    %rcx, %rax
        movq    %rdx, %rcx
        callq   *%rax
        # Keeps the return address inside the scope, however the dispatcher looks at it.
        nop
.Lend:
        xorl    %eax, %eax
        addq    $40, %rsp
        ret
.Lfault:
        movl    $1, %eax
        addq    $40, %rsp
        ret
        .seh_endproc
