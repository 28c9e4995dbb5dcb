#!/bin/bash
# Converts every sample with its shipped syntax into docs/gallery/ (one HTML
# page each plus an index that embeds them all) and, with --screenshot, renders
# the index in headless Chromium into docs/gallery.png.
# Usage: scripts/gallery.sh [--screenshot]
# VOREL_CONVERT names the converter to use; by default the native build's.
set -euo pipefail
cd "$(dirname "$0")/.."

# sample file | syntax (section of data/config.ini)
samples=(
  "hello.c|C"
  "sample.cpp|C++"
  "sample.cs|C#"
  "Sample.java|Java"
  "sample.js|JavaScript"
  "sample.ts|TypeScript"
  "sample.py|Python"
  "sample.php|PHP"
  "sample.html|HTML"
  "sample.css|CSS"
  "sample.sql|SQL"
  "sample.sh|Shell (bash)"
  "sample.bat|Batch (cmd)"
  "sample.ps1|PowerShell"
  "sample.go|Go"
  "sample.rs|Rust"
  "sample.kt|Kotlin"
  "sample.swift|Swift"
  "sample.vb|Visual Basic"
  "sample.pas|Pascal/Delphi"
  "sample.pl|Perl"
  "sample.rb|Ruby"
  "sample.lua|Lua"
  "sample.xml|XML"
  "sample.ini|INI"
  "sample.mk|Makefile"
  "sample.asm|x86 Assembly"
  "sample.m|Objective-C"
  "sample.scala|Scala"
  "sample.r|R"
  "matrix_stats.m|MATLAB"
  "sample.dart|Dart"
  "sample.hs|Haskell"
  "sample.ex|Elixir"
  "sample.erl|Erlang"
  "sample.clj|Clojure"
  "sample.fs|F#"
  "sample.ml|OCaml"
  "sample.jl|Julia"
  "sample.groovy|Groovy"
  "sample.f90|Fortran"
  "sample.cob|COBOL"
  "sample.adb|Ada"
  "sample.vhd|VHDL"
  "sample.sv|Verilog"
  "sample.tcl|Tcl"
  "sample.awk|AWK"
  "sample.scm|Scheme"
  "sample.lisp|Common Lisp"
  "sample.el|Emacs Lisp"
  "sample.pro|Prolog"
  "sample.zig|Zig"
  "sample.nim|Nim"
  "sample.d|D"
  "sample.cr|Crystal"
  "sample.sol|Solidity"
  "sample.graphql|GraphQL"
  "sample.yaml|YAML"
  "sample.json|JSON"
  "sample.toml|TOML"
  "sample.md|Markdown"
  "Dockerfile|Dockerfile"
  "sample.cmake|CMake"
  "sample.nix|Nix"
  "sample.tf|HCL"
  "sample.proto|Protobuf"
  "sample.diff|Diff"
  "sample.tex|LaTeX"
  "sample.vim|Vim script"
  "sample.ahk|AutoHotkey"
  "sample.frag|GLSL"
  "sample.hlsl|HLSL"
  "sample.cu|CUDA"
  "sample.sx|GNU asm"
)

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

for entry in "${samples[@]}"; do
  file=${entry%%|*}
  syntax=${entry#*|}
  page="$(echo "$file" | tr '.' '_').html"
  "$convert" --config-dir data --syntax "$syntax" --format html --line-numbers 1 \
    -o "$out/$page" "samples/$file"
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
