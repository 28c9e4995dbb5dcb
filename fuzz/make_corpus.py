#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (fuzz/corpus/<target>/) from the shipped
language pack and samples, plus small hand-made cases for the awkward corners.
Run from anywhere: python3 fuzz/make_corpus.py (it replaces the seed folders)."""
import os
import re
import shutil
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, 'fuzz', 'corpus')
SEP = b'\n--8<--\n'
MAX = 4096  # the smoke run's -max_len

EXT_SYNTAX = {'.c': 'C', '.cpp': 'C++', '.cs': 'C#', '.java': 'Java', '.js': 'JavaScript',
              '.ts': 'TypeScript', '.py': 'Python', '.php': 'PHP', '.sql': 'SQL',
              '.sh': 'Shell (bash)', '.bat': 'Batch (cmd)', '.ps1': 'PowerShell', '.go': 'Go',
              '.rs': 'Rust', '.kt': 'Kotlin', '.swift': 'Swift', '.vb': 'Visual Basic',
              '.pas': 'Pascal/Delphi', '.pl': 'Perl', '.rb': 'Ruby', '.lua': 'Lua'}


def read(*parts):
    with open(os.path.join(ROOT, *parts), 'rb') as f:
        return f.read()


def sections():
    """config.ini as {name: [(key, value)]}, raw bytes."""
    result, current = {}, None
    for line in read('data', 'config.ini').splitlines():
        m = re.match(rb'^\[(.*)\]\s*$', line)
        if m:
            current = m.group(1).decode('latin-1')
            result[current] = []
        elif current and b'=' in line:
            k, v = line.split(b'=', 1)
            result[current].append((k.strip().decode('latin-1'), v.strip()))
    return result


def head(data, n):
    """At most n bytes of data, cut after a line end."""
    if len(data) <= n:
        return data
    cut = data.rfind(b'\n', 0, n)
    return data[:cut + 1] if cut > 0 else data[:n]


def crlf(data):
    return data.replace(b'\r\n', b'\n').replace(b'\n', b'\r\n')


class Corpus:
    def __init__(self, target):
        self.dir = os.path.join(OUT, target)
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)

    def add(self, name, data):
        assert len(data) <= MAX, (name, len(data))
        safe = re.sub(r'[^A-Za-z0-9_.+-]', '_', name)
        with open(os.path.join(self.dir, safe), 'wb') as f:
            f.write(data)


def keyword_files(sec):
    kv = dict(sec)
    files = []
    for key in ('stxfile1', 'stxfile2'):
        name = kv.get(key)
        files.append(read('data', *name.decode().split('/')) if name else b'')
    return files


def section_text(sec, k1='k1.txt', k2='k2.txt'):
    out = b'[S]\r\n'
    for k, v in sec:
        if k == 'stxfile1':
            v = k1.encode()
        elif k == 'stxfile2':
            v = k2.encode()
        out += k.encode() + b'=' + v + b'\r\n'
    return out


def samples():
    for name in sorted(os.listdir(os.path.join(ROOT, 'samples'))):
        syntax = EXT_SYNTAX.get(os.path.splitext(name)[1].lower())
        if syntax:
            yield name, syntax, read('samples', name)


def convert_corpus(secs):
    c = Corpus('fuzz_convert')
    options = [b'h 1 7 S', b's 0 3 S', b'hf 4294967295 1 S', b'hs 4294967290 0 S', b'f 999999 64 S', b' 1 0 S']
    for i, (name, syntax, text) in enumerate(samples()):
        sec = secs[syntax]
        k1, k2 = keyword_files(sec)
        config = section_text(sec)
        k1, k2 = head(k1, 700), head(k2, 500)
        fixed = len(config) + len(k1) + len(k2) + 4 * len(SEP) + 20
        body = head(text if i % 2 else crlf(text), MAX - fixed)
        c.add(name, SEP.join([config, k1, k2, options[i % len(options)], body]))
    cases = {
        'empty_section': (b'', b'h 1 0 S', b'a\r\nb'),
        'empty_numbered_end': (b'', b' 1 0 S', b'a\r\nb\r\n'),
        'overlap': (b'[S]\r\ncomment1=/*\r\ncomment1e=*/\r\n', b'hs 0 2 S', b'/*/ x */y\r\n/*/'),
        'six_pairs': (b'[S]\r\ncomment1=/\r\ncomment1e=/\r\ncomment2=//\r\ncomment3=#\r\ncomment3e=#!\r\n'
                      b'comment4=--\r\ncomment5=(*\r\ncomment5e=*)\r\ncomment6=<!\r\ncomment6e=>\r\n',
                      b'h 5 3 S', b'a/b/c//d\r\n#x#!(*y*)--z\r\n<!w>'),
        'missing_keywords': (b'[S]\r\nstxfile1=missing.txt\r\n', b'h 1 0 S', b'int x;'),
        'big5': (b'[S]\r\ndelimiter=,;\r\nstxfile1=k1.txt\r\n', b'h 1 0 S', b'int\xa1\x41bc\xa1\xa1x'),
        'markers_7_8': (b'[S]\r\ncomment1=1234567\r\ncomment1e=7654321\r\ncomment2=abcdefgh\r\n',
                        b' 1 0 S', b'x 1234567 y 7654321 abcdefg z\r\nabcdefgh'),
        'str_two_chars': (b'[S]\r\nstr1=ab\r\nstr2="\'\r\n', b'h 1 0 S', b'xa b a"q"\'r\''),
        'styles_top_byte': (b'[S]\r\nstr1="\r\ncolor_string=FF0000FF\r\ncolor_comment=8123456\r\n'
                            b'comment1=#\r\n', b'h 1 0 S', b'"s" #c\r\n'),
        'cr_only': (b'[S]\r\nstr1="\r\ncomment1=//\r\n', b' 4294967295 0 S', b'a\r"b\r// c\rd'),
        'lf_only': (b'[S]\r\nstr1="\r\ncomment1=/*\r\ncomment1e=*/\r\n', b'h 1 0 S', b'a\n"b\n/* c\nd */\n'),
        'many_delimiters': (b'[S]\r\ndelimiter=' + bytes(range(32, 127)) * 2 + bytes(range(160, 221)) + b'\r\n',
                           b'h 1 0 S', b'ab~cd\xdc\xdd'),
        'garbage_config': (bytes(range(256)), b'h 1 0 S', bytes(range(1, 256))),
        'rules_shell': (b'[S]\r\n' + RULE_SECTIONS['shell'][0], b'h 1 0 S', RULE_SECTIONS['shell'][1]),
        'rules_csharp': (b'[S]\r\n' + RULE_SECTIONS['csharp'][0], b's 1 3 S', RULE_SECTIONS['csharp'][1]),
        'rules_rust_lf': (b'[S]\r\n' + RULE_SECTIONS['rust'][0], b'hf 1 0 S', RULE_SECTIONS['rust'][1].replace(b'\r\n', b'\n')),
        'rules_eight_pairs': (b'[S]\r\n' + RULE_SECTIONS['eight_pairs'][0], b'h 7 5 S', RULE_SECTIONS['eight_pairs'][1]),
        'long_name': (b'[' + b'N' * 120 + b']\r\nstr1="\r\n', b'h 1 0 ' + b'N' * 120, b'"x"'),
    }
    for name, (config, opts, text) in cases.items():
        c.add(name, SEP.join([config, b'if 1FF\nint 10000FF\r\nelse FF0000', b'x 1', opts, text]))


def scanner_header(sec, html, case_sensitive):
    kv = dict(sec)
    q1 = kv.get('str1', b'')[:1] or b'\0'
    q2 = kv.get('str2', b'')[:1] or b'\0'
    cs = int(re.match(rb'[0-9A-Fa-f]*', kv.get('color_string', b'')).group() or b'0', 16) & 0xFFFFFFFF
    cc = int(re.match(rb'[0-9A-Fa-f]*', kv.get('color_comment', b'')).group() or b'0', 16) & 0xFFFFFFFF
    pairs = b''
    for n in range(1, 7):
        start = kv.get('comment%d' % n, b'')[:7]
        end = kv.get('comment%de' % n, b'')[:7] if start else b''
        if start and not end:
            end = b'\r'
        pairs += start.ljust(8, b'\0') + end.ljust(8, b'\0')
    bits = bytearray(32)
    for b in kv.get('delimiter', b'')[:254] + b' \t\n\r\xa1\0':
        bits[b // 8] |= 1 << (b % 8)
    flags = (1 if html else 0) | (2 if case_sensitive else 0) | 4
    return bytes([flags]) + q1 + q2 + struct.pack('<II', cs, cc) + pairs + bytes(bits)


def scanner_corpus(secs):
    c = Corpus('fuzz_scanner')
    for i, (name, syntax, text) in enumerate(samples()):
        sec = secs[syntax]
        k1, k2 = keyword_files(sec)
        k1, k2 = head(k1, 800), head(k2, 500)
        hdr = scanner_header(sec, i % 2 == 0, dict(sec).get('case', b'0') != b'0')
        fixed = len(hdr) + len(k1) + len(k2) + 2 * len(SEP)
        body = head(text if i % 3 else crlf(text), MAX - fixed)
        c.add(name, hdr + SEP.join([k1, k2, body]))
    # Overlapping markers, CR end markers, a quote that is also a delimiter.
    sec = [('str1', b'"'), ('str2', b'<'), ('delimiter', b'"<>=/'), ('color_string', b'7000000'),
           ('comment1', b'/'), ('comment1e', b'/'), ('comment2', b'//'), ('comment3', b'/*'),
           ('comment3e', b'*/'), ('comment4', b'#'), ('comment5', b'1234567'), ('comment5e', b'7654321'),
           ('comment6', b'!')]
    c.add('overlap', scanner_header(sec, True, False) + SEP.join(
        [b'int 1FF', b'x 2000000', b'a/b//c\r\n/*/d*/#e\r\n"f<g>"=x<h\r\n1234567 z 7654321!\r']))
    c.add('empty', scanner_header([], False, True) + SEP + SEP)


# Sections with the optional scanning rules, as a language would set them up.
RULE_SECTIONS = {
    'python': (b'str1="\r\nstr2=\'\r\nescape=\\\r\ncomment1=#\r\ndelimiter=()=,.:\r\n'
               b'string1=\'"""\'\r\nstring2="\'\'\'"\r\nstring3=r\'\'\'\r\nstring3e="\'\'\'"\r\nstring3escape=none\r\n',
               b'x = """a "q" word\r\nit\'s # no\r\n"""\r\ny = r\'\'\'\\\'\'\'\r\n\'a\\\'b\' # c\r\n"x\\\r\n'),
    'shell': (b'str1="\r\nstr2=\'\r\nstr2escape=none\r\nescape=\\\r\nstr_multiline=1\r\ncomment1=#\r\n'
              b'comment1at=word\r\nheredoc=<<\r\nheredoc_space=1\r\ndelimiter=<>;|&$\r\n',
              b'cat <<EOF >f # c\r\nit\'s $x\r\nEOF\r\necho $# ${x##y} it\\\'s\r\na <<-\'END\'\r\n\tx\r\n\tEND\r\n'
              b'b << "E"\r\nE\r\nx="a\r\nb\\"c"\r\n'),
    'csharp': (b'str1="\r\nstr2=\'\r\nescape=\\\r\ncomment1=/*\r\ncomment1e=*/\r\ncomment2=//\r\n'
               b'string1=@"\r\nstring1e="\r\nstring1escape=double\r\nstring2=R"(\r\nstring2e=)"\r\n'
               b'string2escape=none\r\ndelimiter=()"@;\r\n',
               b'var s = @"C:\\""x"" \r\nline"; // c\r\nR"(a"b\\)" "q\\"r" \'\\\'\''),
    'rust': (b'str1="\r\nescape=\\\r\nstr_multiline=1\r\ncomment1=/*\r\ncomment1e=*/\r\ncomment1nest=1\r\n'
             b'comment2=//\r\nstring1=r#"\r\nstring1e="#\r\nstring1escape=none\r\nstring2=r"\r\nstring2e="\r\n'
             b'string2escape=none\r\ndelimiter=/*#()\r\n',
             b'a/* x /* y */ z */b /* /* */\r\nr#"a"b\\"# "multi\r\nline \\" q"'),
    'perl': (b'str1="\r\nstr2=\'\r\nescape=\\\r\ncomment1==\r\ncomment1e==cut\r\ncomment1at=line\r\n'
             b'comment2=#\r\ncomment2at=word\r\nheredoc=<<\r\ndelimiter=/^=;\r\n',
             b'm/^=head1/;\r\n=over\r\ntext\r\n=cut\r\nprint <<"END";\r\n$x\r\nEND\r\n$#a # c'),
    'php': (b'str1="\r\nstr2=\'\r\nescape=\\\r\nstr_multiline=1\r\ncomment1=/*\r\ncomment1e=*/\r\n'
            b'comment2=//\r\ncomment3=#\r\nheredoc=<<<\r\ndelimiter=<;(),\r\n',
            b'$a = <<<EOT\r\nx\r\n  EOT;\r\nf(<<<\'N\'\r\n$y\r\nN, 2);\r\n'),
    'lua': (b'str1="\r\nstr2=\'\r\nescape=\\\r\ncomment1=--[[\r\ncomment1e=]]\r\ncomment2=--\r\n'
            b'string1=[[\r\nstring1e=]]\r\nstring1escape=none\r\nstring2=[==[\r\nstring2e=]==]\r\n'
            b'string2escape=none\r\ndelimiter=[]=-\r\n',
            b'x = [[a\r\n]] .. [==[b]]c]==] --[[ c\r\n]] -- d\r\n"e\\"f"'),
    'sql': (b"str1='\r\nstr1escape=double\r\nstr2=\"\r\nstr2escape=double\r\nescape=\\\r\ncomment1=--\r\n"
            b"comment2=/*\r\ncomment2e=*/\r\ncomment2nest=1\r\n",
            b"select 'it''s\\' x, \"a\"\"b\" /* a /* b */ c */ -- e\r\n"),
    'ruby': (b'str1="\r\nstr2=\'\r\nescape=\\\r\nstr_multiline=1\r\ncomment1=#\r\ncomment2==begin\r\n'
             b'comment2e==end\r\ncomment2at=line\r\nheredoc=<<\r\nstring1=`\r\nstring2=%q(\r\nstring2e=)\r\n'
             b'delimiter=<(),\r\n',
             b'x = <<~EOS\r\n  a #{b}\r\n  EOS\r\n=begin\r\nz\r\n=end\r\n`ls\r\n-l` %q(a\\)b) "s\r\nt"'),
    'js': (b'str1="\r\nstr2=\'\r\nescape=\\\r\ncomment1=/*\r\ncomment1e=*/\r\ncomment2=//\r\nregex=/\r\n'
           b'string1=`\r\nstring1interpolate=1\r\ninterpolate=${\r\ndelimiter=/=()[];.,+{}`\r\n',
           b'x = /[/*]\\/a/gi.test(s) / 2 /f; return /a"b/\r\nt = `a${b + `c${d}`}\r\ne` + "${no}"\r\n'
           b'y = /a\\\r\n/ (z) / 3'),
    'ruby_symbols': (b'str1="\r\nstr2=\'\r\nescape=\\\r\nstr_multiline=1\r\ncomment1=#\r\nregex=/\r\n'
                     b'interpolate=#{\r\nstr1interpolate=1\r\nsymbol=:\r\ndelimiter=:(),=?{}/\r\n',
                     b'f(:name, key: 1, ok?: x) A::B c ? d : e\r\n"a #{b("c")} \\#{d}\r\ne" \'#{f}\'\r\n'
                     b'x = a / b; y =~ /c#{d}/i :x? :y! z:'),
    'shell_interpolation': (b'str1="\r\nstr2=\'\r\nstr2escape=none\r\nescape=\\\r\nstr_multiline=1\r\n'
                            b'comment1=#\r\ncomment1at=word\r\ninterpolate=$\r\nstr1interpolate=1\r\n'
                            b'delimiter=()$ ;|\r\n',
                            b'echo "a $x ${y} $(ls "d" \'e\')\\$z $1 $# $" \'$w\'\r\n"5$ and ${x\r\n"'),
    'eight_pairs': (b'escape=^\r\nstring1=a\r\nstring2=ab\r\nstring2e=b\r\nstring3=abc\r\nstring3escape=double\r\n'
                    b'string4=(\r\nstring4e=)\r\nstring5=((\r\nstring5e=))\r\nstring5escape=^\r\nstring6=<\r\n'
                    b'string6e=>\r\nstring7=<<\r\nstring7escape=none\r\nstring8=1234567\r\nstring8e=7654321\r\n'
                    b'comment1=a\r\ncomment1nest=1\r\ncomment1e=b\r\ncomment2=(\r\ncomment2at=line\r\n',
                    b'xabcz abc abccbabc a^ab (a^)b)) ((x^))y)) <<q<<\r\n<a\r\n>1234567 7654321\n((\n))'),
}


def scanner_rules_corpus(secs):
    c = Corpus('fuzz_scanner_rules')
    flags = [b'h', b'', b'hc', b'c']
    for i, (name, (section, text)) in enumerate(RULE_SECTIONS.items()):
        c.add(name, SEP.join([flags[i % 4], section, b'if 1FF\r\nEOF 2FF', text]))
        # The same as Unix text, which must convert as its CR LF copy.
        c.add(name + '_lf', SEP.join([flags[(i + 1) % 4], section, b'', text.replace(b'\r\n', b'\n')]))
    # Sections of the language pack (the rules they opt into, if any) on the samples.
    for name, syntax, text in samples():
        body = section_text(secs[syntax])[len(b'[S]\r\n'):]
        body = b''.join(line + b'\r\n' for line in body.split(b'\r\n') if line and not line.startswith(b'stxfile'))
        c.add('pack_' + name, SEP.join([b'h', body, b'', head(text, MAX - len(body) - 64)]))


def keywords_corpus():
    c = Corpus('fuzz_keywords')
    for i, name in enumerate(['c1.txt', 'cpp2.txt', 'sql1.txt', 'html1.txt', 'py2.txt']):
        kw = head(read('data', 'keywords', name), 2500)
        words = b'\n'.join(kw.split()[::2][:40])
        c.add(name, bytes([i % 4]) + (kw if i % 2 else crlf(kw)) + SEP + words)
    c.add('no_line_end', b'\x02int 1FF' + SEP + b'int\nINT\nin')
    c.add('empty', b'\x03' + SEP + b'x')
    c.add('malformed', b'\x00a  1\n\nnospace\n b 2\nc 3 4\r\nd\t5 x\n\r\ne 0x1F\nf -1\ng FFFFFFFFF\n' + SEP + b'a\nB\nc')
    c.add('duplicates', b'\x00while 1\nWHILE 2\nWhile 3\nwhile 4\n' + SEP + b'wHiLe\nwhil')


def line_numbers_corpus():
    c = Corpus('fuzz_line_numbers')
    firsts = [1, 0, 4294967295, 4294967294, 999999, 1000000]
    texts = [b'a\r\nb', b'a\r\nb\r\n', b'', b'\r', b'\r\n\r\n', b'a\rb\rc', b'a\nb\n', b'x\r\n\0y\r\nz',
             crlf(head(read('samples', 'hello.c'), 1500))]
    for i, text in enumerate(texts):
        first = firsts[i % len(firsts)]
        skip = [0, 3, 0, 1, 0, 2, 0, 0, 10][i]
        c.add('case%d' % i, struct.pack('<I', first) + bytes([skip, i * 7 % 256, i * 37 % 256]) + text)


def ini_corpus():
    c = Corpus('fuzz_ini')

    def name(text):
        return bytes([len(text) * 2]) + text

    def op(sec, key, code, args=b''):
        return name(sec) + name(key) + bytes([code]) + args

    ops = (op(b'C', b'str1', 1, struct.pack('<H', 2)) + op(b'option', b'type', 3, struct.pack('<I', 4294967295)) +
           op(b'a', b'k', 4, struct.pack('<H', 5) + b'v a l' + name(b'A') + name(b'K')) +
           op(b'C++', b'color_string', 2) + op(b'filter', b'', 5, struct.pack('<H', 40)) +
           op(b'', b'', 6, struct.pack('<H', 7)) + op(b'b c', b'line', 0) + op(b'x', b'y', 7, b'\x01'))
    for fname, data in [('config', head(read('data', 'config.ini'), 900)), ('option', read('data', 'option.ini')),
                        ('quirks', b'[a]\r\nk = v \r\nK=second\r\n;c=1\r\n[A]\r\nx="q"\r\n[b c]\r\nline\r\n=v\r\n'),
                        ('no_line_end', b'[a]\nk=1'), ('cr_only', b'[a]\rk=1\r[b c]\rline\r'),
                        ('garbage', bytes(range(256)))]:
        c.add(fname, b'\x01' + struct.pack('<H', len(data)) + data + ops)
    c.add('missing_file', b'\x00' + ops)


def line_ends_corpus():
    c = Corpus('fuzz_line_ends')
    text = head(read('samples', 'hello.c'), 1200).replace(b'\r\n', b'\n')
    c.add('lf', text)
    c.add('crlf', crlf(text))
    c.add('cr', text.replace(b'\n', b'\r'))
    c.add('mixed', b'a\r\nb\nc\rd\n\re\r\r\n\n\r')
    c.add('empty', b'')


def main():
    secs = sections()
    line_ends_corpus()
    convert_corpus(secs)
    scanner_corpus(secs)
    scanner_rules_corpus(secs)
    keywords_corpus()
    line_numbers_corpus()
    ini_corpus()


if __name__ == '__main__':
    main()
