#!/bin/bash
# Builds the web page and packs it: build/wasm/vorel-web-<version>.zip, one
# folder vorel-web/ with index.html, app.js, style.css, bbcode.js and
# vorel-engine.js.
# Prints the zip's path on stdout (one: a zip of an earlier version is removed
# first); the build's own output goes to stderr.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -f build/wasm/vorel-web-*.zip
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j "$(nproc)" --target web_zip >&2
ls build/wasm/vorel-web-*.zip
