#!/bin/bash
# Builds the benchmark corpus: real C/C++ source from this machine (GoogleTest's
# sources, then the libstdc++ headers), whole files in sorted path order,
# concatenated to 1, 10 and 50 MB (10^6 bytes).  The pool is cycled when it is
# smaller than the target; the last file is cut at a line end so each corpus is
# at most its target size.  Same packages, same bytes: MANIFEST records the
# package versions and the checksums.
# Usage: bench/make_corpus.sh [OUT_DIR [SIZE_MB...]]   (default build/bench-corpus, 1 10 50)
set -euo pipefail
cd "$(dirname "$0")/.."
out_dir=${1:-build/bench-corpus}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 10 50)

roots=(/usr/src/googletest /usr/include/c++/12)
for r in "${roots[@]}"; do
  [ -d "$r" ] || { echo "missing $r (apt-get install googletest libstdc++-12-dev)" >&2; exit 1; }
done

mkdir -p "$out_dir"
export LC_ALL=C

# GoogleTest also ships CMake and Python files; keep the C/C++ ones.  The
# libstdc++ headers are all C++, many without an extension.
mapfile -d '' files < <(
  { find /usr/src/googletest -type f \( -name '*.h' -o -name '*.cc' -o -name '*.cpp' \
      -o -name '*.hpp' -o -name '*.c' \) -print0
    find /usr/include/c++/12 -type f -print0; } | sort -z)
[ ${#files[@]} -gt 0 ] || { echo "no source files found" >&2; exit 1; }

mapfile -t sizes_of < <(stat -c %s -- "${files[@]}")
pool=0
for s in "${sizes_of[@]}"; do pool=$((pool + s)); done

build() {  # build TARGET_BYTES OUT_FILE
  local target=$1 out=$2 total=0 i s
  : > "$out.tmp"
  while :; do
    for i in "${!files[@]}"; do
      s=${sizes_of[$i]}
      if (( total + s <= target )); then
        cat -- "${files[$i]}" >> "$out.tmp"
        total=$((total + s))
      else
        # Whole lines of the next file that still fit.
        local lines
        lines=$(head -c $((target - total)) -- "${files[$i]}" | tr -cd '\n' | wc -c)
        head -n "$lines" -- "${files[$i]}" >> "$out.tmp"
        mv "$out.tmp" "$out"
        return
      fi
    done
  done
}

{
  echo "# Vorel benchmark corpus"
  echo "roots: ${roots[*]}"
  echo "files in pool: ${#files[@]} ($pool bytes)"
  dpkg-query -W -f='package: ${Package} ${Version}\n' googletest libstdc++-12-dev 2>/dev/null || true
} > "$out_dir/MANIFEST"
printf '%s\n' "${files[@]}" > "$out_dir/files.txt"

for mb in "${sizes[@]}"; do
  f="$out_dir/corpus-${mb}mb.cpp"
  build $((mb * 1000000)) "$f"
  (cd "$out_dir" && sha256sum "$(basename "$f")") >> "$out_dir/MANIFEST"
  echo "$f: $(stat -c %s "$f") bytes, $(wc -l < "$f") lines"
done
echo "manifest: $out_dir/MANIFEST"
