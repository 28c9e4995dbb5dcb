#!/bin/bash
# Lists a corpus for guess_bench: real files of this machine and of a few
# Debian packages (fetched with apt-get download and unpacked into
# build/guess-debs/root), each with the section its language is, up to
# PER_LANGUAGE files per language spread evenly over the sorted paths.
# Languages no package here holds (Java, Kotlin, Swift, Visual Basic, x86
# assembly; C# has one file) take the sample in samples/ too.  The .cs files
# of groff and Vim are Czech text, and emscripten's .s files WebAssembly: left out.
# Usage: bench/guess_corpus.sh [LIST [PER_LANGUAGE]]   (default build/guess-corpus.txt, 80)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/guess-corpus.txt}
per=${2:-80}
debs=build/guess-debs
export LC_ALL=C

if [ ! -d "$debs/root" ]; then
  mkdir -p "$debs"
  (cd "$debs" && apt-get download libruby3.1 lua-penlight golang-golang-x-sys-dev librust-serde-dev \
      librust-regex-syntax-dev node-typescript)
  for d in "$debs"/*.deb; do dpkg-deb -x "$d" "$debs/root"; done
fi

# Takes paths on standard input; prints "syntax<TAB>path" for up to $per of
# them, every n-th of the sorted list.
pick() {
  sort -u | awk -v s="$1" -v per="$per" '{ p[NR] = $0 } END {
    step = NR > per ? NR / per : 1
    for (i = 1; i <= NR && n < per; i += step) { print s "\t" p[int(i)]; n++ } }'
}

# Scripts in /usr/bin by their interpreter.
scripts() {
  for f in /usr/bin/*; do
    [ -f "$f" ] || continue
    head -c 2 "$f" 2>/dev/null | grep -q '^#!' || continue
    head -n 1 "$f" | grep -Eq "$1" && echo "$f"
  done
}

{
  find /usr/lib/python3* -name '*.py' -size +1k | pick Python
  { find /usr/share/perl* /usr/lib/x86_64-linux-gnu/perl* -name '*.pm' -size +1k; scripts 'perl'; } | pick Perl
  { find /usr -name '*.sh' -size +1k 2>/dev/null; scripts '/(ba|da|k)?sh( |$)'; } | pick 'Shell (bash)'
  find /usr -name '*.c' -size +1k 2>/dev/null | pick C
  { find /usr -name '*.cpp' -size +1k 2>/dev/null; find /usr -name '*.cc' -size +1k 2>/dev/null;
    find /usr/include/c++/12 -maxdepth 1 -type f -size +1k; } | pick C++
  find /usr/share/nodejs /usr/lib/node_modules -name '*.js' -size +1k 2>/dev/null | pick JavaScript
  find "$debs/root" -name '*.ts' -size +1k | pick TypeScript
  find /usr -name '*.php' -size +1k 2>/dev/null | pick PHP
  find /usr/share/doc /usr/share/emscripten -name '*.html' -size +1k 2>/dev/null | pick HTML
  find /usr -name '*.css' -size +1k 2>/dev/null | pick CSS
  find /usr -name '*.sql' -size +1k 2>/dev/null | pick SQL
  find /usr -name '*.xml' -size +1k 2>/dev/null | pick XML
  # INI: *.ini, and systemd units and desktop entries, which are INI files too.
  { find /usr /etc -name '*.ini' -size +1k; find /usr/lib/systemd -name '*.service' -size +1k;
    find /usr/share/applications -name '*.desktop' -size +1k; } 2>/dev/null | pick INI
  find /usr -name '*.pas' -size +1k 2>/dev/null | pick Pascal/Delphi
  find /usr -name '*.ps1' 2>/dev/null | pick PowerShell
  find /usr \( -name '*.bat' -o -name '*.cmd' \) 2>/dev/null | pick 'Batch (cmd)'
  find /usr \( -name Makefile -o -name '*.mk' -o -name 'Makefile.am' \) -size +1k 2>/dev/null | pick Makefile
  find "$debs/root" -name '*.rb' -size +1k | pick Ruby
  find "$debs/root" -name '*.lua' -size +1k | pick Lua
  find "$debs/root" -name '*.go' -size +1k | pick Go
  find "$debs/root" -name '*.rs' -size +1k | pick Rust
  find /usr/lib/node_modules -name '*.cs' | pick C#
  for s in java:Java kt:Kotlin swift:Swift vb:'Visual Basic' cs:C# ps1:PowerShell asm:'x86 Assembly'; do
    find samples -name "*.${s%%:*}" | pick "${s#*:}"
  done
} > "$out"
cut -f1 "$out" | sort | uniq -c >&2
