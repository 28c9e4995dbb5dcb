h
--8<--
files=*.py *.pyw *.pyi SConstruct SConscript
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/@`$
color_string=1515A3
color_comment=2008000
comment1=#

--8<--

--8<--
#!/usr/bin/env python3
# sample.py: finds duplicate files by content, a small example of Python.
import hashlib
import sys
from collections import defaultdict
from pathlib import Path

CHUNK = 1 << 16


def digest(path: Path) -> str:
    """Return the SHA-256 of a file, read in chunks."""
    h = hashlib.sha256()
    with open(path, "rb") as f:
        while True:
            block = f.read(CHUNK)
            if not block:
                break
            h.update(block)
    return h.hexdigest()


def find_duplicates(root):
    by_size = defaultdict(list)
    for path in Path(root).rglob('*'):
        if path.is_file():
            by_size[path.stat().st_size].append(path)

    groups = defaultdict(list)
    for size, paths in by_size.items():
        if len(paths) < 2:
            continue          # a unique size cannot have a twin
        for path in paths:
            groups[digest(path)].append(path)
    return [g for g in groups.values() if len(g) > 1]


class Report:
    def __init__(self, groups):
        self.groups = groups

    def __str__(self):
        lines = [f"{len(self.groups)} groups of duplicates"]
        for group in self.groups:
            lines.extend("  " + str(p) for p in sorted(group))
        return "\n".join(lines)


if __name__ == "__main__":
    root = sys.argv[1] if len(sys.argv) > 1 else '.'
    print(Report(find_duplicates(root)))
