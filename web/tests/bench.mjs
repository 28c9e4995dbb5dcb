// Conversion speed inside headless Chromium next to the native vorel-convert,
// on the benchmark corpus (bench/make_corpus.sh): C++ to HTML, as the
// performance notes measure it.  Prints figures; asserts nothing.
// Usage: node web/tests/bench.mjs [CORPUS_DIR [ROUNDS]]
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {launch} from '../../tests/support/chromium.cjs';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const corpusDir = path.resolve(process.argv[2] || path.join(root, 'build/bench-corpus'));
const rounds = Number(process.argv[3] || 5);
const webDir = process.env.VOREL_WEB_DIR || path.join(root, 'build/wasm/page');
const converter = process.env.VOREL_CONVERT || path.join(root, 'build/native/bin/vorel-convert');
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

const browser = await launch();
const page = await browser.newPage();
let t0 = Date.now();
await page.goto('file://' + path.join(webDir, 'index.html'));
await page.waitForSelector('body[data-ready=yes]');
console.log(`page ready for use: ${Date.now() - t0} ms (load, engine compiled, syntax list filled)`);
const size = (f) => fs.statSync(path.join(webDir, f)).size;
console.log(`page files: vorel-engine.js ${size('vorel-engine.js')} B (wasm inside, base64), ` +
    `app.js ${size('app.js')} B, bbcode.js ${size('bbcode.js')} B, index.html ${size('index.html')} B, ` +
    `style.css ${size('style.css')} B`);

// A Worker of our own from the same engine script the page uses.
await page.evaluate(() => {
  window.benchWorker = new Worker(URL.createObjectURL(
      new Blob(['(' + vorelWorkerMain.toString() + ')()'], {type: 'text/javascript'})));
  window.benchConvert = (b64, options) => new Promise((resolve) => {
    const bytes = Uint8Array.from(atob(b64), (c) => c.charCodeAt(0));
    const t = performance.now();
    benchWorker.onmessage = (e) => resolve({engine: e.data.conversionMs, keywords: e.data.keywordMs,
      worker: e.data.engineMs, wall: performance.now() - t, ok: e.data.ok});
    benchWorker.postMessage({id: 1, op: 'convert', bytes: bytes.buffer, syntax: 'C++', options},
                            [bytes.buffer]);
  });
});

for (const mb of [1, 10]) {
  const file = path.join(corpusDir, `corpus-${mb}mb.cpp`);
  if (!fs.existsSync(file)) {
    console.log(`${file} missing (bash bench/make_corpus.sh)`);
    continue;
  }
  const data = fs.readFileSync(file);
  const b64 = data.toString('base64');
  const MB = data.length / 1e6;
  // The page's choices (one per line) and the same for vorel-convert.
  for (const [options, flags] of [
    ['format=html', []], ['format=html line_numbers=1', ['--line-numbers', '1']],
    ['format=html page=modern', ['--page', 'modern']], ['format=ubb', ['--format', 'ubb']],
    ['format=ubb ubb_safe=1', ['--format', 'ubb', '--ubb-safe']]]) {
    const runs = [];
    const lines = options.split(' ').join('\n');
    for (let i = 0; i < rounds; i++) runs.push(await page.evaluate(([b, o]) => benchConvert(b, o), [b64, lines]));
    if (!runs.every((r) => r.ok)) throw new Error('conversion failed');
    const native = [];
    for (let i = 0; i < rounds; i++) {
      const t = process.hrtime.bigint();
      execFileSync(converter, ['--config-dir', path.join(root, 'data'), '--syntax', 'C++', ...flags, '-o', '/dev/null',
        file]);
      native.push(Number(process.hrtime.bigint() - t) / 1e6);
    }
    const e = median(runs.map((r) => r.engine + r.keywords));
    const w = median(runs.map((r) => r.worker));
    const wall = median(runs.map((r) => r.wall));
    const n = median(native);
    console.log(`${mb} MB ${options.padEnd(28)} wasm engine ${e} ms (${(MB / (e / 1000)).toFixed(0)} MB/s), ` +
        `in the Worker ${w.toFixed(0)} ms (${(MB / (w / 1000)).toFixed(0)} MB/s), ` +
        `page round trip ${wall.toFixed(0)} ms | native vorel-convert ${n.toFixed(0)} ms ` +
        `(${(MB / (n / 1000)).toFixed(0)} MB/s, process and file I/O included)`);
  }
}
await browser.close();
