// What the browser tests share: vorel-convert, headless Chromium, the
// shipped samples and a look at a page's code block as a reader sees it.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { launch } from '../support/chromium.cjs';
import { samples as sharedSamples } from '../support/samples.cjs';

const SOURCE_DIR = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
const CONVERT = process.env.VOREL_CONVERT || path.join(SOURCE_DIR, 'build', 'native', 'bin', 'vorel-convert');

// A fresh folder for one test file's pages.
function scratch() {
  return fs.mkdtempSync(path.join(os.tmpdir(), 'vorel-browser-'));
}

// Runs vorel-convert on input and returns the path of the markup it wrote.
function convert(dir, input, args, name) {
  const out = path.join(dir, name || `${path.basename(input)}.${args.join('').replace(/[^a-z0-9]/gi, '') || 'default'}.html`);
  execFileSync(CONVERT, [...args, '-o', out, input], { stdio: ['ignore', 'ignore', 'pipe'] });
  return out;
}

// The shipped samples and the syntax vorel-convert chooses for each.
function samples() {
  return sharedSamples(CONVERT, SOURCE_DIR);
}

// The encoding a page for these bytes should declare when the charset is
// chosen automatically: UTF-8 for well-formed UTF-8 that is not plain ASCII.
function autoCharset(bytes) {
  const end = bytes.indexOf(0);
  const text = end < 0 ? bytes : bytes.subarray(0, end);
  if (!text.some((b) => b >= 0x80)) return 'big5';
  try {
    new TextDecoder('utf-8', { fatal: true }).decode(text);
    return 'utf-8';
  } catch {
    return 'big5';
  }
}

// Runs in the page: what the reader of the code block sees, and every
// element inside it that is not one of the styling ones.
function inspectBlock(selector) {
  const pre = document.querySelector(selector);
  if (!pre) return null;
  const strays = [];
  for (const el of pre.querySelectorAll('*')) {
    const tag = el.tagName.toLowerCase();
    const attrs = [...el.attributes].map((a) => `${a.name}=${a.value}`);
    const ok = (tag === 'b' || tag === 'i' || tag === 'u') ? attrs.length === 0
      : tag === 'font' ? attrs.length === 1 && /^color=[0-9A-F]{6}$/.test(attrs[0])
      : tag === 'span' ? attrs.length === 1 &&
          (/^style=color:#[0-9A-F]{6}$/.test(attrs[0]) || /^data-n=\d+$/.test(attrs[0]) ||
           /^style=-webkit-user-select:none;user-select:none;/.test(attrs[0]))
      : false;
    if (!ok) strays.push(`<${tag} ${attrs.join(' ')}>`);
  }
  return { text: pre.innerText, content: pre.textContent, strays, charset: document.characterSet };
}

// Runs in the page: bytes decoded as the browser decodes a page in charset,
// with line ends as the HTML parser leaves them, cut at the first zero byte.
function decodeInPage([bytes, charset]) {
  const a = Uint8Array.from(bytes);
  const end = a.indexOf(0);
  const text = new TextDecoder(charset).decode(end < 0 ? a : a.subarray(0, end));
  return text.replace(/\r\n?/g, '\n');
}

function fileUrl(p) {
  return pathToFileURL(p).href;
}

export { SOURCE_DIR, CONVERT, launch, scratch, convert, samples, autoCharset, inspectBlock,
  decodeInPage, fileUrl };
