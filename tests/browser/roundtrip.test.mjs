// Every shipped sample, a UTF-8 and a Big5 source and two hostile files,
// converted in each mode and opened in Chromium: the code block must show
// the source exactly and hold nothing but styling elements.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch, scratch, convert, samples, autoCharset, inspectBlock, decodeInPage, fileUrl } from './support.mjs';

// The modes, and how a reader meets each: a page of its own, or a fragment
// pasted into a plain page of the author's.
const MODES = [
  { name: 'default', args: [], exact: false },
  { name: 'strict', args: ['--escape', 'strict'], exact: true },
  { name: 'modern', args: ['--page', 'modern'], exact: true },
  { name: 'modern fragment', args: ['--page', 'modern', '--fragment'], exact: true, host: true },
  { name: 'strict fragment', args: ['--escape', 'strict', '--fragment'], exact: true, host: true },
];

// Bytes a source file may hold that markup must not take for its own.
function hostileBytes() {
  const parts = [
    '<script>alert(1)</script>\n', '</pre><b>bold?</b>\n', '&amp; &lt; &gt; &quot; &#65; &nbsp; &copy\n',
    '"double" \'single\' `back`\n', '<!-- not a comment --> <![CDATA[ x ]]>\n', '<pre>\n\n',
    '/* <i>in a comment</i> & more\n   second line </font> */\n', '"a string <u>&amp;</u>"\n',
    '// line comment </span></pre><script>x</script>\n', 'tabs\there\t\tand  spaces  \n',
    '<span data-n=3></span><font color=FF0000>red?</font>\n',
  ];
  const text = Buffer.from(parts.join(''), 'latin1');
  const bytes = [];
  for (let b = 1; b < 256; ++b) bytes.push(b, 0x20);  // every byte but zero
  for (let b = 0x81; b < 0xff; b += 7) bytes.push(b, 0x3c, b, 0x26, b, 0x3e);  // lead bytes before < & >
  return Buffer.concat([text, Buffer.from(bytes), Buffer.from('\r\nlast line without end')]);
}

function hostileUtf8() {
  return Buffer.from('<b>&amp;</b> “quotes” — naïve\u00a0nbsp \u0085 \u200b zero-width \ufeff bom\n' +
    'C1: \u0080\u0081\u009f; astral: 😀 𝄞\n<script>alert("é")</script> &lt;/pre&gt; </pre>\r\n', 'utf8');
}

function inputs(dir) {
  const list = samples();
  const here = (f) => path.join(path.dirname(fileURLToPath(import.meta.url)), 'inputs', f);
  list.push({ file: here('utf8.cpp'), syntax: 'C++' }, { file: here('big5.cpp'), syntax: 'C' });
  const hostile = path.join(dir, 'hostile.txt');
  fs.writeFileSync(hostile, hostileBytes());
  const hostile8 = path.join(dir, 'hostile-utf8.txt');
  fs.writeFileSync(hostile8, hostileUtf8());
  for (const syntax of ['C++', 'HTML', 'Probe-less']) {
    list.push({ file: hostile, syntax }, { file: hostile8, syntax });
  }
  return list;
}

// A plain page of the author's with the fragment pasted in its middle.
function hostPage(dir, fragment, charset) {
  const host = path.join(dir, `${path.basename(fragment)}.host.html`);
  fs.writeFileSync(host, Buffer.concat([
    Buffer.from(`<!DOCTYPE html>\n<html><head><meta charset="${charset}"><title>host</title></head>\n` +
      '<body><h1>An article</h1>\n<p>Some text before the code.</p>\n'),
    fs.readFileSync(fragment),
    Buffer.from('\n<p>Some text after it.</p></body></html>\n'),
  ]));
  return host;
}

test('every source reads back exactly in the browser', async (t) => {
  const dir = scratch();
  const browser = await launch();
  try {
    const page = await browser.newPage();
    const list = inputs(dir);
    const sampleCount = samples().length;
    for (const mode of MODES) {
      let exactSamples = 0;
      const failures = [];
      for (const [i, input] of list.entries()) {
        const bytes = fs.readFileSync(input.file);
        const charset = autoCharset(bytes);
        const args = [...mode.args];
        if (input.syntax !== 'Probe-less') args.push('--syntax', input.syntax);
        const name = `${i}-${mode.name.replace(/ /g, '-')}.html`;
        let file = convert(dir, input.file, args, name);
        if (mode.host) file = hostPage(dir, file, charset);
        await page.goto(fileUrl(file));
        const seen = await page.evaluate(inspectBlock, 'pre');
        const expected = await page.evaluate(decodeInPage, [[...bytes], charset]);
        const exact = seen && seen.text === expected && seen.strays.length === 0 &&
          seen.charset.toLowerCase() === charset;
        if (exact && i < sampleCount) ++exactSamples;
        if (!exact) failures.push({ input: `${path.basename(input.file)} (${input.syntax})`, seen, expected, charset });
      }
      const others = list.length - sampleCount;
      const exactOthers = list.length - failures.length - exactSamples;
      t.diagnostic(`${mode.name}: ${exactSamples}/${sampleCount} samples exact, ${exactOthers}/${others} other sources`);
      if (!mode.exact) continue;
      for (const f of failures) {
        assert.ok(f.seen, `${mode.name}: ${f.input}: no code block`);
        assert.equal(f.seen.charset.toLowerCase(), f.charset, `${mode.name}: ${f.input}: declared charset`);
        assert.deepEqual(f.seen.strays, [], `${mode.name}: ${f.input}: elements inside the block`);
        assert.equal(f.seen.text, f.expected, `${mode.name}: ${f.input}: visible text`);
      }
    }
  } finally {
    await browser.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
