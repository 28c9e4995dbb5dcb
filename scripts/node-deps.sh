#!/bin/bash
# Installs the JavaScript suites' packages (package.json at the top of the
# tree) exactly as package-lock.json has them, when they are not installed
# already at that lock.  Sourced or run by every script that needs them.
vorel_node_deps() {
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  if ! cmp -s "$root/package-lock.json" "$root/node_modules/.vorel-installed-lock"; then
    (cd "$root" && npm ci --no-audit --no-fund && cp package-lock.json node_modules/.vorel-installed-lock)
  fi
}
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  vorel_node_deps
fi
