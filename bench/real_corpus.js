// Chooses the real-formula benchmark corpus: the first COUNT formulas of the English Wikipedia
// formula list (mathoid-texvcjs's test/en-wiki-formulae-good.json, a JSON object of hash to
// LaTeX) that both KaTeX and MathJax read, one a line, written to OUT (in the build folder; the
// list is not shipped). Line breaks inside a formula become spaces, which TeX reads the same.
// kav_bench then keeps those Kav reads too and writes them to OUT.kav-read, the list that
// katex_parse.js times.
//   node bench/real_corpus.js NODE_MODULES FORMULAE_JSON OUT [COUNT]
'use strict';
const fs = require('fs');
const path = require('path');

const [modules, json, out, countText] = process.argv.slice(2);
if (!out) {
  console.error('usage: node real_corpus.js NODE_MODULES FORMULAE_JSON OUT [COUNT]');
  process.exit(2);
}
const count = Number(countText || 15000);
const need = (name) => require(path.resolve(modules, name));
const katex = need('katex');
const {mathjax} = need('mathjax-full/js/mathjax.js');
const {TeX} = need('mathjax-full/js/input/tex.js');
need('mathjax-full/js/input/tex/base/BaseConfiguration.js');
need('mathjax-full/js/input/tex/ams/AmsConfiguration.js');
const {liteAdaptor} = need('mathjax-full/js/adaptors/liteAdaptor.js');
const {RegisterHTMLHandler} = need('mathjax-full/js/handlers/html.js');

RegisterHTMLHandler(liteAdaptor());
// MathJax shows a TeX error inside the formula by default; here it is thrown, as KaTeX does.
const tex = new TeX({packages: ['base', 'ams'], formatError: (jax, error) => { throw error; }});
const doc = mathjax.document('', {InputJax: tex});

function reads(read) {
  try {
    read();
    return true;
  } catch (error) {
    return false;
  }
}

const settings = {displayMode: true, strict: 'ignore', trust: false};
const formulas = Object.values(JSON.parse(fs.readFileSync(json, 'utf8')))
                     .slice(0, count)
                     .map((formula) => formula.replace(/[\r\n]+/g, ' ').trim())
                     .filter((formula) => formula.length > 0);
const kept = formulas.filter((formula) => reads(() => katex.__parse(formula, settings)) &&
                                          reads(() => doc.convert(formula, {display: true})));
fs.writeFileSync(out, kept.join('\n') + '\n');
console.log(`${kept.length} of ${formulas.length} formulas read by KaTeX and MathJax -> ${out}`);
