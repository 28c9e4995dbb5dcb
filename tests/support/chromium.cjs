// How every JavaScript suite starts its browser: Debian's Chromium (or
// VOREL_CHROMIUM), headless, driven by playwright-core, which downloads no
// browser of its own.  The flags keep it from reaching the network by itself.
'use strict';

let chromium;
try {
  ({ chromium } = require('playwright-core'));
} catch (e) {
  throw new Error('playwright-core is missing: run scripts/setup.sh (npm ci at the top of the tree)');
}

const CHROMIUM = process.env.VOREL_CHROMIUM || '/usr/bin/chromium';
const ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-quic', '--no-first-run'];

function launch(extraArgs = []) {
  return chromium.launch({ executablePath: CHROMIUM, args: [...ARGS, ...extraArgs] });
}

module.exports = { CHROMIUM, launch };
