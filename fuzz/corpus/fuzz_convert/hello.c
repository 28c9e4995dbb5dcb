[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
#define 50A0
#elif 50A0
#elifdef 50A0
#elifndef 50A0
#else 50A0
#embed 50A0
#endif 50A0
#error 50A0
#if 50A0
#ifdef 50A0
#ifndef 50A0
#include 50A0
#line 50A0
#pragma 50A0
#undef 50A0
#warning 50A0
_Alignas 1C00000
_Alignof 1C00000
_Atomic 1C00000
_BitInt 1C00000
_Bool 1C00000
_Complex 1C00000
_Decimal128 1C00000
_Decimal32 1C00000
_Decimal64 1C00000
_Generic 1C00000
_Imaginary 1C00000
_Noreturn 1C00000
_Static_assert 1C00000
_Thread_local 1C00000
alignas 1C00000
alignof 1C00000
auto 1C00000
bool 1C00000
break 1C00000
case 1C00000
char 1C00000
const 1C00000
constexpr 1C00000
continue 1C00000
default 1C00000
defined 50A0
do 1C00000
double 1C00000
else 1C00000
enum 1C00000
extern 1C00000

--8<--
__cplusplus A00080
__DATE__ A00080
__FILE__ A00080
__func__ A00080
__LINE__ A00080
__STDC__ A00080
__STDC_VERSION__ A00080
__TIME__ A00080
_Exit A00080
abort A00080
abs A00080
acos A00080
aligned_alloc A00080
asctime A00080
asin A00080
assert A00080
atan A00080
atan2 A00080
atexit A00080
atof A00080
atoi A00080
atol A00080
atoll A00080
bsearch A00080
BUFSIZ A00080
calloc A00080
ceil A00080
CHAR_BIT A00080
CHAR_MAX A00080
CHAR_MIN A00080
clearerr A00080
clock A00080
clock_t A00080
cos A00080

--8<--
s 0 3 S
--8<--
/* hello.c: counts the words of its input, a small example of ordinary C.
 * Build: cc -std=c11 -Wall -o hello hello.c
 */
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_WORD 64

typedef struct {
    unsigned long words;
    unsigned long lines;
    size_t longest;
} Counts;

static int is_word_char(int c)
{
    return isalnum(c) || c == '_';
}

static Counts count_stream(FILE *in)
{
    Counts counts = {0, 0, 0};
    size_t length = 0;
    int c;

    while ((c = getc(in)) != EOF) {
        if (c == '\n')
            counts.lines++;
        if (is_word_char(c)) {
            length++;                      // still inside a word
            continue;
        }
        if (length > 0) {
            counts.words++;
            if (length > counts.longest)
                counts.longest = length;
            length = 0;
        }
    }
    if (length > 0)
        counts.words++;
    return counts;
}

int main(int argc, char *argv[])
{
    FILE *in = argc > 1 ? fopen(argv[1], "r") : stdin;
    if (in == NULL) {
        fprintf(stderr, "hello: cannot open %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    Counts counts = count_stream(in);
    printf("%lu lines, %lu words, longest %zu\n",
           counts.lines, counts.words, counts.longest);
    if (in != stdin)
        fclose(in);
    return EXIT_SUCCESS;
}
