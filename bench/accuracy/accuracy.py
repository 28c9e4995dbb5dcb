#!/usr/bin/python3
"""Colouring accuracy of vorel-convert, measured against Pygments on real files.

Every non-blank byte of every corpus file is classed comment / string /
keyword / other twice: once from vorel-convert's HTML output (run on a copy of
the language pack whose colours are replaced by one distinct colour per class),
once from the token types of Pygments' lexer for the language. See README.md.

  accuracy.py fetch                 download and unpack the corpus packages
  accuracy.py run [LANG ...]        measure (fetching what is missing) and print
  accuracy.py check                 run, then fail when a language is below its floor
  accuracy.py floors                run, then rewrite floors.txt (measured - 0.5)
"""

import argparse
import bisect
import collections
import fnmatch
import hashlib
import multiprocessing
import os
import re
import shutil
import subprocess
import sys
import tarfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CACHE = os.path.join(ROOT, "build", "accuracy")

# Classes. vorel side: from the output colour; Pygments side: from the token type.
C, S, K, K2, O, UNK = 1, 2, 3, 4, 5, 6  # vorel: K = first keyword file, K2 = second
PB, PP, PX, PA = 4, 6, 7, 8  # Pygments: builtin-ish name, preprocessor line, excluded, any
# PA: Pygments' class of a free-text value (INI): string, keyword and other all agree with it.
VNAMES = {C: "comment", S: "string", K: "keyword", K2: "library", O: "other", UNK: "other(?)"}
PNAMES = {C: "comment", S: "string", K: "keyword", PB: "builtin", O: "other", PP: "preproc",
          PX: "excluded", PA: "value"}

# Colours written into the measuring copy of the pack (RRGGBB reads the same in BBGGRR).
COLOURS = {"111111": C, "222222": S, "333333": K, "444444": K2}


def strict_v(v):
    return K if v == K2 else (O if v == UNK else v)


def strict_p(p):
    return {PB: O, PP: O}.get(p, p)


def build_code_tables():
    """For each combined byte (vorel class << 4 | Pygments class): agreement flags."""
    strict, lenient, excluded = set(), set(), set()
    for v in range(1, 7):
        for p in range(1, 9):
            code = v << 4 | p
            if p == PX:
                excluded.add(code)
                continue
            if p == PA:
                if strict_v(v) != C:
                    strict.add(code)
                    lenient.add(code)
                continue
            sv, sp = strict_v(v), strict_p(p)
            if sv == sp:
                strict.add(code)
                lenient.add(code)
            elif (v == K2 or p == PB) and sv in (K, O) and sp in (K, O):
                lenient.add(code)  # a library or builtin name: keyword colour or none
            elif p == PP and sv != C:
                lenient.add(code)  # the rest of a directive line, to Pygments all one token
    return strict, lenient, excluded


STRICT, LENIENT, EXCLUDED = build_code_tables()

# --------------------------------------------------------------------------------------------
# Per-language rules: Pygments token types classed differently from the default, and known
# Pygments errors whose bytes are left out of the comparison (each with the reason).

# (language, token type as text, class) ; the most specific matching type wins.
MAPPINGS = {
    # An INI value is free text: Pygments colours the whole value after '=' as a string, we
    # colour only quoted parts and the boolean words in it. Section headers and key names
    # are plain text for us. So a value may be string, keyword or other.
    "INI": {"Token.Literal.String": PA, "Token.Keyword": O, "Token.Name.Attribute": O},
    # HTML: we colour tag names (with the '/' of a closing tag: the word "/div") as reserved
    # words, attributes and entities from the second file. Pygments' punctuation '</' is
    # therefore counted as either, and the text between tags (Pygments: Text) is other.
    "HTML": {"Token.Name.Tag": K, "Token.Name.Attribute": PB, "Token.Punctuation": PB},
    "XML": {"Token.Name.Tag": PB, "Token.Name.Attribute": PB, "Token.Punctuation": PB},
    # Perl: Pygments gives everything after __END__ (POD, data) Comment.Preproc.
    "Perl": {"Token.Comment.Preproc": C},
    # CSS: Pygments gives units (px, em) Keyword.Type, vendor prefixes (-webkit-) Keyword.Pseudo
    # and property values (flex, wrap) Keyword.Constant; we colour none of these, by choice.
    "CSS": {"Token.Keyword.Type": PB, "Token.Keyword.Pseudo": PB, "Token.Keyword.Constant": PB},
    # TypeScript: Pygments gives every name after ':' (user types too) Keyword.Type.
    "TypeScript": {"Token.Keyword.Type": PB},
    # Haskell: Pygments gives every capitalised name (user types and constructors too)
    # Keyword.Type, and the reserved operators (->, ::, =, <-) Operator.Word; we colour the
    # Prelude's types and leave operators plain, as for every other language.
    "Haskell": {"Token.Keyword.Type": PB, "Token.Operator.Word": PB},
    # Assembly: Pygments types instruction mnemonics Name.Function; they are the keywords.
    "x86 Assembly": {"Token.Name.Function": K},
    "GNU asm": {"Token.Name.Function": K},
    # Pascal's compiler directives {$IFDEF X} are comments to the language: we colour them so.
    "Pascal/Delphi": {"Token.Comment.Preproc": C},
    # JSON: Pygments types an object's keys Name.Tag; they are quoted strings.
    "JSON": {"Token.Name.Tag": S},
    # YAML: keys (Name.Tag) may be coloured or not.
    "YAML": {"Token.Name.Tag": PB},
    # Markdown: headings, emphasis and links are structure, which a colour may mark or not.
    "Markdown": {"Token.Generic": PB, "Token.Name": PB},
    # Prolog: Pygments types every atom String.Atom: a bare atom is a name to us (coloured
    # when it is a built-in predicate), a quoted atom ('$tbl', 'Mary Ann') a string.
    "Prolog": {"Token.Literal.String.Atom": PA},
    # CMake: Pygments types every unquoted argument String; we colour quoted arguments as
    # strings and the argument words we know (PUBLIC, APPEND) as library names.
    "CMake": {"Token.Literal.String": PB, "Token.Literal.String.Double": S},
    # TOML: Pygments types a table header ([package]) Keyword; we leave headers plain.
    "TOML": {"Token.Keyword": PB, "Token.Keyword.Constant": K},
    # LaTeX: Pygments types every control sequence Keyword; we colour the commands we list.
    "LaTeX": {"Token.Keyword": PB},
    # Dockerfile: Pygments types the whole argument of FROM, LABEL, VOLUME, WORKDIR, USER and
    # EXPOSE String (an image name, a path); to us only quoted text is a string.
    "Dockerfile": {"Token.Literal.String": PB, "Token.Literal.String.Double": S,
                   "Token.Literal.String.Single": S},
    # Nix: Pygments types an attribute name before '=' String.Symbol; it is a name to us.
    "Nix": {"Token.Literal.String.Symbol": PB},
    # Diff: added lines are what we colour (in the comment colour); removed lines, hunk and
    # file headers may be coloured or not.
    "Diff": {"Token.Generic.Inserted": C, "Token.Generic.Deleted": PB, "Token.Generic.Heading": PB,
             "Token.Generic.Subheading": PB},
}

# Known Pygments errors: (language, token type, the token's whole text as a regular expression
# or None for any, reason with an example). Their bytes are left out of the comparison and
# the report shows how many there were.
EXCEPTIONS = [
    ("C", "Token.Comment", None,
     "Pygments colours the code between `#if 0` and `#endif` as a comment"),
    ("C++", "Token.Comment", None,
     "Pygments colours the code between `#if 0` and `#endif` as a comment"),
    ("Kotlin", "Token.Name", r"crossinline|noinline|suspend|reified|vararg|annotation",
     "Pygments knows these modifiers only before `fun`/`class`: "
     "`inline fun g(crossinline b: () -> Unit)` gives `crossinline` Name"),
    ("Nim", "Token.Literal.String.Other", None,
     "Pygments' Nim lexer loses its place (after a backtick-quoted name such as `distinctBase`) "
     "and types the rest of the file String.Other: lib/pure/typetraits.nim"),
    ("CMake", "Token.Error", None,
     "Pygments cannot lex bracket comments with '=' (#[=====[.rst: ... #]=====]): every "
     "character of the module documentation is an Error token"),
]


DOC_COMMENT = ("//", "/*", "#", "--", "(*", ";", "%")


def pyg_class_for(ttype, language, value=None):
    from pygments import token as T
    mapping = MAPPINGS.get(language, {})
    t = ttype
    while t is not None:
        name = str(t)
        if name in mapping:
            return mapping[name]
        t = t.parent
    for lang, tname, pattern, _ in EXCEPTIONS:
        if lang == language and str(ttype) == tname and (
                pattern is None or (value is not None and re.fullmatch(pattern, value))):
            return PX
    if ttype in T.Comment.PreprocFile:
        return PA  # <stdio.h>: a string to Pygments, plain text to many; either is fine
    if ttype in T.Comment.Preproc:
        return PP
    if ttype in T.Comment:
        return C
    if ttype in T.String.Doc and value is not None and value.startswith(DOC_COMMENT):
        return C  # Rust's ///, PHP's /** */: doc comments that Pygments types String.Doc
    if ttype in T.String:
        return S
    if ttype in T.Keyword or ttype in T.Operator.Word:
        return K
    if (ttype in T.Name.Builtin or ttype in T.Name.Decorator or ttype in T.Name.Exception
            or ttype in T.Name.Function.Magic or ttype in T.Name.Variable.Magic
            or ttype in T.Name.Entity):
        return PB
    return O


# --------------------------------------------------------------------------------------------
# The language pack, rewritten so that each class has its own colour.

def read_ini(path):
    """config.ini's sections: ({name: {key: value}}, names in file order)."""
    sections, order, cur = {}, [], None
    with open(path, "rb") as f:
        for raw in f.read().decode("latin-1").splitlines():
            line = raw.strip()
            m = re.match(r"^\[(.*)\]$", line)
            if m:
                cur = m.group(1)
                if cur not in sections:
                    sections[cur] = {}
                    order.append(cur)
            elif cur is not None and "=" in line and not line.startswith((";", "#")):
                k, v = line.split("=", 1)
                k, v = k.strip().lower(), v.strip()
                if len(v) >= 2 and v[0] == v[-1] and v[0] in "\"'":
                    v = v[1:-1]
                sections[cur].setdefault(k, v)
    return sections, order


def hexval(s):
    m = re.match(r"[0-9A-Fa-f]*", s or "")
    return int(m.group(0), 16) if m.group(0) else 0


def build_pack(data_dir, pack_dir):
    """Copies data_dir to pack_dir with the colours replaced; returns the section table."""
    if os.path.isdir(pack_dir):
        shutil.rmtree(pack_dir)
    shutil.copytree(data_dir, pack_dir)
    kwdir = os.path.join(pack_dir, "accuracy-kw")
    os.makedirs(kwdir)
    sections, order = read_ini(os.path.join(data_dir, "config.ini"))
    out, cur, index = [], None, 0
    with open(os.path.join(data_dir, "config.ini"), "rb") as f:
        lines = f.read().decode("latin-1").splitlines()
    for raw in lines:
        line = raw.strip()
        m = re.match(r"^\[(.*)\]$", line)
        if m:
            cur = m.group(1)
            index += 1
            out.append(raw)
            continue
        km = re.match(r"^\s*([A-Za-z0-9_]+)\s*=", raw)
        key = km.group(1).lower() if km else None
        if cur is not None and key == "color_comment":
            out.append("color_comment=111111")
        elif cur is not None and key == "color_string":
            out.append("color_string=222222")
        elif cur is not None and key in ("stxfile1", "stxfile2"):
            sec = sections[cur]
            src = os.path.join(data_dir, sec.get(key, ""))
            name = "accuracy-kw/%d_%s.txt" % (index, key[-1])
            colour = "333333" if key == "stxfile1" else "444444"
            comment_v = hexval(sec.get("color_comment"))
            string_v = hexval(sec.get("color_string"))
            rewritten = []
            try:
                with open(src, "rb") as kf:
                    for kl in kf.read().split(b"\n"):
                        kl = kl.rstrip(b"\r")
                        if b" " not in kl:
                            if kl:
                                rewritten.append(kl)
                            continue
                        word, val = kl.split(b" ", 1)
                        v = hexval(val.decode("latin-1"))
                        c = ("111111" if v == comment_v else
                             "222222" if v == string_v else colour)
                        rewritten.append(word + b" " + c.encode())
            except OSError:
                out.append(raw)  # a missing file stays missing: vorel-convert reports it
                continue
            with open(os.path.join(pack_dir, name), "wb") as kf:
                kf.write(b"\n".join(rewritten) + b"\n")
            out.append("%s=%s" % (key, name))
        else:
            out.append(raw)
    with open(os.path.join(pack_dir, "config.ini"), "wb") as f:
        f.write(("\n".join(out) + "\n").encode("latin-1"))
    return sections, order


# --------------------------------------------------------------------------------------------
# Corpus: one line per entry in corpus.txt.

class Entry:
    def __init__(self, language, lexer, source, patterns, kb, lineno):
        self.language, self.lexer, self.source = language, lexer, source
        self.patterns, self.kb, self.lineno = patterns, kb, lineno

    def root(self):
        kind, _, what = self.source.partition(":")
        if kind == "repo":
            return ROOT
        return os.path.join(CACHE, "src", kind + "-" + what.replace("/", "_"))


def read_corpus(path):
    entries = []
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = "" if line.lstrip().startswith("#") else line.strip()
            if not line:
                continue
            cols = [c.strip() for c in line.split("|")]
            if len(cols) != 5:
                sys.exit("corpus.txt:%d: expected 5 columns separated by |" % n)
            entries.append(Entry(cols[0], cols[1], cols[2], cols[3].split(), int(cols[4]), n))
    return entries


def fetch(entries, quiet=False):
    """Downloads and unpacks every deb: and npm: source not yet in build/accuracy/src."""
    os.makedirs(os.path.join(CACHE, "debs"), exist_ok=True)
    os.makedirs(os.path.join(CACHE, "src"), exist_ok=True)
    ok, updated = True, False
    done = set()
    for e in entries:
        kind, _, what = e.source.partition(":")
        dest = e.root()
        if kind == "repo" or dest in done:
            continue
        done.add(dest)
        if os.path.exists(os.path.join(dest, ".unpacked")):
            continue
        debs = os.path.join(CACHE, "debs")
        try:
            if kind == "deb":
                have = [f for f in os.listdir(debs) if f.startswith(what + "_") and f.endswith(".deb")]
                if not have:
                    r = subprocess.run(["apt-get", "download", "-q", what], cwd=debs,
                                       capture_output=True, text=True)
                    if r.returncode != 0 and not updated:
                        # An old package list names a version the archive no longer has.
                        updated = True
                        subprocess.run(["apt-get", "update", "-qq"], capture_output=True)
                        r = subprocess.run(["apt-get", "download", "-q", what], cwd=debs,
                                           capture_output=True, text=True)
                    if r.returncode != 0:
                        raise OSError(r.stderr.strip().splitlines()[-1] if r.stderr.strip()
                                      else "apt-get download failed")
                    have = [f for f in os.listdir(debs)
                            if f.startswith(what + "_") and f.endswith(".deb")]
                shutil.rmtree(dest, ignore_errors=True)
                subprocess.run(["dpkg-deb", "-x", os.path.join(debs, sorted(have)[-1]), dest],
                               check=True)
            elif kind == "npm":
                r = subprocess.run(["npm", "pack", "--silent", "--pack-destination", debs, what],
                                   check=True, capture_output=True, text=True)
                tgz = os.path.join(debs, r.stdout.strip().splitlines()[-1])
                shutil.rmtree(dest, ignore_errors=True)
                os.makedirs(dest)
                with tarfile.open(tgz) as t:
                    t.extractall(dest, filter="data") if hasattr(tarfile, "data_filter") \
                        else t.extractall(dest)
            else:
                print("corpus.txt:%d: unknown source %s" % (e.lineno, e.source), file=sys.stderr)
                ok = False
                continue
            open(os.path.join(dest, ".unpacked"), "w").close()
            if not quiet:
                print("fetched", e.source)
        except (subprocess.CalledProcessError, OSError) as err:
            print("accuracy: could not fetch %s: %s" % (e.source, err), file=sys.stderr)
            ok = False
    return ok


def select_files(e):
    """The entry's files: patterns matched against paths under its root, in a fixed
    pseudo-random order (so a cap samples the whole package), until the KB cap."""
    root = e.root()
    paths = []
    if e.source.startswith("repo:"):
        base = e.source[5:]
        cands = [base] if os.path.isfile(os.path.join(ROOT, base)) else [
            os.path.relpath(os.path.join(d, f), ROOT)
            for d, _, fs in os.walk(os.path.join(ROOT, base)) for f in fs]
    else:
        cands = [os.path.relpath(os.path.join(d, f), root)
                 for d, _, fs in os.walk(root) for f in fs]
    for rel in cands:
        if any(fnmatch.fnmatchcase(rel, p) for p in e.patterns) or e.patterns == ["*"]:
            full = os.path.join(root, rel)
            if os.path.isfile(full) and not os.path.islink(full):
                size = os.path.getsize(full)
                if 0 < size <= 200_000 and ".min." not in os.path.basename(rel):
                    paths.append(rel)
    paths.sort(key=lambda r: hashlib.sha1(r.encode()).hexdigest())
    chosen, total = [], 0
    for rel in paths:
        full = os.path.join(root, rel)
        with open(full, "rb") as f:
            head = f.read()
        if b"\0" in head:
            continue
        if total >= e.kb * 1000:
            break
        chosen.append(full)
        total += len(head)
    return chosen


# --------------------------------------------------------------------------------------------
# Measuring one file.

TAG = re.compile(rb"<font color=([0-9A-Fa-f]{6})>|</font>|</?[biu]>|&(amp|lt|gt|quot);")
ENT = {b"amp": b"&", b"lt": b"<", b"gt": b">", b"quot": b'"'}


def vorel_classes(vorel, pack, section, data):
    r = subprocess.run([vorel, "--config-dir", pack, "--syntax", section, "--fragment",
                        "--escape", "strict"], input=data, capture_output=True)
    if r.returncode != 0:
        return None, "vorel-convert failed: " + r.stderr.decode(errors="replace").strip()
    out = r.stdout
    start = out.find(b">\r\n")
    end = out.rfind(b"</pre>")
    if not out.startswith(b"<pre") or start < 0 or end < start:
        return None, "unexpected output frame"
    body = out[start + 3:end]
    text, classes, stack, pos = [], [], [], 0

    def put(chunk):
        chunk = chunk.replace(b"\r\n", b"\n")
        if chunk:
            text.append(chunk)
            classes.append(bytes([(stack[-1] if stack else O) << 4]) * len(chunk))

    for m in TAG.finditer(body):
        put(body[pos:m.start()])
        pos = m.end()
        if m.group(1) is not None:
            stack.append(COLOURS.get(m.group(1).decode().upper(), UNK))
        elif m.group(0) == b"</font>":
            if stack:
                stack.pop()
        elif m.group(2) is not None:
            put(ENT[m.group(2)])
    put(body[pos:])
    got = b"".join(text)
    if got != data:
        i = next((k for k in range(min(len(got), len(data))) if got[k] != data[k]),
                 min(len(got), len(data)))
        return None, "output text differs from the input at byte %d" % i
    return b"".join(classes), None


def pygments_classes(lexer_name, language, data):
    from pygments.lexers import get_lexer_by_name
    from pygments import token as T
    lexer = get_lexer_by_name(lexer_name, stripnl=False, ensurenl=False)
    text = data.decode("utf-8", "surrogateescape")
    cache = {}
    by_value = set()
    for lang, tname, pattern, _ in EXCEPTIONS:
        if lang == language and pattern is not None:
            by_value.add(T.string_to_tokentype(tname))
    parts, starts, types, pos, prev_hash = [], [], [], 0, False
    for _, ttype, value in lexer.get_tokens_unprocessed(text):
        if not value:
            continue
        n = len(value.encode("utf-8", "surrogateescape"))
        if ttype in T.String.Doc or ttype in by_value:
            cls = pyg_class_for(ttype, language, value)
        else:
            cls = cache.get(ttype)
            if cls is None:
                cls = cache[ttype] = pyg_class_for(ttype, language)
        if cls == PP and (value.lstrip().startswith("#") or prev_hash):
            # Pygments gives a whole directive line one type; its '#' and directive word
            # are keywords, the rest (a macro's body, a condition) may be anything.
            m = DIRECTIVE.match(value)
            k = len(m.group(0).encode("utf-8", "surrogateescape"))
            parts.append(bytes([K]) * k + bytes([PP]) * (n - k))
        else:
            parts.append(bytes([cls]) * n)
        prev_hash = cls == PP and value == "#"
        starts.append(pos)
        types.append(ttype)
        pos += n
    p = b"".join(parts)
    if len(p) != len(data):
        return None, None, None, "Pygments' tokens cover %d of %d bytes" % (len(p), len(data))
    return p, starts, types, None


DIRECTIVE = re.compile(r"\s*#?\s*\w*")
BLANK = bytes(0 if b in b" \t\n\r\f\v" else 0xFF for b in range(256))


def measure_file(job):
    path, language, section, lexer, vorel, pack = job
    with open(path, "rb") as f:
        data = f.read().replace(b"\r\n", b"\n").replace(b"\r", b"\n")
    res = {"path": path, "language": language, "bytes": len(data)}
    v, err = vorel_classes(vorel, pack, section, data)
    if err is None:
        p, starts, types, err = pygments_classes(lexer, language, data)
    if err:
        res["error"] = err
        return res
    n = len(data)
    mask = data.translate(BLANK)
    comb = (int.from_bytes(v, "big") | int.from_bytes(p, "big")) & int.from_bytes(mask, "big")
    comb = comb.to_bytes(n, "big")
    res["counts"] = collections.Counter(comb)
    del res["counts"][0]
    # Disagreements (lenient) and excluded bytes, grouped by (vorel class, Pygments type).
    groups = {}
    pat = DISAGREE_RE
    lines = None
    for m in pat.finditer(comb):
        a, b = m.span()
        i = bisect.bisect_right(starts, a) - 1
        while a < b:
            tend = starts[i + 1] if i + 1 < len(starts) else n
            seg_end = min(b, tend)
            vcls = comb[a] >> 4
            key = (VNAMES[vcls] if comb[a] not in EXCLUDED else "excluded", str(types[i]))
            g = groups.get(key)
            if g is None:
                if lines is None:
                    lines = [0]
                    for k, ch in enumerate(data):
                        if ch == 10:
                            lines.append(k + 1)
                ln = bisect.bisect_right(lines, a)
                ls = lines[ln - 1]
                le = data.find(b"\n", a)
                le = n if le < 0 else le
                g = groups[key] = [0, (path, ln, data[ls:le].decode("utf-8", "replace")),
                                   collections.Counter()]
            g[0] += seg_end - a
            word = data[a:seg_end].decode("utf-8", "replace")
            if len(word) <= 24:
                g[2][word] += seg_end - a
            a = seg_end
            i += 1
    for g in groups.values():
        g[2] = collections.Counter(dict(g[2].most_common(8)))
    res["groups"] = groups
    return res


DISAGREE_RE = re.compile(b"[" + b"".join(re.escape(bytes([c])) for c in range(1, 256)
                                          if c not in LENIENT and (c >> 4) in range(1, 7)
                                          and (c & 15) in range(1, 9)) + b"]+")


# --------------------------------------------------------------------------------------------

def selftest(vorel, pack):
    """The harness reading one known C line: fails loudly when it misreads the output."""
    import tempfile
    text = b'/* note */ int main(void) { return printf("a<b&c>"); } // end\n'
    with tempfile.NamedTemporaryFile(suffix=".c") as f:
        f.write(text)
        f.flush()
        r = measure_file((f.name, "C", "C", "c", vorel, pack))
    if "error" in r:
        return r["error"]
    got = {VNAMES[c >> 4] + "/" + PNAMES[c & 15]: n for c, n in r["counts"].items()}
    # main and printf are in c2.txt; blanks are not counted.
    want = {"comment/comment": 13, "keyword/keyword": 13, "library/other": 10,
            "string/string": 8, "other/other": 7}
    return None if got == want else "read %s, expected %s" % (got, want)


def find_vorel(arg):
    for cand in ([arg] if arg else []) + [os.path.join(ROOT, "build/native/bin/vorel-convert"),
                                           os.path.join(ROOT, "build/perf-native/bin/vorel-convert")]:
        if cand and os.access(cand, os.X_OK):
            return cand
    sys.exit("accuracy: no vorel-convert (build it: cmake --preset native && "
             "cmake --build --preset native --target vorel-convert), or pass --vorel")


def read_floors(path):
    floors = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                if line.strip() and not line.lstrip().startswith("#"):
                    cols = [c.strip() for c in line.split("|")]
                    floors[cols[0]] = (float(cols[1]), float(cols[2]))
    return floors


def pct(a, b):
    return 100.0 * a / b if b else float("nan")


def summarise(language, results):
    counts = collections.Counter()
    groups = {}
    files = kb = 0
    errors = []
    for r in sorted(results, key=lambda r: r["path"]):  # examples from the same file every run
        if "error" in r:
            errors.append((r["path"], r["error"]))
            continue
        files += 1
        kb += r["bytes"]
        counts.update(r["counts"])
        for key, (nb, ex, words) in r["groups"].items():
            g = groups.setdefault(key, [0, ex, collections.Counter()])
            g[0] += nb
            g[2].update(words)
    compared = sum(n for c, n in counts.items() if c not in EXCLUDED)
    strict = sum(n for c, n in counts.items() if c in STRICT)
    lenient = sum(n for c, n in counts.items() if c in LENIENT)

    def recall(pcls, vset):
        tot = sum(n for c, n in counts.items() if (c & 15) == pcls)
        hit = sum(n for c, n in counts.items() if (c & 15) == pcls and (c >> 4) in vset)
        return pct(hit, tot), tot

    excluded = sum(n for c, n in counts.items() if c in EXCLUDED)
    return {
        "language": language, "files": files, "kb": kb / 1000.0, "compared": compared,
        "agreement": pct(strict, compared), "lenient": pct(lenient, compared),
        "comment": recall(C, {C}), "string": recall(S, {S}), "keyword": recall(K, {K, K2}),
        "excluded": excluded, "groups": groups, "errors": errors,
    }


def fmt_recall(r):
    return "   -  " if r[1] == 0 else "%6.1f" % r[0]


def print_report(s, top, out):
    print("\n== %s: %d files, %.0f KB, %d bytes compared" % (
        s["language"], s["files"], s["kb"], s["compared"]), file=out)
    print("   agreement %.2f %%, lenient %.2f %%; recall: comment %s, string %s, keyword %s" % (
        s["agreement"], s["lenient"], fmt_recall(s["comment"]).strip(),
        fmt_recall(s["string"]).strip(), fmt_recall(s["keyword"]).strip()), file=out)
    for path, err in s["errors"][:5]:
        print("   skipped %s: %s" % (os.path.relpath(path, ROOT), err), file=out)
    if len(s["errors"]) > 5:
        print("   (%d more files skipped)" % (len(s["errors"]) - 5), file=out)
    ranked = sorted(s["groups"].items(), key=lambda kv: -kv[1][0])
    shown = 0
    for (vname, ptype), (nb, (path, line, snippet), words) in ranked:
        if vname == "excluded":
            reason = next((r for lg, t, _, r in EXCEPTIONS
                           if lg == s["language"] and t == ptype), "")
            print("   excluded %5.2f %%  %s: %s" % (pct(nb, s["compared"] + s["excluded"]),
                                                   ptype, reason), file=out)
            continue
        if shown >= top:
            continue
        shown += 1
        common = ", ".join(repr(w) for w, _ in words.most_common(4))
        print("   %5.2f %%  vorel %-8s Pygments %s%s" % (
            pct(nb, s["compared"]), vname, ptype.replace("Token.", ""),
            ("  (" + common + ")") if common else ""), file=out)
        snippet = snippet.strip()
        if len(snippet) > 90:
            snippet = snippet[:87] + "..."
        print("            %s:%d: %s" % (os.path.relpath(path, ROOT).replace(
            "build/accuracy/src/", ""), line, snippet), file=out)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("command", choices=["fetch", "run", "check", "floors"])
    ap.add_argument("languages", nargs="*", help="section names (default: every corpus language)")
    ap.add_argument("--vorel", help="vorel-convert to measure (default: build/native/bin/...)")
    ap.add_argument("--data", default=os.path.join(ROOT, "data"), help="the language pack")
    ap.add_argument("--corpus", default=os.path.join(HERE, "corpus.txt"))
    ap.add_argument("--floors-file", default=os.path.join(HERE, "floors.txt"))
    ap.add_argument("--top", type=int, default=6, help="disagreements shown per language")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    ap.add_argument("--markdown", action="store_true", help="also print the table as Markdown")
    args = ap.parse_args()

    entries = read_corpus(args.corpus)
    if args.languages:
        unknown = set(args.languages) - {e.language for e in entries}
        if unknown:
            sys.exit("accuracy: no corpus entry for %s" % ", ".join(sorted(unknown)))
        entries = [e for e in entries if e.language in args.languages]
    fetched = fetch(entries, quiet=args.command != "fetch")
    if args.command == "fetch":
        return 0 if fetched else 1

    import pygments
    from pygments.lexers import get_lexer_by_name
    from pygments.util import ClassNotFound
    vorel = find_vorel(args.vorel)
    pack = os.path.join(CACHE, "pack")
    sections, _ = build_pack(args.data, pack)
    print("accuracy: %s against Pygments %s (%s), pack %s" % (
        os.path.relpath(vorel, ROOT), pygments.__version__, os.path.dirname(pygments.__file__),
        os.path.relpath(args.data, ROOT)))
    if "C" in sections:
        problem = selftest(vorel, pack)
        if problem:
            print("accuracy: the harness misreads a known line: " + problem)
            return 1

    languages, jobs, skipped = [], [], []
    for e in entries:
        if e.language not in languages:
            languages.append(e.language)
    by_lang = {}
    for lang in languages:
        es = [e for e in entries if e.language == lang]
        if lang not in sections:
            skipped.append((lang, "no section [%s] in config.ini" % lang))
            continue
        try:
            get_lexer_by_name(es[0].lexer)
        except ClassNotFound:
            skipped.append((lang, "Pygments %s has no lexer '%s'" % (pygments.__version__,
                                                                       es[0].lexer)))
            continue
        files = []
        for e in es:
            if not os.path.exists(os.path.join(e.root(), ".unpacked")) and \
                    not e.source.startswith("repo:"):
                continue
            files += select_files(e)
        if not files:
            skipped.append((lang, "no corpus files (fetch failed?)"))
            by_lang[lang] = None
            continue
        by_lang[lang] = []
        for path in files:
            jobs.append((path, lang, lang, es[0].lexer, vorel, pack))
    jobs.sort(key=lambda j: -os.path.getsize(j[0]))
    t0 = time.time()
    with multiprocessing.Pool(args.jobs) as pool:
        for r in pool.imap_unordered(measure_file, jobs, chunksize=1):
            by_lang[r["language"]].append(r)
    elapsed = time.time() - t0

    floors = read_floors(args.floors_file)
    summaries, failures = [], []
    for lang in languages:
        if by_lang.get(lang) is None:
            if lang in floors and lang in sections:
                failures.append("%s: has a floor but no corpus files were measured" % lang)
            continue
        s = summarise(lang, by_lang[lang])
        summaries.append(s)
        print_report(s, args.top, sys.stdout)
        if s["errors"]:  # the output lost or changed text, or a tool failed: never fine
            failures.append("%s: %d files could not be compared (see above)" % (
                lang, len(s["errors"])))
        if lang in floors:
            fa, fl = floors[lang]
            if s["agreement"] < fa or s["lenient"] < fl:
                failures.append("%s: agreement %.2f / lenient %.2f, floor %.1f / %.1f" % (
                    lang, s["agreement"], s["lenient"], fa, fl))
        else:
            print("   (no floor for %s in %s)" % (lang, os.path.basename(args.floors_file)))
    for lang, why in skipped:
        print("skipped %s: %s" % (lang, why))

    print("\n%-14s %5s %7s %7s %7s %7s %7s %7s" % (
        "language", "files", "KB", "agree%", "lenient", "comment", "string", "keyword"))
    for s in summaries:
        print("%-14s %5d %7.0f %7.2f %7.2f %7s %7s %7s" % (
            s["language"][:14], s["files"], s["kb"], s["agreement"], s["lenient"],
            fmt_recall(s["comment"]), fmt_recall(s["string"]), fmt_recall(s["keyword"])))
    total_kb = sum(s["kb"] for s in summaries)
    print("%d languages, %d files, %.1f MB in %.0f s" % (
        len(summaries), sum(s["files"] for s in summaries), total_kb / 1000, elapsed))
    if args.markdown:
        print("\n| Language | Files | KB | Agreement % | Lenient % | Comment recall % "
              "| String recall % | Keyword recall % |")
        print("|---|---:|---:|---:|---:|---:|---:|---:|")
        for s in summaries:
            print("| %s | %d | %.0f | %.1f | %.1f | %s | %s | %s |" % (
                s["language"], s["files"], s["kb"], s["agreement"], s["lenient"],
                fmt_recall(s["comment"]).strip(), fmt_recall(s["string"]).strip(),
                fmt_recall(s["keyword"]).strip()))

    if args.command == "floors":
        # Named languages: only their lines change; none named: every measured language.
        new = {s["language"]: (int((s["agreement"] - 0.5) * 10) / 10,
                               int((s["lenient"] - 0.5) * 10) / 10) for s in summaries}
        if args.languages:
            floors.update(new)
        else:
            floors = new
        every = list(dict.fromkeys(e.language for e in read_corpus(args.corpus)))
        order = [l for l in every if l in floors] + sorted(set(floors) - set(every))
        with open(args.floors_file, "w", encoding="utf-8") as f:
            f.write("# Floors of bench/accuracy/accuracy.py check: language | agreement % | "
                    "lenient agreement %\n# (measured figures minus 0.5, rounded down; "
                    "set with: accuracy.py floors [LANG ...])\n")
            for lang in order:
                f.write("%s | %.1f | %.1f\n" % (lang, floors[lang][0], floors[lang][1]))
        print("wrote", os.path.relpath(args.floors_file, ROOT))
    if args.command == "check":
        for f_ in failures:
            print("BELOW FLOOR:", f_)
        print("accuracy: %d languages checked, %d below their floor" % (
            len(summaries), len(failures)))
        return 1 if failures else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
