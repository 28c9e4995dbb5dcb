// Renders the HTML choices side by side for docs/: the classic page, the
// modern page with line numbers, and a modern fragment inside a plain page.
// Usage: node tests/browser/screenshots.mjs [OUT_DIR]   (VOREL_CONVERT names the converter)
import fs from 'node:fs';
import path from 'node:path';
import { SOURCE_DIR, launch, scratch, convert, fileUrl } from './support.mjs';

const OUT = path.resolve(process.argv[2] || path.join(SOURCE_DIR, 'docs'));
const SAMPLE = path.join(SOURCE_DIR, 'samples', 'sample.cpp');
const SIZE = { width: 760, height: 520 };

(async () => {
  const dir = scratch();
  const browser = await launch();
  try {
    const page = await browser.newPage({ viewport: SIZE });
    const shots = [
      ['html-classic.png', convert(dir, SAMPLE, ['--syntax', 'C++'], 'classic.html')],
      ['html-modern.png', convert(dir, SAMPLE, ['--syntax', 'C++', '--page', 'modern', '--line-numbers', '1'], 'modern.html')],
    ];
    const fragment = convert(dir, SAMPLE, ['--syntax', 'C++', '--page', 'modern', '--fragment'], 'fragment.html');
    const host = path.join(dir, 'host.html');
    fs.writeFileSync(host, Buffer.concat([
      Buffer.from('<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>A blog post</title>\n' +
        '<style>body{font:16px Georgia,serif;max-width:680px;margin:16px auto;color:#222}' +
        'pre{background:#f6f8fa;border:1px solid #ddd;border-radius:4px;padding:8px}</style></head>\n' +
        '<body><h2>Counting words in C++</h2>\n<p>The program reads standard input and counts how often ' +
        'each word appears:</p>\n'),
      fs.readFileSync(fragment),
      Buffer.from('\n<p>The fragment brings its own colours and font; the page around it keeps its own.</p>' +
        '</body></html>\n')]));
    shots.push(['html-fragment.png', host]);
    for (const [name, file] of shots) {
      await page.goto(fileUrl(file));
      await page.screenshot({ path: path.join(OUT, name) });
      console.log(path.join(OUT, name));
    }
  } finally {
    await browser.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
})();
