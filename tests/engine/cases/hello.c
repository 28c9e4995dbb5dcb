#include <stdio.h>
#include "local.h"

/* A small program:
   prints a greeting & counts. */
static const char *greeting = "Hello, <world> & all";

struct point { int x, y; };

int main(void)
{
    char c = '<';
    int i;
    for (i = 0; i < 3 && i >= 0; i++) {   // loop <3>
        printf("%d: %s\n", i, greeting);
    }
    if (c == '>') return 1; else return 0;
}
