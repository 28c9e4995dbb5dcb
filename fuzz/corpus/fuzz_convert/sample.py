[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/@`$
color_string=1515A3
color_comment=2008000
comment1=#

--8<--
and 1C00000
as 1C00000
assert 1C00000
async 1C00000
await 1C00000
break 1C00000
case 1C00000
class 1C00000
continue 1C00000
def 1C00000
del 1C00000
elif 1C00000
else 1C00000
except 1C00000
False 1C00000
finally 1C00000
for 1C00000
from 1C00000
global 1C00000
if 1C00000
import 1C00000
in 1C00000
is 1C00000
lambda 1C00000
match 1C00000
None 1C00000
nonlocal 1C00000
not 1C00000
or 1C00000
pass 1C00000
raise 1C00000
return 1C00000
True 1C00000
try 1C00000
while 1C00000
with 1C00000
yield 1C00000

--8<--
__doc__ A00080
__enter__ A00080
__exit__ A00080
__file__ A00080
__import__ A00080
__init__ A00080
__main__ A00080
__name__ A00080
__repr__ A00080
__str__ A00080
abs A00080
aiter A00080
all A00080
anext A00080
any A00080
argparse A00080
ascii A00080
AssertionError A00080
AttributeError A00080
BaseException A00080
bin A00080
bool A00080
breakpoint A00080
bytearray A00080
bytes A00080
callable A00080
chr A00080
classmethod A00080
cls A00080
collections A00080
compile A00080
complex A00080

--8<--
s 0 3 S
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
