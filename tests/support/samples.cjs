// The shipped samples and the syntax each converts under: the one vorel-convert
// chooses from the file name (or, for a name two sections share, its first
// lines) through config.ini, asked of the program itself so that no suite
// keeps a table of its own.
'use strict';

const { spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

// [{file, name, syntax, rule, shared}] for every file (rule: "file name" or
// "first lines"; shared: the sections a name two of them match, as the note
// lists them) in SOURCE_DIR/samples, by name.
function samples(convert, sourceDir) {
  const dir = path.join(sourceDir, 'samples');
  return fs.readdirSync(dir).sort().map((name) => {
    const file = path.join(dir, name);
    const r = spawnSync(convert, ['--config-dir', path.join(sourceDir, 'data'), '--stats', '-o', os.devNull, file]);
    const m = /^syntax: +(.*) \(from the ([^)]*)\)$/m.exec(r.stderr.toString());
    if (r.status !== 0 || !m) throw new Error(`no syntax for ${name}: ${r.stderr}`);
    // A name two sections share: the note names them ("Objective-C, MATLAB").
    const shared = /note: '[^']*' matches (.*); using /.exec(r.stderr.toString());
    return { file, name, syntax: m[1], rule: m[2], shared: shared ? shared[1] : '' };
  });
}

module.exports = { samples };
