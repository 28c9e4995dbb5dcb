#!/bin/bash
# The main job on a shipped sample: builds vorel-convert and converts a C++
# sample with the shipped language pack into an HTML page.
# Usage: scripts/run.sh [INPUT [SYNTAX]]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh minimal
input=${1:-samples/sample.cpp}
syntax=${2:-C++}
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target vorel-convert vorel_data
out=build/native/$(basename "$input").html
build/native/bin/vorel-convert --syntax "$syntax" --format html --stats -o "$out" "$input"
echo "Converted $input ($syntax) to HTML: $(pwd)/$out"
