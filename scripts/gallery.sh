#!/bin/bash
# Converts every sample with its shipped syntax into docs/gallery/ (one HTML
# page each plus an index that embeds them all) and, with --screenshot, renders
# the index in headless Chromium into docs/gallery.png.
# Usage: scripts/gallery.sh [--screenshot]
# VOREL_CONVERT names the converter to use; by default the native build's.
set -euo pipefail
cd "$(dirname "$0")/.."

# The samples in the index's order; each converts under the syntax its file
# name chooses (the "files" key of data/config.ini).
samples=(hello.c sample.cpp sample.cs Sample.java sample.js sample.ts sample.py sample.php sample.html
         sample.css sample.sql sample.sh sample.bat sample.ps1 sample.go sample.rs sample.kt sample.swift
         sample.vb sample.pas sample.pl sample.rb sample.lua sample.xml sample.ini sample.mk sample.asm
         sample.m sample.scala sample.r matrix_stats.m sample.dart sample.hs sample.ex sample.erl
         sample.clj sample.fs sample.ml sample.jl sample.groovy sample.f90 sample.cob sample.adb sample.vhd
         sample.sv sample.tcl sample.awk sample.scm sample.lisp sample.el sample.pro sample.zig sample.nim
         sample.d sample.cr sample.sol sample.graphql sample.yaml sample.json sample.toml sample.md
         Dockerfile sample.cmake sample.nix sample.tf sample.proto sample.diff sample.tex sample.vim
         sample.ahk sample.frag sample.hlsl sample.cu sample.sx)

convert=${VOREL_CONVERT:-}
if [ -z "$convert" ]; then
  cmake --preset native >/dev/null
  cmake --build --preset native -j 2 --target vorel-convert
  convert=build/native/bin/vorel-convert
fi

out=docs/gallery
mkdir -p "$out"
rm -f "$out"/*.html

index="$out/index.html"
{
  echo '<html><head><meta http-equiv="Content-Type" content="text/html; charset=big5">'
  echo '<title>Vorel language pack gallery</title>'
  echo '<style>body{font-family:Arial,sans-serif;margin:12px;background:#fff}'
  echo 'h1{font-size:18px;margin:0 0 6px}p{font-size:12px;margin:0 0 10px}'
  echo '.grid{display:grid;grid-template-columns:repeat(3,1fr);gap:10px}'
  echo '.cell{border:1px solid #ccc}.cell h2{font-size:13px;margin:0;padding:3px 6px;background:#eee}'
  echo 'iframe{width:100%;height:760px;border:0}</style></head><body>'
  echo '<h1>Vorel language pack: every shipped syntax on its sample</h1>'
  echo '<p>Each page is the converter'"'"'s HTML output (line numbers from 1) with the shipped data/config.ini.</p>'
  echo '<div class="grid">'
} > "$index"

for file in "${samples[@]}"; do
  page="$(echo "$file" | tr '.' '_').html"
  told=$("$convert" --config-dir data --format html --line-numbers 1 --stats \
    -o "$out/$page" "samples/$file" 2>&1 | sed -n 's/^syntax: *\(.*\) (from the file name)$/\1/p')
  [ -n "$told" ] || { echo "gallery: no syntax chooses samples/$file" >&2; exit 1; }
  syntax=$told
  echo "<div class=\"cell\"><h2><a href=\"$page\">$syntax</a> &ndash; $file</h2>" \
       "<iframe src=\"$page\"></iframe></div>" >> "$index"
done
echo '</div></body></html>' >> "$index"
echo "gallery: $(pwd)/$index (${#samples[@]} samples)"

if [ "${1:-}" = "--screenshot" ]; then
  browser=$(command -v chromium || command -v chromium-browser)
  profile=$(mktemp -d)
  "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --window-size=1500,1650 \
    --screenshot="$(pwd)/docs/gallery.png" "file://$(pwd)/$index" 2>/dev/null
  rm -rf "$profile"
  echo "screenshot: $(pwd)/docs/gallery.png"
fi
