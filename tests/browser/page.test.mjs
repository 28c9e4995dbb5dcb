// What a reader of the pages meets beyond the text itself: colours and
// styles, the modern page's copy button, line numbers that are not copied,
// the frame's own texts in either charset, the wrap switch.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { SOURCE_DIR, launch, scratch, convert, decodeInPage, fileUrl } from './support.mjs';

const HERE = path.dirname(fileURLToPath(import.meta.url));
const FIXTURE = path.join(HERE, 'fixture');
const PROBE_ARGS = ['--config-dir', FIXTURE, '--syntax', 'Probe'];

let browser;
let dir;
test.before(async () => {
  browser = await launch();
  dir = scratch();
});
test.after(async () => {
  await browser.close();
  fs.rmSync(dir, { recursive: true, force: true });
});

async function open(file, { clipboard = false } = {}) {
  const context = await browser.newContext();
  if (clipboard) await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  const page = await context.newPage();
  await page.goto(fileUrl(file));
  return page;
}

function write(name, text) {
  const file = path.join(dir, name);
  fs.writeFileSync(file, text);
  return file;
}

// A plain page of the author's with a fragment in it.
function host(fragment) {
  return write(`${path.basename(fragment)}.host.html`, Buffer.concat([
    Buffer.from('<!DOCTYPE html>\n<html><head><meta charset="utf-8"></head><body style="color:#222">\n<p>Before.</p>\n'),
    fs.readFileSync(fragment), Buffer.from('\n<p>After.</p></body></html>\n')]));
}

// Runs in the page: how each text of the block is drawn, as {text: style}.
function stylesOfBlock() {
  const pre = document.querySelector('pre');
  const out = {};
  const walker = document.createTreeWalker(pre, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    const el = node.parentElement;
    const cs = getComputedStyle(el);
    let underline = false;
    for (let e = el; e && e !== pre.parentElement; e = e.parentElement)
      if (getComputedStyle(e).textDecorationLine.includes('underline')) underline = true;
    for (const word of node.textContent.split(/[\s;()]+/).filter(Boolean))
      out[word] = { color: cs.color, bold: Number(cs.fontWeight) >= 700, italic: cs.fontStyle === 'italic', underline };
  }
  return out;
}

// The probe keyword file as the reader should see it: colour 0xBBGGRR in the
// low bytes, bold, italic and underline in bits 24, 25 and 26.
function probeStyles() {
  const styles = {};
  const rgb = (v) => `rgb(${v & 255}, ${(v >> 8) & 255}, ${(v >> 16) & 255})`;
  const style = (v) => ({ color: rgb(v), bold: !!(v & 0x1000000), italic: !!(v & 0x2000000), underline: !!(v & 0x4000000) });
  for (const line of fs.readFileSync(path.join(FIXTURE, 'probe.kw'), 'utf8').split('\n').filter(Boolean)) {
    const [word, hex] = line.split(' ');
    styles[word] = style(parseInt(hex, 16));
  }
  styles['"quoted"'] = style(0x1000080);  // color_string
  styles['/*block'] = style(0x2008000);   // color_comment
  styles['//line'] = style(0x2008000);
  return styles;
}

const PROBE_TEXT = 'plainword boldword italicword bolditalic underword boldunder italicunder allthree\n' +
  'other; "quoted" (/*block\ncomment*/) //line\n';

test('colours and styles show as the syntax sets them, in every page', async () => {
  const input = write('probe.txt', PROBE_TEXT);
  const expected = probeStyles();
  const pages = {
    classic: convert(dir, input, PROBE_ARGS, 'probe-classic.html'),
    modern: convert(dir, input, [...PROBE_ARGS, '--page', 'modern', '--line-numbers', '1'], 'probe-modern.html'),
    fragment: host(convert(dir, input, [...PROBE_ARGS, '--page', 'modern', '--fragment'], 'probe-fragment.html')),
  };
  for (const [name, file] of Object.entries(pages)) {
    const page = await open(file);
    const seen = await page.evaluate(stylesOfBlock);
    for (const [word, style] of Object.entries(expected)) assert.deepEqual(seen[word], style, `${name}: ${word}`);
    // Words that are no keywords keep the block's own colour and weight.
    const plain = await page.evaluate(() => getComputedStyle(document.querySelector('pre')).color);
    assert.deepEqual(seen.other, { color: plain, bold: false, italic: false, underline: false }, `${name}: other`);
    await page.context().close();
  }
});

// The text of a source as its page shows it.
async function sourceText(page, file) {
  return page.evaluate(decodeInPage, [[...fs.readFileSync(file)], 'utf-8']);
}

// Clicks the copy button of the page at url and returns what the clipboard
// then holds, read from a local page of the same browser.
async function copyButton(b, url, local) {
  const context = await b.newContext();
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  const reader = await context.newPage();
  await reader.goto(fileUrl(local));
  await reader.evaluate(() => navigator.clipboard.writeText('before'));
  const page = await context.newPage();
  await page.goto(url);
  const secure = await page.evaluate(() => window.isSecureContext && !!navigator.clipboard);
  await page.click('#copy');
  await reader.bringToFront();
  // The button may write asynchronously: wait until the clipboard changes.
  let copied = 'before';
  for (let tries = 0; copied === 'before' && tries < 100; ++tries) {
    await reader.waitForTimeout(20);
    copied = await reader.evaluate(() => navigator.clipboard.readText());
  }
  await context.close();
  return { secure, copied };
}

test('the modern page copies exactly the source, without the line numbers', async () => {
  const input = path.join(SOURCE_DIR, 'samples', 'sample.cpp');
  const file = convert(dir, input, ['--syntax', 'C++', '--page', 'modern', '--line-numbers', '12'], 'copy.html');
  const page = await open(file);
  const source = await sourceText(page, input);
  await page.context().close();

  // As a local file (a secure context, with the clipboard API).
  assert.deepEqual(await copyButton(browser, fileUrl(file), file), { secure: true, copied: source }, 'local file');

  // Served over plain http from a host that is not this machine's name: no
  // clipboard API there.
  const server = http.createServer((req, res) => {
    res.writeHead(200, { 'Content-Type': 'text/html' });
    res.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const remote = await launch([`--host-resolver-rules=MAP vorel.test 127.0.0.1`]);
  try {
    const url = `http://vorel.test:${server.address().port}/copy.html`;
    assert.deepEqual(await copyButton(remote, url, file), { secure: false, copied: source }, 'page over http');
  } finally {
    await remote.close();
    server.close();
  }
});

test('line numbers show from the first number but are never selected or copied', async () => {
  const input = path.join(SOURCE_DIR, 'samples', 'sample.py');
  const numbered = {
    page: convert(dir, input, ['--syntax', 'Python', '--page', 'modern', '--line-numbers', '999998'], 'numbers.html'),
    fragment: host(convert(dir, input, ['--syntax', 'Python', '--page', 'modern', '--fragment', '--line-numbers', '999998'],
      'numbers-fragment.html')),
  };
  for (const [name, file] of Object.entries(numbered)) {
    const page = await open(file, { clipboard: true });
    const source = await sourceText(page, input);
    const lines = source.replace(/\n$/, '').split('\n').length;
    const shown = await page.evaluate(() => {
      const pre = document.querySelector('pre');
      const markers = [...pre.querySelectorAll('[data-n]')];
      if (markers.length) return markers.map((m) => getComputedStyle(m, '::before').content.replace(/"/g, ''));
      return [...pre.querySelectorAll('span[style*="user-select:none"]')].map((s) => s.textContent.trim());
    });
    assert.equal(shown.length, lines, `${name}: one number per line`);
    assert.deepEqual(shown.slice(0, 3), ['999998', '999999', '1000000'], `${name}: numbers`);
    assert.equal(shown[lines - 1], String(999998 + lines - 1), `${name}: last number`);
    // A reader's selection of the block, and of the whole page.
    await page.evaluate(() => getSelection().selectAllChildren(document.querySelector('pre')));
    await page.keyboard.press('Control+C');
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), source.replace(/\n$/, ''),
      `${name}: selection of the block`);
    await page.evaluate(() => getSelection().removeAllRanges());
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Control+C');
    const all = await page.evaluate(() => navigator.clipboard.readText());
    assert.ok(all.includes(source.replace(/\n$/, '')), `${name}: select-all holds the source as it is`);
    assert.ok(!/999998|1000000/.test(all), `${name}: select-all holds no line number`);
    await page.context().close();
  }
});

test('the frame\'s own texts read right in Big5 and in UTF-8', async () => {
  const ascii = write('ascii.c', 'int main(void) { return 0; }\n');
  const utf8 = path.join(HERE, 'inputs', 'utf8.cpp');
  const cases = [
    { input: ascii, args: [], charset: 'Big5' },
    { input: utf8, args: [], charset: 'UTF-8' },
    { input: ascii, args: ['--charset', 'utf-8'], charset: 'UTF-8' },
    { input: utf8, args: ['--charset', 'big5'], charset: 'Big5' },
    { input: ascii, args: ['--page', 'modern'], charset: 'Big5' },
    { input: utf8, args: ['--page', 'modern'], charset: 'UTF-8' },
  ];
  for (const [i, c] of cases.entries()) {
    const page = await open(convert(dir, c.input, c.args, `frame-${i}.html`));
    const seen = await page.evaluate(() => ({
      charset: document.characterSet,
      copy: (document.querySelector('input[type=button]') || {}).value || document.querySelector('#copy').textContent,
      wrap: (document.querySelector('font') || document.querySelector('label')).textContent,
      font: document.querySelector('option') ? document.querySelector('option').textContent : '明體',
      fontValue: document.querySelector('option') ? document.querySelector('option').value : '細明體',
    }));
    assert.deepEqual(seen, { charset: c.charset, copy: '複製所有代碼', wrap: '自動換行', font: '明體', fontValue: '細明體' },
      `${path.basename(c.input)} ${c.args.join(' ')}`);
    await page.context().close();
  }
});

test('the modern page wraps long lines until its switch is cleared', async () => {
  const input = write('long.txt', `${'word '.repeat(400)}\nshort\n`);
  const page = await open(convert(dir, input, ['--page', 'modern'], 'wrap.html'));
  const overflows = () => page.evaluate(() => {
    const pre = document.querySelector('pre');
    return pre.scrollWidth > pre.clientWidth;
  });
  assert.equal(await overflows(), false, 'wrapped by default');
  await page.click('#wrap');
  assert.equal(await overflows(), true, 'one long line once cleared');
  await page.context().close();
});
