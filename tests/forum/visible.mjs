// What a reader sees of rendered HTML, through a real HTML parser.
import { parseFragment } from 'parse5';

// Elements that styling can make; anything else (a link, an image, a quote,
// code, a list...) can only have come from the source's text.
const STYLING = new Set(['span', 'font', 'strong', 'b', 'em', 'i', 'u', 'br']);

// The text of html as shown (<br> is a line break; CRs dropped, since a
// browser shows CR LF as one break) and every element or attribute that no
// styling tag makes.
export function inspect(html) {
  let text = '';
  const foreign = [];
  (function walk(node) {
    for (const child of node.childNodes ?? []) {
      if (child.nodeName === '#text') text += child.value;
      else if (child.nodeName === 'br') text += '\n';
      else if (child.tagName) {
        if (!STYLING.has(child.tagName)) foreign.push(child.tagName);
        for (const a of child.attrs) if (/^(href|src|on)/i.test(a.name)) foreign.push(`${child.tagName} ${a.name}`);
        walk(child);
      }
    }
  })(parseFragment(html));
  return { text: text.replace(/\r/g, ''), foreign };
}

// The source as a reader should see it: every line end one LF.
export function shown(source) {
  return source.replace(/\r\n?/g, '\n');
}

// Tabs expanded to the next multiple of width columns, counted from each line
// start, one column per byte.
export function expandTabs(text, width) {
  let out = '';
  let column = 0;
  for (const c of text) {
    if (c === '\t') {
      const n = width - (column % width);
      out += ' '.repeat(n);
      column += n;
    } else {
      out += c;
      column = c === '\n' || c === '\r' ? 0 : column + 1;
    }
  }
  return out;
}

// Where two texts first differ, for a failure message.
export function firstDifference(want, got) {
  let i = 0;
  while (i < want.length && want[i] === got[i]) ++i;
  const at = (s) => JSON.stringify(s.slice(Math.max(0, i - 20), i + 30));
  return `at offset ${i}: want ${at(want)}, got ${at(got)}`;
}
