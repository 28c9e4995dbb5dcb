// The web page in headless Chromium, opened from file://: what it shows,
// copies and downloads must be exactly what vorel-convert writes for the same
// input and options.  Any request that is not for the page's own files fails
// the suite.
//
// Environment (defaults: the checkout this file is in and its build/):
// VOREL_SOURCE_DIR (for samples/), VOREL_WEB_DIR (the built page),
// VOREL_CONVERT (the native vorel-convert), VOREL_CHROMIUM.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {launch} from '../../tests/support/chromium.cjs';
import {samples} from '../../tests/support/samples.cjs';

const sourceDir = path.resolve(process.env.VOREL_SOURCE_DIR ||
    path.join(path.dirname(new URL(import.meta.url).pathname), '../..'));
const webDir = path.resolve(process.env.VOREL_WEB_DIR || path.join(sourceDir, 'build/wasm/page'));
const converter = path.resolve(process.env.VOREL_CONVERT ||
    path.join(sourceDir, 'build/native/bin/vorel-convert'));
const packDir = path.join(sourceDir, 'data');  // the pack the page embeds
const pageUrl = 'file://' + path.join(webDir, 'index.html');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'vorel-web-'));

// Each shipped sample and the syntax vorel-convert chooses from its name.
const SAMPLE_LIST = samples(converter, sourceDir);
const SAMPLES = Object.fromEntries(SAMPLE_LIST.map((s) => [s.name, s.syntax]));
// How vorel-convert's choice of each sample's syntax is told: by its name, or
// (a name two sections share) by its first lines.
const SAMPLE_NOTES = Object.fromEntries(SAMPLE_LIST.map((s) => [s.name, s.rule === 'file name'
  ? `Syntax ${s.syntax}, from the file name.`
  : `'${s.name}' matches ${s.shared}; using ${s.syntax} (from the ${s.rule}).`]));
// Each format, with and without numbering (a start other than 1 shows the
// number is passed through).
const CASES = [
  {format: 'html', numbered: false}, {format: 'html', numbered: true, first: '7'},
  {format: 'ubb', numbered: false}, {format: 'ubb', numbered: true, first: '0'},
];
// The output modes, alone and combined as users combine them, with and
// without numbering.
const MODE_CASES = [
  {format: 'html', numbered: false, modes: {page: 'modern'}},
  {format: 'html', numbered: true, first: '3', modes: {page: 'modern', tab_width: '4'}},
  {format: 'html', numbered: false, modes: {page: 'modern', fragment: '1'}},
  {format: 'html', numbered: true, first: '1', modes: {fragment: '1', escape: 'strict'}},
  {format: 'html', numbered: false, modes: {escape: 'strict', charset: 'utf-8'}},
  {format: 'html', numbered: false, modes: {charset: 'big5', tab_width: '8'}},
  {format: 'ubb', numbered: false, modes: {ubb_safe: '1'}},
  {format: 'ubb', numbered: true, first: '1', modes: {ubb_safe: '1', ubb_font: 'Courier New'}},
  {format: 'ubb', numbered: false, modes: {ubb_no_entities: '1', tab_width: '2'}},
  {format: 'ubb', numbered: false, modes: {ubb_safe: '1', ubb_no_entities: '1', ubb_font: 'monospace'}},
];
// Each mode's control in the page (its id is mode-NAME), and how
// vorel-convert takes it.
const MODES = {
  page: {kind: 'select', flag: (v) => ['--page', v]},
  charset: {kind: 'select', flag: (v) => ['--charset', v], initial: 'auto'},
  fragment: {kind: 'box', flag: () => ['--fragment']},
  escape: {kind: 'box', flag: () => ['--escape', 'strict']},
  ubb_safe: {kind: 'box', flag: () => ['--ubb-safe']},
  ubb_no_entities: {kind: 'box', flag: () => ['--ubb-no-entities']},
  ubb_font: {kind: 'text', flag: (v) => ['--ubb-font', v]},
  tab_width: {kind: 'text', flag: (v) => ['--tab-width', v]},
};
const caseName = (c) => `${c.format}${c.numbered ? ' numbered from ' + c.first : ''}` +
    Object.entries(c.modes || {}).map(([k, v]) => ` ${k}=${v}`).join('');

let browser, context, page;
const strayRequests = [];
const blocked = new Map();  // url -> why Chromium did not send it
let servedBase = null;  // the local web server's address while a test serves the page

// What vorel-convert writes (stdout bytes), or its error message.
// syntax undefined: vorel-convert chooses by the file's name (then input is
// a path).
function cli(input, syntax, c) {
  const args = ['--config-dir', packDir, '--format', c.format];
  if (syntax !== undefined) args.push('--syntax', syntax);
  if (c.numbered) args.push('--line-numbers', c.first);
  for (const [name, value] of Object.entries(c.modes || {})) args.push(...MODES[name].flag(value));
  if (syntax === undefined) args.push(input);
  const r = spawnSync(converter, args, {input: syntax === undefined ? '' : input, maxBuffer: 1 << 30});
  return {status: r.status, out: r.stdout, err: r.stderr.toString()};
}

// Markup as a browser reads it (UTF-8 when it is all UTF-8, else Big5),
// decoded by Chromium itself: decoders differ in how many replacement
// characters a bad sequence gives.
function shownText(bytes) {
  return page.evaluate((b64) => {
    const bytes = Uint8Array.from(atob(b64), (c) => c.charCodeAt(0));
    try {
      return new TextDecoder('utf-8', {fatal: true}).decode(bytes);
    } catch (e) {
      return new TextDecoder('big5').decode(bytes);
    }
  }, Buffer.from(bytes).toString('base64'));
}

async function settle(before) {
  await page.waitForFunction((n) => document.body.dataset.idle === 'yes' &&
      Number(document.body.dataset.conversions || 0) > n, before, {timeout: 60000, polling: 20});
}
const conversions = () => page.evaluate(() => Number(document.body.dataset.conversions || 0));

// Sets the format, numbering and modes of case c (every mode it does not
// name at its default).
async function choose(c, on = page) {
  await on.check(`input[name=format][value=${c.format}]`);
  await on.setChecked('#numbered', c.numbered);
  if (c.numbered) await on.fill('#first-line', c.first);
  // What each offered control holds now: only those that differ are set.
  const now = await on.evaluate((names) => Object.fromEntries(names.map((n) => {
    const el = document.getElementById('mode-' + n);
    return [n, el.closest('label').hidden ? null : el.type === 'checkbox' ? el.checked : el.value];
  })), Object.keys(MODES));
  for (const [name, m] of Object.entries(MODES)) {
    const value = (c.modes || {})[name];
    const id = '#mode-' + name;
    if (now[name] === null) {
      assert.equal(value, undefined, `${name} is not offered for ${c.format}`);
      continue;
    }
    if (m.kind === 'select') {
      const want = value || m.initial || 'classic';
      if (now[name] !== want) await on.selectOption(id, want);
    } else if (m.kind === 'box') {
      if (now[name] !== (value !== undefined)) await on.setChecked(id, value !== undefined);
    } else if (now[name] !== (value || '')) {
      await on.fill(id, value || '');
    }
  }
}

// Sets the options, presses Convert and waits for the result.
async function convertWith(syntax, c) {
  await page.selectOption('#syntax', syntax);
  await choose(c);
  const n = await conversions();
  await page.click('#convert');
  await settle(n);
}

async function download() {
  const [d] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
  return {name: d.suggestedFilename(), bytes: fs.readFileSync(await d.path())};
}

async function copied() {
  await page.click('#copy');
  return page.evaluate(() => navigator.clipboard.readText());
}

before(async () => {
  browser = await launch();
  context = await browser.newContext({acceptDownloads: true});
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  // The page's own files and what it makes itself (its Worker's blob, the
  // preview's srcdoc) are all it may load.
  context.on('request', (r) => {
    const url = r.url();
    const own = url.startsWith('file://' + webDir + '/') || url.startsWith('blob:') ||
        url.startsWith('about:') || url.startsWith('data:') || (servedBase && url.startsWith(servedBase));
    if (!own) strayRequests.push(url);
  });
  context.on('requestfailed', (r) => blocked.set(r.url(), r.failure().errorText));
  page = await context.newPage();
  page.on('pageerror', (e) => strayRequests.push('page error: ' + e.message));
  const t0 = Date.now();
  await page.goto(pageUrl);
  await page.waitForSelector('body[data-ready=yes]');
  console.log(`# page ready for use in ${Date.now() - t0} ms`);
});

after(async () => {
  if (browser) await browser.close();
  fs.rmSync(scratch, {recursive: true, force: true});
});

test('the syntax list is every section of the shipped config.ini', async () => {
  const listed = execFileSync(converter, ['--list-syntaxes', '--config-dir', packDir]).toString().trim().split('\n');
  const offered = await page.$$eval('#syntax option', (os) => os.map((o) => o.value));
  assert.deepEqual(offered, ['', ...listed]);
});

test('each shipped sample, pasted, in each format, numbering and output mode: shown, copied and downloaded as vorel-convert writes it', async () => {
  // Every case is shown; copy and download take turns over the cases, so each
  // case is copied and downloaded for some samples without clicking 756 times.
  const cases = [...CASES, ...MODE_CASES];
  let turn = 0;
  for (const [file, syntax] of Object.entries(SAMPLES)) {
    const bytes = fs.readFileSync(path.join(sourceDir, 'samples', file));
    await page.fill('#source', bytes.toString('utf8'));
    for (const [i, c] of cases.entries()) {
      const want = cli(bytes, syntax, c);
      assert.equal(want.status, 0, want.err);
      await convertWith(syntax, c);
      const what = `${file} ${caseName(c)}`;
      const text = await shownText(want.out);
      assert.equal(await page.textContent('#message'), '', what);
      assert.equal(await page.textContent('#markup'), text, what + ': shown');
      if (i === turn % cases.length) assert.equal(await copied(), text, what + ': copied');
      if (i === (turn + 1) % cases.length || i === (turn + 7) % cases.length) {
        const d = await download();
        assert.ok(want.out.equals(d.bytes), what + ': downloaded bytes differ');
        assert.equal(d.name, 'code.' + (c.format === 'html' ? 'html' : 'txt'));
      }
    }
    ++turn;
  }
});

test('a mode value vorel-convert refuses gets its message, and no markup', async () => {
  await page.fill('#source', 'int x;\n');
  for (const [c, args] of [
    [{format: 'ubb', numbered: false, modes: {ubb_font: 'a]b'}}, ['--format', 'ubb', '--ubb-font', 'a]b']],
    [{format: 'html', numbered: false, modes: {tab_width: '65'}}, ['--tab-width', '65']],
    [{format: 'ubb', numbered: false, modes: {tab_width: 'four'}}, ['--format', 'ubb', '--tab-width', 'four']]]) {
    await choose(c);
    await page.click('#convert');
    await page.waitForFunction(() => document.getElementById('message').textContent !== '');
    const r = spawnSync(converter, args, {input: 'int x;\n'});
    assert.equal(r.status, 2);
    assert.equal('vorel-convert: ' + await page.textContent('#message'), r.stderr.toString().split('\n')[0],
        caseName(c));
    assert.equal(await page.textContent('#markup'), '');
    assert.equal(await page.isDisabled('#download'), true);
  }
  // Each format offers its own modes only.
  await choose({format: 'html', numbered: false});
  assert.equal(await page.isVisible('#mode-ubb_safe'), false);
  assert.equal(await page.isVisible('#mode-page'), true);
  await choose({format: 'ubb', numbered: false});
  assert.equal(await page.isVisible('#mode-page'), false);
  assert.equal(await page.isVisible('#mode-tab_width'), true);
});

test('opened files take the syntax their name asks for, as vorel-convert chooses it', async () => {
  // Every sample opened by name, after a syntax that is not its own was chosen.
  for (const [i, file] of Object.keys(SAMPLES).entries()) {
    const c = [CASES[0], MODE_CASES[6]][i % 2];
    await page.selectOption('#syntax', 'Lua');
    await choose(c);
    const n = await conversions();
    await page.setInputFiles('#open', path.join(sourceDir, 'samples', file));
    await settle(n);
    const want = cli(path.join(sourceDir, 'samples', file), undefined, c);
    assert.equal(want.status, 0, want.err);
    assert.equal(await page.inputValue('#syntax'), SAMPLES[file], file);
    assert.equal(await page.textContent('#message'), SAMPLE_NOTES[file]);
    assert.ok(want.out.equals((await download()).bytes), `${file} ${caseName(c)}: downloaded bytes differ`);
  }
  // A name no pattern matches keeps the syntax chosen.
  const file = path.join(scratch, 'notes.zzz');
  fs.writeFileSync(file, 'local x = 1\n');
  await choose(CASES[0]);
  await page.selectOption('#syntax', 'Lua');
  const n = await conversions();
  await page.setInputFiles('#open', file);
  await settle(n);
  assert.equal(await page.inputValue('#syntax'), 'Lua');
  assert.match(await page.textContent('#message'), /No syntax's file names match 'notes.zzz'; the syntax stays Lua/);
  assert.ok(cli(fs.readFileSync(file), 'Lua', CASES[0]).out.equals((await download()).bytes));
});

test('a file its name does not place takes the syntax its text asks for, as vorel-convert chooses it', async () => {
  await choose(CASES[0]);
  const script = path.join(scratch, 'tool');
  fs.writeFileSync(script, '#!/usr/bin/env python3\nimport sys\nprint(sys.argv)\n');
  const header = path.join(scratch, 'shapes.h');
  fs.writeFileSync(header, '#pragma once\nnamespace shapes {\nclass Circle;\n}\n');
  for (const [file, syntax, note] of [
    [script, 'Python', 'Syntax Python, from the #! line; change it above if it is wrong.'],
    [header, 'C++', "'shapes.h' matches C, C++, Objective-C; using C++ (from the first lines)."],
  ]) {
    await page.selectOption('#syntax', 'Lua');
    const n = await conversions();
    await page.setInputFiles('#open', file);
    await settle(n);
    assert.equal(await page.inputValue('#syntax'), syntax);
    assert.equal(await page.textContent('#message'), note);
    const want = cli(file, undefined, CASES[0]);
    assert.equal(want.status, 0, want.err);
    assert.ok(want.out.equals((await download()).bytes), file);
  }
});

test('a pasted text is offered the syntax vorel-convert guesses for it, taken only when asked', async () => {
  const suggestions = () => page.evaluate(() => Number(document.body.dataset.suggestions || 0));
  const typed = async (text) => {
    const n = await suggestions();
    await page.fill('#source', text);
    await page.waitForFunction((k) => Number(document.body.dataset.suggestions || 0) > k, n);
  };
  await choose(CASES[0]);
  for (const [file, syntax] of [['sample.rb', 'Ruby'], ['sample.go', 'Go'], ['sample.sql', 'SQL']]) {
    const text = fs.readFileSync(path.join(sourceDir, 'samples', file), 'utf8');
    const guessed = spawnSync(converter, ['--config-dir', packDir, '--syntax', 'auto', '--stats'], {input: text});
    assert.match(guessed.stderr.toString(), new RegExp(`syntax: +${syntax} \\(from the guess\\)`));
    await page.selectOption('#syntax', 'Lua');
    await typed(text);
    assert.equal(await page.isVisible('#suggestion'), true, file);
    assert.equal(await page.textContent('#suggested-syntax'), syntax);
    assert.equal(await page.textContent('#suggested-rule'), 'guess');
    assert.equal(await page.inputValue('#syntax'), 'Lua', 'the offer is not taken by itself');
    const n = await conversions();
    await page.click('#use-suggestion');
    await settle(n);
    assert.equal(await page.inputValue('#syntax'), syntax);
    assert.equal(await page.isVisible('#suggestion'), false);
    assert.ok(cli(text, syntax, CASES[0]).out.equals((await download()).bytes), file);
  }
  // Nothing to offer: prose, or the syntax already chosen.
  await typed('Dear all,\nthe meeting moves to Friday.\n');
  assert.equal(await page.isVisible('#suggestion'), false);
  await page.selectOption('#syntax', 'Python');
  await typed('#!/usr/bin/python3\nimport os\n');
  assert.equal(await page.isVisible('#suggestion'), false);
});

test('the HTML preview is the markup rendered in a frame that runs no script', async () => {
  await page.fill('#source', 'int main() { return a < b; } // <script>alert(1)</script>\n');
  await convertWith('C', {format: 'html', numbered: false});
  const frame = page.frameLocator('#preview');
  assert.equal(await frame.locator('#code').innerText(),
      'int main() { return a < b; } // <script>alert(1)</script>\n');
  assert.equal(await frame.locator('#code font[color="0000C0"]').first().textContent(), 'int');
  assert.equal(await page.getAttribute('#preview', 'sandbox'), '');
});

// The rendered post's text as a reader sees it, line ends as the source's.
const postText = () => page.frameLocator('#preview').locator('body').innerText();
const lf = (b) => b.toString('utf8').replace(/\r\n?/g, '\n');

test('the UBB preview is the post as the bundled BBCode library renders it', async () => {
  // Forum-safe UBB of every sample renders as exactly its source (with or
  // without the font, and without entities on a board that escapes HTML).
  const safe = [MODE_CASES[6], {...MODE_CASES[7], numbered: false}, MODE_CASES[9]];
  for (const [i, [file, syntax]] of Object.entries(SAMPLES).entries()) {
    const bytes = fs.readFileSync(path.join(sourceDir, 'samples', file));
    await page.fill('#source', bytes.toString('utf8'));
    const c = safe[i % safe.length];
    await convertWith(syntax, c);
    assert.equal(await page.isVisible('#ubb-preview'), false);
    assert.equal(await postText(), lf(bytes), `${file} ${caseName(c)}`);
  }
  // Keywords in their colour and weight, the font as asked.
  await page.fill('#source', 'int main() { return 0; }\n');
  await convertWith('C', safe[1]);
  const style = await page.frameLocator('#preview').locator('span', {hasText: /^int$/}).last().evaluate((el) => {
    const s = getComputedStyle(el);
    let bold = false;
    for (let e = el; e; e = e.parentElement) bold = bold || getComputedStyle(e).fontWeight === '700';
    return {color: s.color, bold, font: s.fontFamily};
  });
  assert.deepEqual(style, {color: 'rgb(0, 0, 192)', bold: true, font: '"Courier New"'});
});

test('bbcode.js holds the published @bbob files unchanged, at the versions it names', () => {
  const bundled = fs.readFileSync(path.join(webDir, 'bbcode.js'), 'utf8');
  const modules = path.join(sourceDir, 'node_modules/@bbob');
  for (const name of ['html', 'preset-html5']) {
    const {version} = JSON.parse(fs.readFileSync(path.join(modules, name, 'package.json'), 'utf8'));
    assert.ok(bundled.includes(`@bbob/${name} ${version}`), `${name} ${version} is not the version named`);
    assert.ok(bundled.includes(fs.readFileSync(path.join(modules, name, 'dist/index.min.js'), 'utf8')),
        `${name}: not the published file`);
  }
});

test('the UBB preview loads nothing a post names and follows no link', async () => {
  let hits = 0;
  const server = http.createServer((req, res) => {
    ++hits;
    res.writeHead(200, {'Content-Type': 'image/png'}).end();
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const base = `http://127.0.0.1:${server.address().port}/`;
  try {
    // Default UBB leaves the source's tags to the board: they are a picture,
    // a link and a colour with a url() in it.
    await page.fill('#source', `// [img]${base}a.png[/img] [url=${base}b]link[/url] ` +
        `[color=red;background:url(${base}c.png)]x[/color] <img src="${base}d.png">\n`);
    await convertWith('C', CASES[2]);
    const frame = page.frameLocator('#preview');
    assert.equal(await frame.locator('img').count(), 1, 'the [img] tag was rendered');
    await frame.locator('a').click({force: true});
    await page.waitForTimeout(500);
    assert.equal(hits, 0, 'the preview made requests');
    assert.match(await postText(), /link/);
    // The page's own view of the result did not change.
    assert.equal(await page.textContent('#markup'), await shownText(cli(
        Buffer.from(await page.inputValue('#source')), 'C', CASES[2]).out));
  } finally {
    server.close();
  }
  // Chromium reports what the frame's policy stopped as requests that failed
  // before they were sent; they are taken off the suite's list of strays.
  for (const url of strayRequests.filter((u) => u.startsWith(base)))
    assert.equal(blocked.get(url), 'csp', url);
  strayRequests.splice(0, strayRequests.length, ...strayRequests.filter((u) => !u.startsWith(base)));
});

test('opened and dropped files convert as bytes: UTF-8, Big5 and CR line ends', async () => {
  const big5 = Buffer.from([
    ...Buffer.from('/* '), 0xa4, 0xa4, 0xa4, 0xe5, ...Buffer.from(' */\r\nint x = "'), 0xb4, 0xfa,
    ...Buffer.from('";\rreturn 0;\n')]);
  const utf8 = Buffer.from('// 計算總和 — naïve café\nint main() { return 0; }\n');
  const cases = [['big5.c', big5, 'Big5'], ['utf8.c', utf8, 'UTF-8']];
  for (const [name, bytes, charset] of cases) {
    const file = path.join(scratch, name);
    fs.writeFileSync(file, bytes);
    // The automatic charset (UTF-8 declared for the UTF-8 file, Big5 for the
    // other), each one forced, and the modern page.
    for (const c of [CASES[1], CASES[2], MODE_CASES[0], MODE_CASES[4], MODE_CASES[5], MODE_CASES[7]]) {
      await page.selectOption('#syntax', 'C');
      await choose(c);
      const n = await conversions();
      await page.setInputFiles('#open', file);
      await settle(n);
      const want = cli(bytes, 'C', c);
      assert.match(await page.textContent('#source-name'), new RegExp(charset));
      assert.equal(await page.textContent('#markup'), await shownText(want.out), `${name} shown`);
      const d = await download();
      assert.ok(want.out.equals(d.bytes), `${name} ${caseName(c)}: downloaded bytes differ`);
      assert.equal(d.name, name.replace(/\.c$/, c.format === 'html' ? '.html' : '.txt'));
    }
  }
  // Dropped on the page: its name chooses the syntax too.
  await page.selectOption('#syntax', 'Lua');
  await choose(CASES[2]);
  const n = await conversions();
  const dt = await page.evaluateHandle((b) => {
    const t = new DataTransfer();
    t.items.add(new File([new Uint8Array(b)], 'dropped.c'));
    return t;
  }, [...big5]);
  await page.dispatchEvent('body', 'drop', {dataTransfer: dt});
  await settle(n);
  const want = cli(big5, 'C', CASES[2]);
  assert.equal(await page.inputValue('#syntax'), 'C');
  assert.ok(want.out.equals((await download()).bytes), 'dropped file');
});

test('bad input: the page says what vorel-convert says and keeps the text', async () => {
  // A NUL byte.
  const nul = Buffer.from('int a;\n\0int b;\n');
  const file = path.join(scratch, 'nul.c');
  fs.writeFileSync(file, nul);
  const want = cli(nul, 'C', CASES[0]);
  assert.equal(want.status, 1);
  let n = await conversions();
  await page.setInputFiles('#open', file);
  await settle(n);
  assert.equal('vorel-convert: ' + await page.textContent('#message') + '\n', want.err);
  assert.equal(await page.inputValue('#source'), 'int a;\n\0int b;\n');
  assert.equal(await page.textContent('#markup'), '');
  assert.equal(await page.isDisabled('#copy'), true);

  // A bad first line number.
  await page.fill('#source', 'x');
  await page.check('#numbered');
  await page.fill('#first-line', '4294967296');
  n = await conversions();
  await page.click('#convert');
  await page.waitForFunction(() => document.getElementById('message').textContent !== '');
  const bad = spawnSync(converter, ['--line-numbers', '4294967296'], {input: 'x'});
  assert.equal('vorel-convert: ' + await page.textContent('#message') + '\n',
      bad.stderr.toString().split('\n')[0] + '\n');
  assert.equal(await page.inputValue('#source'), 'x');
  await page.fill('#first-line', '1');

  // An empty text and a binary file without a NUL byte convert as on the command line.
  const binary = Buffer.alloc(4096);
  for (let i = 0; i < binary.length; i++) binary[i] = 1 + ((i * 7919) % 255);
  fs.writeFileSync(path.join(scratch, 'binary.bin'), binary);
  for (const [what, set, bytes] of [
    ['empty', () => page.fill('#source', ''), Buffer.alloc(0)],
    ['binary', () => page.setInputFiles('#open', path.join(scratch, 'binary.bin')), binary]]) {
    for (const c of [CASES[0], CASES[3]]) {
      await page.selectOption('#syntax', 'C');
      await choose(c);
      // An opened file converts by itself and tells how its syntax was
      // chosen; Convert is pressed once that is done.
      n = await conversions();
      await set();
      if (what === 'binary') await settle(n);
      n = await conversions();
      await page.click('#convert');
      await settle(n);
      const w = cli(bytes, 'C', c);
      assert.equal(await page.textContent('#message'), '', what);
      assert.ok(w.out.equals((await download()).bytes), `${what} ${JSON.stringify(c)}`);
    }
  }
});

test('a 10 MB paste converts whole; the page shows the start and downloads all', async () => {
  const sample = fs.readFileSync(path.join(sourceDir, 'samples', 'sample.cpp'));
  const big = Buffer.alloc(10 * 1000 * 1000);
  for (let at = 0; at < big.length; at += sample.length) sample.copy(big, at);
  const c = {format: 'html', numbered: true, first: '1'};
  await page.selectOption('#syntax', 'C++');
  await choose(c);
  // The paste event as Ctrl+V delivers it, 1 MB first.  The figures say how
  // long the conversion took and the longest the page's own thread was
  // busy meanwhile (what a user feels as a freeze).
  let n;
  for (const size of [1000 * 1000, big.length]) {
    n = await conversions();
    await page.evaluate((text) => {
      // Counted from the paste on: the test's handing the text over is
      // not the page's work.
      const data = new DataTransfer();
      data.setData('text/plain', text);
      const paste = new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true});
      window.longestTask = 0;
      const from = performance.now();
      window.taskWatch = new PerformanceObserver((list) => {
        for (const e of list.getEntries()) {
          const busy = e.startTime + e.duration - Math.max(e.startTime, from);
          window.longestTask = Math.max(window.longestTask, busy);
        }
      });
      window.taskWatch.observe({type: 'longtask'});
      document.getElementById('source').dispatchEvent(paste);
    }, big.subarray(0, size).toString('utf8'));
    await settle(n);
    const [ms, longest] = await page.evaluate(() => {
      window.taskWatch.disconnect();
      return [Number(document.body.dataset.lastMs), window.longestTask];
    });
    console.log(`# ${size / 1e6} MB paste (C++, HTML, numbered): converted in ${Math.round(ms)} ms in the ` +
        `page; longest main-thread task ${Math.round(longest)} ms`);
    if (size < big.length) {
      // Shown in part, copied whole.
      const text = await shownText(cli(big.subarray(0, size), 'C++', c).out);
      assert.equal(await page.textContent('#markup'), text.slice(0, 256000));
      assert.equal(await copied(), text, '1 MB copied');
    }
  }
  assert.match(await page.getAttribute('#source', 'placeholder'), /10000000 characters.*too large to show/);
  const want = cli(big, 'C++', c);
  assert.equal(await page.textContent('#message'), '');
  assert.match(await page.textContent('#preview-note'), /Copy and Download take all/);
  const shown = await page.textContent('#markup');
  const head = await shownText(want.out.subarray(0, shown.length * 2));  // enough bytes for as many characters
  assert.equal(shown, head.slice(0, shown.length));
  assert.ok(want.out.equals((await download()).bytes), '10 MB download differs');
  // Still held after a change of options; typing replaces it.
  n = await conversions();
  await page.check('input[name=format][value=ubb]');
  await settle(n);
  assert.ok(cli(big, 'C++', {...c, format: 'ubb'}).out.equals((await download()).bytes), '10 MB as UBB');
  await page.fill('#source', 'x');
  assert.equal(await page.textContent('#source-name'), '');
});

test('the choices survive a reload, as option.ini keeps them', async () => {
  await page.selectOption('#syntax', 'Rust');
  await page.check('input[name=format][value=ubb]');
  await page.check('#numbered');
  await page.fill('#first-line', '42');
  await page.dispatchEvent('#first-line', 'change');
  await page.check('#mode-ubb_safe');
  await page.fill('#mode-ubb_font', 'Courier New');
  await page.fill('#mode-tab_width', '4');
  await page.reload();
  await page.waitForSelector('body[data-ready=yes]');
  assert.equal(await page.inputValue('#syntax'), 'Rust');
  assert.equal(await page.isChecked('input[name=format][value=ubb]'), true);
  assert.equal(await page.isChecked('#numbered'), true);
  assert.equal(await page.inputValue('#first-line'), '42');
  assert.equal(await page.isChecked('#mode-ubb_safe'), true);
  assert.equal(await page.inputValue('#mode-ubb_font'), 'Courier New');
  assert.equal(await page.inputValue('#mode-tab_width'), '4');
  // The HTML modes kept theirs while UBB was chosen.
  await page.check('input[name=format][value=html]');
  await page.selectOption('#mode-page', 'modern');
  await page.reload();
  await page.waitForSelector('body[data-ready=yes]');
  assert.equal(await page.inputValue('#mode-page'), 'modern');
  assert.equal(await page.isChecked('#mode-ubb_safe'), true);
});

test('served by a plain static web server, the page works the same', async () => {
  const server = http.createServer((req, res) => {
    const file = path.join(webDir, path.normalize(decodeURIComponent(req.url.split('?')[0])));
    if (!file.startsWith(webDir + '/') || !fs.existsSync(file)) {
      res.writeHead(404).end();
      return;
    }
    const type = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css'}[path.extname(file)];
    res.writeHead(200, {'Content-Type': type || 'application/octet-stream'}).end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const served = await context.newPage();
  const base = servedBase = `http://127.0.0.1:${server.address().port}/`;
  try {
    await served.goto(base + 'index.html');
    await served.waitForSelector('body[data-ready=yes]');
    const bytes = fs.readFileSync(path.join(sourceDir, 'samples', 'hello.c'));
    await served.selectOption('#syntax', 'C');
    await served.check('input[name=format][value=html]');
    await served.setChecked('#numbered', false);
    await served.fill('#source', bytes.toString('utf8'));
    await served.click('#convert');
    await served.waitForFunction(() => document.body.dataset.idle === 'yes' &&
        document.body.dataset.conversions > 0);
    assert.equal(await served.textContent('#markup'), await shownText(cli(bytes, 'C', CASES[0]).out));
  } finally {
    await served.close();
    server.close();
    servedBase = null;
  }
});

test('the page made no request beyond its own files', () => {
  assert.deepEqual(strayRequests, []);
});
