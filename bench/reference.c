/* Speed-of-light line for the converter benchmark: the least work a byte-wise
 * markup pass can do.  64 KiB reads, one table lookup per byte, four output
 * bytes per input byte, 256 KiB writes.
 * Usage: reference INPUT OUTPUT */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

enum { IN_SIZE = 64 * 1024, OUT_SIZE = 256 * 1024, PER_BYTE = 4 };

static int write_all(int fd, const unsigned char *p, size_t n) {
  while (n) {
    ssize_t w = write(fd, p, n);
    if (w < 0) return -1;
    p += w;
    n -= (size_t)w;
  }
  return 0;
}

int main(int argc, char **argv) {
  static unsigned char in[IN_SIZE];
  static unsigned char out[OUT_SIZE];
  static unsigned char table[256][PER_BYTE];

  if (argc != 3) {
    fprintf(stderr, "usage: %s INPUT OUTPUT\n", argv[0]);
    return 2;
  }
  /* Four bytes per value so the compiler cannot fold the lookup away. */
  for (int i = 0; i < 256; i++) {
    static const char hex[] = "0123456789ABCDEF";
    table[i][0] = '%';
    table[i][1] = (unsigned char)hex[i >> 4];
    table[i][2] = (unsigned char)hex[i & 15];
    table[i][3] = (unsigned char)i;
  }

  int fin = open(argv[1], O_RDONLY);
  if (fin < 0) { perror(argv[1]); return 1; }
  int fout = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fout < 0) { perror(argv[2]); return 1; }

  size_t used = 0;
  for (;;) {
    ssize_t n = read(fin, in, sizeof in);
    if (n < 0) { perror("read"); return 1; }
    if (n == 0) break;
    /* OUT_SIZE is a multiple of IN_SIZE * PER_BYTE, so a whole read always
     * fits after at most one flush. */
    if (used + (size_t)n * PER_BYTE > sizeof out) {
      if (write_all(fout, out, used) != 0) { perror("write"); return 1; }
      used = 0;
    }
    for (ssize_t i = 0; i < n; i++) {
      memcpy(out + used, table[in[i]], PER_BYTE);
      used += PER_BYTE;
    }
  }
  if (write_all(fout, out, used) != 0 || close(fout) != 0) { perror("write"); return 1; }
  close(fin);
  return 0;
}
