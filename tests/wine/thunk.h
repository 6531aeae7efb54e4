/*
 * thunk.h - calls a function with a block of argument bytes and measures
 * how many of them the callee removed from the stack.
 *
 * A stdcall function must pop exactly its argument bytes on return.  The
 * thunk copies the arguments to a 16-byte aligned place below the stack
 * pointer, calls the function, and compares the stack pointer after the
 * return with the one at the call.  The stack is restored from a register
 * the callee must preserve, so a wrong count is reported, not fatal.
 */
#ifndef THUNK_H
#define THUNK_H

#include <stdint.h>

typedef struct ThunkResult {
    uint32_t eax;
    uint32_t edx;
} ThunkResult;

/* Returns the number of argument bytes the callee removed. */
int32_t __cdecl thunk_call(const void *fn, const void *args, uint32_t nbytes, ThunkResult *result);

__asm__(".text\n"
        ".globl _thunk_call\n"
        "_thunk_call:\n"
        "    pushl %ebp\n"
        "    movl  %esp, %ebp\n"
        "    pushl %ebx\n"
        "    pushl %esi\n"
        "    pushl %edi\n"
        "    movl  %esp, %ebx\n"     /* ebx: stack to come back to */
        "    movl  16(%ebp), %ecx\n" /* nbytes */
        "    movl  %esp, %edi\n"
        "    subl  %ecx, %edi\n"
        "    subl  $64, %edi\n"
        "    andl  $-16, %edi\n" /* edi: aligned start of the arguments */
        "    movl  %edi, %esp\n"
        "    movl  12(%ebp), %esi\n"
        "    cld\n"
        "    rep movsb\n" /* edi ends at start + nbytes */
        "    movl  8(%ebp), %eax\n"
        "    call  *%eax\n"
        "    movl  %esp, %ecx\n" /* stack after the callee returned */
        "    movl  %ebx, %esp\n"
        "    movl  20(%ebp), %esi\n"
        "    movl  %eax, 0(%esi)\n"
        "    movl  %edx, 4(%esi)\n"
        "    movl  %ecx, %eax\n" /* removed = after - (start) */
        "    subl  %edi, %eax\n" /*         = after - (edi - nbytes) */
        "    addl  16(%ebp), %eax\n"
        "    popl  %edi\n"
        "    popl  %esi\n"
        "    popl  %ebx\n"
        "    popl  %ebp\n"
        "    ret\n");

#endif /* THUNK_H */
