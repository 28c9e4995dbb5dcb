// The BBCode libraries a post is rendered with, as a board would: each turns
// UBB into HTML.  They tokenize differently (a state-machine lexer, chained
// regular-expression replacements, one global scan with a tag stack, and
// innermost-pair rewriting), and two of them treat HTML in the post
// differently: the first three pass it through, xbbcode escapes it.
import { createRequire } from 'node:module';
import bbobHtml from '@bbob/html';
import presetHTML5 from '@bbob/preset-html5';
import jsBbcode from 'js-bbcode-parser';

const require = createRequire(import.meta.url);
const stonesteps = require('bbcode');
const xbbcode = require('xbbcode-parser');

const render = bbobHtml.default ?? bbobHtml;
const html5 = presetHTML5.default ?? presetHTML5;
const bbobPreset = html5();
// A board that offers [font=...], as many do; the preset itself has none.
const bbobFontPreset = html5.extend((tags) => ({
  ...tags,
  font: (node) => ({ tag: 'span', attrs: { style: `font-family: ${Object.keys(node.attrs)[0]};` }, content: node.content }),
}));

export const parsers = [
  { name: '@bbob/html', render: (s) => render(s, bbobPreset), escapesHtml: false },
  { name: 'js-bbcode-parser', render: (s) => jsBbcode.parse(s), escapesHtml: false },
  { name: 'bbcode', render: (s) => stonesteps.parse(s), escapesHtml: false },
  // xbbcode escapes '<', '>' and ';' but not '&', so an entity in the source
  // ("&nbsp;") reaches the page as one whatever UBB carries it.
  {
    name: 'xbbcode-parser',
    render: (s) => xbbcode.process({ text: s }).html,
    escapesHtml: true,
    passesEntities: true,
  },
];

// Parsers that know [font=NAME]: xbbcode, and @bbob with the tag added.
export const fontParsers = [
  parsers[3],
  { name: '@bbob/html + font', render: (s) => render(s, bbobFontPreset()), escapesHtml: false },
];
