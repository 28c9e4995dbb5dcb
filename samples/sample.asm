; sample.asm: prints a string and its length, an example of x86-64 assembly
; (NASM syntax, Linux system calls).
        bits    64
        default rel

        section .data
msg:    db      "Hello from assembly!", 10
msglen  equ     $ - msg
digits: db      '0123456789'

        section .bss
numbuf: resb    20

        section .text
        global  _start

_start:
        mov     rax, 1                  ; write(1, msg, msglen)
        mov     rdi, 1
        lea     rsi, [msg]
        mov     rdx, msglen
        syscall

        mov     rax, msglen             ; convert the length to decimal
        lea     rdi, [numbuf + 19]
        mov     byte [rdi], 10          ; trailing newline
        mov     rcx, 10
.next:
        xor     edx, edx
        div     rcx                     ; rax = rax / 10, rdx = digit
        lea     rbx, [digits]
        mov     dl, [rbx + rdx]
        dec     rdi
        mov     [rdi], dl
        test    rax, rax
        jnz     .next

        mov     rax, 1                  ; write the number
        mov     rsi, rdi
        lea     rdx, [numbuf + 20]
        sub     rdx, rdi
        mov     rdi, 1
        syscall

        mov     rax, 60                 ; exit(0)
        xor     edi, edi
        syscall
