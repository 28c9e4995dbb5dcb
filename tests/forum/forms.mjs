// The measurement behind the forum-safe form of '[' (not a test): writes a
// hostile text the ways a converter could, in plain text and inside the
// coloured runs UBB uses, renders each through eight BBCode libraries and
// counts the cases whose visible text equals the source with no link, image,
// quote or code made from it.  Run: node tests/forum/forms.mjs [FORM PARSER]
// (with a form and a parser it prints that pair's failures).
import { createRequire } from 'node:module';
import { parsers as suite } from './parsers.mjs';
import { inspect } from './visible.mjs';

const require = createRequire(import.meta.url);
const Ya = require('ya-bbcode');
const bbcodejs = require('bbcodejs');
const BBCodeParser = require('bbcode-parser');
const bbcodeToHtml = require('bbcode-to-html');
const bbcodeParser = new BBCodeParser(BBCodeParser.defaultTags());
const all = [
  ...suite,
  { name: 'ya-bbcode', render: (s) => new Ya().parse(s), escapesHtml: true },
  { name: 'bbcodejs', render: (s) => new bbcodejs.Parser().toHTML(s), escapesHtml: true },
  { name: 'bbcode-parser', render: (s) => bbcodeParser.parseString(s), escapesHtml: true },
  { name: 'bbcode-to-html', render: (s) => bbcodeToHtml(s), escapesHtml: false },
];

const HOSTILE =
  'a[i] x[b] y[/b] [/color] [url=javascript:alert(1)]x[/url] [img]http://e/x.png[/img] [code]c[/code] ' +
  '[quote]q[/quote] [[nested]] [u][s] argv[1] m[k[j]] [*] [color=red]r[/color] p < q > r & [';
// Coloured runs as the UBB templates write them: plain, italic, bold.
const RUNS = {
  plain: null,
  colour: ['[color=#008000]', '[/color]'],
  italic: ['[i][color=#008000]', '[/color][/i]'],
  bold: ['[b][color=#0000FF]', '[/color][/b]'],
};
// How '[' is written: in plain text, and inside a run (given the run's
// markup and whether more text follows in the run).
const FORMS = {
  raw: { plain: '[', run: () => '[' },
  entity: { plain: '&#91;', run: () => '&#91;' },
  'empty [b] pair after': { plain: '[[b][/b]', run: () => '[[b][/b]' },
  'empty [color] pair after': { plain: '[[color=inherit][/color]', run: () => '[[color=inherit][/color]' },
  'in [b]': { plain: '[b][[/b]', run: () => '[b][[/b]' },
  'in [color=inherit]': { plain: '[color=inherit][[/color]', run: () => '[color=inherit][[/color]' },
  'in [noparse]': { plain: '[noparse][[/noparse]', run: () => '[noparse][[/noparse]' },
  'run boundary, [b] pair in plain text': { plain: '[[b][/b]', run: (r, more) => (more ? '[' + r[1] + r[0] : '[') },
  'run boundary, [color=inherit] in plain text': {
    plain: '[color=inherit][[/color]',
    run: (r, more) => (more ? '[' + r[1] + r[0] : '['),
  },
};

function write(source, form, run, escapesHtml) {
  let out = run ? run[0] : '';
  for (let i = 0; i < source.length; ++i) {
    const c = source[i];
    if (c === '[') out += run ? form.run(run, i + 1 < source.length) : form.plain;
    else if (escapesHtml) out += c;
    else out += c === '<' ? '&lt;' : c === '>' ? '&gt;' : c === '&' ? '&amp;' : c;
  }
  return run ? out + run[1] : out;
}

function faults(parser, form) {
  const found = [];
  let cases = 0;
  for (const [runName, run] of Object.entries(RUNS))
    for (const source of [HOSTILE, ...HOSTILE.split(' ')]) {
      ++cases;
      const ubb = write(source, form, run, parser.escapesHtml);
      let seen;
      try {
        seen = inspect(parser.render(ubb));
      } catch (e) {
        seen = { text: `(threw: ${e.message ?? e})`, foreign: [] };
      }
      if (seen.text !== source || seen.foreign.length)
        found.push(`${runName} ${JSON.stringify(source)}\n  ubb:  ${ubb}\n  text: ${JSON.stringify(seen.text)} ${seen.foreign}`);
    }
  return { cases, found };
}

const [formName, parserName] = process.argv.slice(2);
if (formName) {
  const { found } = faults(all.find((p) => p.name === parserName), FORMS[formName]);
  console.log(found.join('\n') || 'no faults');
} else {
  console.log(`| form | ${all.map((p) => p.name).join(' | ')} |`);
  console.log(`| --- |${all.map(() => ' ---: |').join('')}`);
  for (const [name, form] of Object.entries(FORMS)) {
    const cells = all.map((p) => {
      const { cases, found } = faults(p, form);
      return `${cases - found.length}/${cases}`;
    });
    console.log(`| ${name} | ${cells.join(' | ')} |`);
  }
}
