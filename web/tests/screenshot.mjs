// Takes docs/web-page.png: the page from file:// with a shipped sample
// converted to numbered HTML on the modern page.  Usage: node web/tests/screenshot.mjs
import fs from 'node:fs';
import path from 'node:path';
import {launch} from '../../tests/support/chromium.cjs';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const browser = await launch();
const page = await browser.newPage({viewport: {width: 1280, height: 900}});
await page.goto('file://' + path.join(root, 'build/wasm/page/index.html'));
await page.waitForSelector('body[data-ready=yes]');
await page.selectOption('#syntax', 'Python');
await page.check('#numbered');
await page.selectOption('#mode-page', 'modern');
await page.fill('#first-line', '1');
await page.fill('#source', fs.readFileSync(path.join(root, 'samples/sample.py'), 'utf8'));
await page.click('#convert');
await page.waitForFunction(() => document.body.dataset.idle === 'yes' && document.body.dataset.conversions > 0);
await page.waitForTimeout(300);
await page.screenshot({path: path.join(root, 'docs/web-page.png')});
await browser.close();
