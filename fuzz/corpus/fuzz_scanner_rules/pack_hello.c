h
--8<--
files=*.c *.h
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

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
