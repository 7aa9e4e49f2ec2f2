// Does a formula mean the same after Kav read it and wrote it back as LaTeX? MathJax reads both
// texts and each tree is reduced to a signature of what a reader sees: every letter with its
// shape and face (ε is not ϵ, φ is not ϕ, bold and blackboard letters are not plain ones),
// digits, operators, and the structures (fractions, roots, scripts, accents, tables). What only changes
// the look is left out: spaces, sizes, colours, grouping, fences' stretchiness, limits drawn as
// scripts or under and over, a letter's slant.
//   node latex_meaning.js < pairs.jsonl
// Each input line is a JSON array [input_latex, [kav_line, ...]] (an align environment becomes
// several Kav lines); each output line a JSON object {"kept": bool, "input": signature,
// "output": signature}, the signatures only when they differ. The input is first put in the
// standard spelling the encyclopedia itself renders it with (texvcjs: \R is \mathbb{R}, \bold{X}
// is \mathbf{X}); an input MathJax cannot read gives {"kept": null, "input": "MathJax: ..."}.
// Kav's text must also parse in KaTeX's strict mode. Packages come from ORACLE_NODE_MODULES.
'use strict';
const fs = require('fs');
const path = require('path');

const modules = process.env.ORACLE_NODE_MODULES || path.join(process.cwd(), 'node_modules');
const mj = (name) => require(path.join(modules, 'mathjax-full', 'js', name));
const {mathjax} = mj('mathjax.js');
const {TeX} = mj('input/tex.js');
const {liteAdaptor} = mj('adaptors/liteAdaptor.js');
const {RegisterHTMLHandler} = mj('handlers/html.js');
const {STATE} = mj('core/MathItem.js');
for (const pkg of ['base/Base', 'ams/Ams', 'color/Color', 'boldsymbol/Boldsymbol']) {
  mj('input/tex/' + pkg + 'Configuration.js');
}
const katex = require(path.join(modules, 'katex'));
const texvc = require(path.join(modules, 'mathoid-texvcjs'));

RegisterHTMLHandler(liteAdaptor());
const document = mathjax.document('', {
  InputJax: new TeX({packages: ['base', 'ams', 'color', 'boldsymbol']}),
});

// Characters that are one sign to a reader, whichever of them a spelling makes MathJax use.
// Letters are never here: their shapes are what the check keeps.
const SAME_SIGN = {
  '\u2212': '-', '\u2223': '|', '\u2032': "'", '\u2217': '*', '\u22c5': '\u00b7',
  '\u2016': '\u2225', '\u2015': '\u00af', '\u203e': '\u00af', '\u02c9': '\u00af',
  '\u20d7': '\u2192', '\u02c6': '^', '\u02dc': '~', '\u02d9': '\u00b7',
};
// Invisible operators and spaces carry nothing a reader sees.
const SPACES = Array.from({length: 11}, (_, i) => String.fromCharCode(0x2000 + i));
const INVISIBLE = new Set(['\u2061', '\u2062', '\u2063', '\u2064', '\u00a0', ' ', '\u200b',
                           '\u205f', ...SPACES]);
const ACCENTS = new Set(['^', '~', '\u00af', '\u2192', '\u00b7', '\u00a8', '\u02d8', '\u02c7',
                         '\u00b4', '`', '\u02da']);
const WRAPPERS = new Set(['math', 'mrow', 'inferredMrow', 'mstyle', 'mpadded', 'TeXAtom',
                          'semantics']);
const TOKENS = new Set(['mi', 'mn', 'mo', 'mtext', 'ms']);
const SCRIPT_MARKS = {msub: ['_'], msup: ['^'], msubsup: ['_', '^'], munder: ['_'], mover: ['^'],
                      munderover: ['_', '^']};
const PLAIN_FACES = new Set(['', 'normal', '-tex-mathit']);

function characters(node) {
  let text = '';
  for (const child of node.childNodes) text += child.getText ? child.getText() : (child.text || '');
  return [...text].filter((c) => !INVISIBLE.has(c)).map((c) => SAME_SIGN[c] || c);
}

// A letter's face without its slant: upright and italic are one shape to the check, as they are
// for plain letters (bold italic is bold).
function face(node) {
  const given = (node.attributes && node.attributes.get('mathvariant')) || '';
  const variant = given.replace(/-?italic$/, '');
  return PLAIN_FACES.has(variant) ? '' : variant + ':';
}

// An over or under script that is a single accent character is an accent, whatever the
// spelling (\bar and \overline, \vec and \overrightarrow) set as its attribute.
function accentOf(node) {
  while (node && WRAPPERS.has(node.kind) && node.childNodes.length === 1) node = node.childNodes[0];
  if (!node || !TOKENS.has(node.kind)) return null;
  const text = characters(node).join('');
  return ACCENTS.has(text) ? text : null;
}

function errorText(node) {
  if (!node.childNodes) return node.text || '';
  return node.childNodes.map((kid) => kid.getText ? kid.getText() : errorText(kid)).join('');
}

function signature(node, out) {
  const kind = node.kind;
  if (kind === 'mspace') {
    if (node.attributes && node.attributes.get('linebreak') === 'newline') out.push('\\\\');
    return;
  }
  if (kind === 'merror') throw new Error(errorText(node));
  if (kind === 'none' || kind === 'mprescripts' || kind === 'mphantom') return;
  if (TOKENS.has(kind)) {
    // A bold plus is still a plus: only letters and digits keep their face.
    const prefix = kind === 'mi' || kind === 'mn' ? face(node) : '';
    for (const c of characters(node)) out.push(prefix + c);
    return;
  }
  if (WRAPPERS.has(kind)) {
    for (const child of node.childNodes) signature(child, out);
    return;
  }
  if (kind in SCRIPT_MARKS) {
    const [base, ...scripts] = node.childNodes;
    if (base) signature(base, out);
    scripts.forEach((script, i) => {
      if (!script) return;
      const accent = (kind === 'mover' || kind === 'munder') && accentOf(script);
      out.push(accent ? 'accent' + accent + '{' : SCRIPT_MARKS[kind][i] + '{');
      if (!accent) signature(script, out);
      out.push('}');
    });
    return;
  }
  out.push(kind + '{');
  node.childNodes.forEach((child, i) => {
    if (i) out.push('|');
    signature(child, out);
  });
  out.push('}');
}

function tree(latex) {
  return document.convert(latex, {display: true, end: STATE.CONVERT});
}

// One signature per row: a table at the top (an align environment) is read row by row, each
// row's cells as one run, as Kav makes a line of each row; a line break splits rows too.
function rows(latex) {
  let node = tree(latex);
  // Spaces around the table do not make it a part of a longer row.
  const shows = (kid) => {
    const tokens = [];
    signature(kid, tokens);
    return tokens.length > 0;
  };
  const visible = (kids) => kids.filter(shows);
  while (WRAPPERS.has(node.kind) && visible(node.childNodes).length === 1) {
    node = visible(node.childNodes)[0];
  }
  const tokens = [];
  if (node.kind !== 'mtable') signature(node, tokens);
  for (const row of node.kind === 'mtable' ? node.childNodes : []) {
    const cells = row.kind === 'mlabeledtr' ? row.childNodes.slice(1) : row.childNodes;
    for (const cell of cells) for (const child of cell.childNodes) signature(child, tokens);
    tokens.push('\\\\');
  }
  const result = [[]];
  for (const token of tokens) {
    if (token === '\\\\') result.push([]);
    else result[result.length - 1].push(token);
  }
  return result.filter((row) => row.length).map((row) => row.join(' ')).join(' \\\\ ');
}

// The formula as the encyclopedia renders it: texvcjs turns its own macros into standard LaTeX.
function standard(latex) {
  try {
    const checked = texvc.check(latex);
    return checked.status === '+' ? checked.output : latex;
  } catch (error) {
    return latex;
  }
}

function judge(input, kavLines) {
  let want;
  try {
    want = rows(standard(input));
  } catch (error) {
    return {kept: null, input: 'MathJax: ' + error.message};
  }
  let got;
  try {
    for (const line of kavLines) {
      katex.__parse(line, {displayMode: true, strict: 'error', throwOnError: true});
    }
    got = kavLines.map(rows).filter((row) => row.length).join(' \\\\ ');
  } catch (error) {
    got = 'parse error: ' + error.message;
  }
  return want === got ? {kept: true} : {kept: false, input: want, output: got};
}

const out = [];
for (const line of fs.readFileSync(0, 'utf8').split('\n')) {
  if (!line) continue;
  const [input, kavLines] = JSON.parse(line);
  out.push(JSON.stringify(judge(input, kavLines)));
}
process.stdout.write(out.join('\n') + (out.length ? '\n' : ''));
