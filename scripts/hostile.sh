#!/bin/bash
# Feeds vorel-convert the huge and hostile files a new user might, and prints what each
# run cost: exit status, wall time and peak memory (/usr/bin/time -f %M).
# Usage: scripts/hostile.sh [BUILD_DIR]   (default build/native, configured and built here)
# Needs about 1 GB of free space in $TMPDIR (default /tmp).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build/native}
if [ "$build" = build/native ]; then
  bash scripts/setup.sh minimal
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$(nproc)" --target vorel-convert vorel_data
fi
convert=$root/$build/bin/vorel-convert
if [ ! -x /usr/bin/time ]; then
  echo "hostile: installing GNU time for the memory figures"
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends time >/dev/null
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vorel-hostile.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$root/data/config.ini" config.ini
cp -r "$root/data/keywords" keywords

mb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }
size() { if [ -e "$1" ]; then stat -c %s "$1"; else echo 0; fi; }

printf '%-34s %9s %9s %4s %8s %9s %7s  %s\n' case "in MB" "out MB" exit seconds "peak MB" "peak/io" "message"
# run NAME INPUT [vorel-convert arguments...]: converts INPUT into $out (default out.html).
run() {
  local name=$1 input=$2
  shift 2
  local out=${out:-out.html}
  rm -f out.html
  local status=0
  /usr/bin/time -o time.txt -f '%e %M' "$convert" --config-dir "$work" "$@" -o "$out" "$input" \
    2>err.txt || status=$?
  read -r secs kb < <(tail -n 1 time.txt)  # after "Command exited with non-zero status"
  local in_b out_b
  in_b=$(size "$input")
  out_b=$(size "$out")
  local ratio
  ratio=$(awk -v k="$kb" -v i="$in_b" -v o="$out_b" 'BEGIN { t = i + o; if (t < 1) t = 1; printf "%.2f", k * 1024 / t }')
  local msg
  msg=$(grep -v '^keyword\|^conversion\|^original\|^converted' err.txt | head -n 1 | cut -c1-70 || true)
  if grep -q '^keyword loading' err.txt; then
    msg="keywords $(awk '/^keyword loading/ { print $3 }' err.txt) ms, conversion $(awk '/^conversion/ { print $2 }' err.txt) ms $msg"
  fi
  printf '%-34s %9s %9s %4s %8s %9s %7s  %s\n' "$name" "$(mb "$in_b")" "$(mb "$out_b")" "$status" "$secs" \
    "$(mb $((kb * 1024)))" "$ratio" "$msg"
}

# 200 MB of real C++ (the samples, over and over).
cat "$root"/samples/sample.cpp "$root"/samples/hello.c >piece.cpp
for _ in 1 2 3 4 5; do cat piece.cpp piece.cpp piece.cpp piece.cpp >p4.cpp; mv p4.cpp piece.cpp; done
for _ in $(seq $((200000000 / $(size piece.cpp) + 1))); do cat piece.cpp; done | head -c 200000000 >big.cpp || true
rm -f piece.cpp
run "200 MB C++, HTML" big.cpp --syntax C++
run "200 MB C++, HTML, numbered" big.cpp --syntax C++ --line-numbers 1
run "200 MB C++, UBB" big.cpp --syntax C++ --format ubb
run "200 MB C++, numbered from 4294967295" big.cpp --syntax C++ --format ubb --line-numbers 4294967295
rm -f big.cpp

# One token of 50 MB: an unterminated string, an unterminated block comment, one word.
{ printf 'int x = "'; head -c 50000000 /dev/zero | tr '\0' 'x'; } >string.c
run "50 MB unterminated string" string.c --syntax C
{ printf 'int x; /*'; head -c 50000000 /dev/zero | tr '\0' '\n'; } >comment.c
run "50 MB unterminated comment (LFs)" comment.c --syntax C
head -c 50000000 /dev/zero | tr '\0' 'w' >word.c
run "50 MB single word" word.c --syntax C
rm -f string.c comment.c word.c

# Keyword files: a million entries; a million words on one line with no line end.
awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "kw%d %X\n", i, i % 16777216 }' >keywords/million.txt
printf '[Million]\r\ncase=1\r\nstxfile1=keywords/million.txt\r\ndelimiter=;(),\r\n' >>config.ini
awk 'BEGIN { for (i = 0; i < 20000; i++) printf "kw%d(kw%d);\n", i * 37, i * 53 }' >calls.c
run "keyword file of 1,000,000 entries" calls.c --syntax Million --stats
awk 'BEGIN { printf "w"; for (i = 0; i < 1000000; i++) printf " w%d", i }' >keywords/oneline.txt
printf '[OneLine]\r\nstxfile1=keywords/oneline.txt\r\n' >>config.ini
run "keyword file: 1,000,000 words, no LF" calls.c --syntax OneLine --stats
rm -f keywords/million.txt keywords/oneline.txt

# Binary garbage: as the input (with and without zero bytes), as config.ini, as a keyword file.
head -c 50000000 /dev/urandom >garbage.bin
run "50 MB random bytes as input" garbage.bin --syntax C
tr '\0' '\1' <garbage.bin >garbage-nonul.bin
run "50 MB random bytes, no zero byte" garbage-nonul.bin --syntax C
cp config.ini config.good
head -c 10000000 garbage.bin >config.ini
run "sample, 10 MB random config.ini" "$root/samples/sample.cpp" --syntax C++
cp config.good config.ini
cp garbage.bin keywords/cpp1.txt
run "sample, 50 MB random keyword file" "$root/samples/sample.cpp" --syntax C++
cp "$root/data/keywords/cpp1.txt" keywords/cpp1.txt
rm -f garbage.bin garbage-nonul.bin

# Output places: a missing folder, a read-only file system, an existing file kept on failure.
out=nowhere/x.html run "output into a missing folder" "$root/samples/hello.c" --syntax C
out=/proc/x.html run "output on /proc" "$root/samples/hello.c" --syntax C
echo KEEP >keep.html
printf 'a\0b' >nul.c
out=keep.html run "binary input over an existing file" nul.c
echo "the existing file afterwards: \"$(cat keep.html)\"; files beside it: $(ls -A | grep -c keep)"
