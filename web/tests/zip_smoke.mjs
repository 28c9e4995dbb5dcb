// The web page as a user gets it from the release zip: opened from the
// unzipped folder over file:// in headless Chromium, it converts
// samples/hello.c as C to HTML, and the downloaded file is byte for byte what
// vorel-convert writes.  Fails on any request that is not for the page's own
// files, on a page error, and on a file in the folder that names the
// checkout's path (a build path baked in).
//
// Usage: node zip_smoke.mjs PAGE_DIR VOREL_CONVERT
// Environment: VOREL_SOURCE_DIR (samples/ and data/; default the checkout
// this file is in), VOREL_CHROMIUM (default /usr/bin/chromium).
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {launch} from '../../tests/support/chromium.cjs';

const [pageArg, convertArg] = process.argv.slice(2);
if (!pageArg || !convertArg) {
  console.error('usage: node zip_smoke.mjs PAGE_DIR VOREL_CONVERT');
  process.exit(2);
}
const pageDir = fs.realpathSync(pageArg);
const converter = path.resolve(convertArg);
const sourceDir = path.resolve(process.env.VOREL_SOURCE_DIR ||
    path.join(path.dirname(new URL(import.meta.url).pathname), '../..'));
const sample = path.join(sourceDir, 'samples/hello.c');

// The engine script carries the .wasm as base64 data: a path compiled into
// the module shows only once decoded.
function namesCheckout(file) {
  const bytes = fs.readFileSync(file);
  const texts = [bytes];
  for (const m of bytes.toString('latin1').matchAll(/base64,([A-Za-z0-9+/=]+)/g)) {
    texts.push(Buffer.from(m[1], 'base64'));
  }
  return texts.some((t) => t.includes(sourceDir));
}

async function main() {
  for (const name of fs.readdirSync(pageDir)) {
    assert.ok(!namesCheckout(path.join(pageDir, name)), `${name} names the build's path ${sourceDir}`);
  }

  const want = execFileSync(converter,
      ['--config-dir', path.join(sourceDir, 'data'), '--syntax', 'C', '--format', 'html', sample]);
  assert.ok(want.includes('color'), 'vorel-convert gave no coloured markup');

  const browser = await launch();
  const stray = [];
  try {
    const context = await browser.newContext({acceptDownloads: true});
    // The page's own files, its Worker's blob and the preview's srcdoc.
    context.on('request', (r) => {
      const url = r.url();
      if (!url.startsWith('file://' + pageDir + '/') && !url.startsWith('blob:') &&
          !url.startsWith('about:') && !url.startsWith('data:')) {
        stray.push(url);
      }
    });
    context.on('requestfailed', (r) => stray.push('failed: ' + r.url()));
    const page = await context.newPage();
    page.on('pageerror', (e) => stray.push('page error: ' + e.message));

    const t0 = Date.now();
    await page.goto('file://' + path.join(pageDir, 'index.html'));
    // A file missing or a script failing shows by now: no need to wait for
    // a page that will never be ready.
    assert.deepEqual(stray, [], 'requests beyond the page\'s own files, or page errors, on loading');
    await page.waitForSelector('body[data-ready=yes]', {timeout: 60000});
    const readyMs = Date.now() - t0;

    const conversions = () => page.evaluate(() => Number(document.body.dataset.conversions || 0));
    const settle = (n) => page.waitForFunction((before) => document.body.dataset.idle === 'yes' &&
        Number(document.body.dataset.conversions || 0) > before, n, {timeout: 60000, polling: 20});

    // Opened as a file, the bytes convert as they are (the page converts on
    // opening); then the options are set and Convert pressed.
    let n = await conversions();
    await page.setInputFiles('#open', sample);
    await settle(n);
    await page.selectOption('#syntax', 'C');
    await page.check('input[name=format][value=html]');
    n = await conversions();
    await page.click('#convert');
    await settle(n);

    const [d] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
    const got = fs.readFileSync(await d.path());
    assert.ok(got.equals(want),
        `the download (${got.length} bytes) differs from vorel-convert's output (${want.length} bytes)`);
    assert.deepEqual(stray, [], 'requests beyond the page\'s own files, or page errors');
    console.log(`zip_smoke: ok (ready in ${readyMs} ms; ${got.length} bytes as vorel-convert writes them)`);
  } finally {
    await browser.close();
  }
}

main().catch((e) => {
  console.error('zip_smoke: ' + e.message);
  process.exit(1);
});
