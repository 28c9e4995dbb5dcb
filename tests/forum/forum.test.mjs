// vorel-convert's UBB rendered by real BBCode libraries: in the forum-safe
// mode every shipped sample, and a hostile text under several syntaxes, must
// show exactly its source, with no link, image, quote or code made from it.
// The default UBB (as the Windows program writes it) is only measured: its
// figures are printed.
//
// Environment: VOREL_CONVERT (the program), VOREL_SAMPLES_DIR.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import { join, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { parsers, fontParsers } from './parsers.mjs';
import { inspect, shown, expandTabs, firstDifference } from './visible.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const exe = process.env.VOREL_CONVERT;
const samplesDir = process.env.VOREL_SAMPLES_DIR ?? join(here, '../../samples');
assert.ok(exe, 'set VOREL_CONVERT to the vorel-convert to test');

// Bytes as latin1 strings: one character per byte, both ways.
const read = (path) => readFileSync(path, 'latin1');
function convert(args, file) {
  const r = spawnSync(exe, [...args, file], { encoding: 'latin1', maxBuffer: 1 << 26 });
  if (r.status !== 0) throw new Error(`vorel-convert ${args.join(' ')} ${file}: exit ${r.status}\n${r.stderr}`);
  return r.stdout;
}

const samples = readdirSync(samplesDir).sort().map((name) => ({ name, path: join(samplesDir, name) }));
const hostile = { name: 'hostile.txt', path: join(here, 'hostile.txt') };
const entities = { name: 'entities.txt', path: join(here, 'entities.txt') };
// Texts a parser can show at all: one that passes entities through shows
// none of the source's as written.
const HAS_ENTITY = /&[A-Za-z#]/;
const showable = (parser, files) => (parser.passesEntities ? files.filter((f) => !HAS_ENTITY.test(read(f.path))) : files);
const HOSTILE_SYNTAXES = ['C', 'HTML', 'Batch (cmd)', 'Makefile', 'Lua', ''];

const UBB = ['--format', 'ubb'];
// Boards that escape HTML themselves need '<', '>' and '&' as they are.
const safeArgs = (parser) => [...UBB, '--ubb-safe', ...(parser.escapesHtml ? ['--ubb-no-entities'] : [])];

// Why ubb does not show want through parser, or null when it does.
function fault(parser, ubb, want) {
  const { text, foreign } = inspect(parser.render(ubb));
  if (foreign.length) return `made ${[...new Set(foreign)].join(', ')}`;
  if (text !== want) return `text differs ${firstDifference(want, text)}`;
  return null;
}

function faultsOver(parser, files, args, want = (f) => shown(read(f.path))) {
  const faults = [];
  for (const f of files) {
    const why = fault(parser, convert(args, f.path), want(f));
    if (why) faults.push(`${f.name}: ${why}`);
  }
  return faults;
}

test('there are 74 samples', () => assert.equal(samples.length, 74));

for (const parser of parsers) {
  test(`${parser.name}: forum-safe UBB of every sample shows its source exactly`, () => {
    assert.deepEqual(faultsOver(parser, showable(parser, samples), safeArgs(parser)), []);
  });

  test(`${parser.name}: forum-safe UBB of hostile texts, under several syntaxes`, () => {
    const faults = [];
    for (const syntax of HOSTILE_SYNTAXES)
      for (const why of faultsOver(parser, showable(parser, [hostile, entities]), [...safeArgs(parser), '--syntax', syntax]))
        faults.push(`[${syntax}] ${why}`);
    assert.deepEqual(faults, []);
  });

  test(`${parser.name}: tabs expanded to the column`, () => {
    const files = showable(parser, [...samples.filter((f) => read(f.path).includes('\t')), hostile]);
    assert.ok(files.length >= 2);
    for (const width of [4, 8]) {
      const args = [...safeArgs(parser), '--syntax', 'C', '--tab-width', String(width)];
      assert.deepEqual(faultsOver(parser, files, args, (f) => expandTabs(shown(read(f.path)), width)), []);
    }
  });
}

for (const parser of fontParsers) {
  test(`${parser.name}: the [font] wrapper holds the whole post`, () => {
    const args = [...safeArgs(parser), '--syntax', 'C', '--ubb-font', 'monospace'];
    assert.deepEqual(faultsOver(parser, showable(parser, [hostile, ...samples.slice(0, 3)]), args), []);
    const html = parser.render(convert(args, hostile.path));
    assert.match(html, /^<span style="font-family: ?monospace;?">[^]*<\/span>$/);
  });
}

// The figures: per parser, how many samples show exactly in the default UBB,
// in the forum-safe UBB, and in the forum-safe UBB with entities (which a
// board that escapes HTML shows as written).  Every sample counts here.
test('figures', () => {
  const rows = [];
  for (const parser of parsers) {
    const exact = (args) => samples.length - faultsOver(parser, samples, args).length;
    rows.push(
      `${parser.name.padEnd(18)} default ${exact(UBB)}/${samples.length}  forum-safe ${exact(safeArgs(parser))}/${samples.length}` +
        `  forum-safe with entities ${exact([...UBB, '--ubb-safe'])}/${samples.length}`,
    );
  }
  console.log(`samples shown exactly:\n${rows.join('\n')}`);
});
