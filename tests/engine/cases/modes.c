/* a[i] & b < c: the [b]tags[/b] of a post */
#include <stdio.h>

int main(void) {
	char s[] = "[b]&amp;[/b]";	// a[0] & 1
	if (s[1] && 2 > 1)	return 0;
    int	x = 1;  /* tab	inside, [url]x[/url] */
	return x;
}
