#!/bin/bash
# Builds the web page and packs it: build/wasm/vorel-web-<version>.zip, one
# folder vorel-web/ with index.html, app.js, style.css and vorel-engine.js.
# Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j "$(nproc)" --target web_zip >/dev/null
ls build/wasm/vorel-web-*.zip
