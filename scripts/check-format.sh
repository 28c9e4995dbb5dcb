#!/bin/bash
# Checks that every C++ file of ours follows .clang-format (test data such as
# the fuzz corpus and the golden cases is not code and is left out).
# Usage: scripts/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'fuzz/*.cpp' 'fuzz/*.h' \
                                  'bench/*.cpp' 'web/*.cpp' 'web/*.h' | grep -v '^fuzz/corpus/')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
  echo "check-format: ${#files[@]} files follow .clang-format"
fi
