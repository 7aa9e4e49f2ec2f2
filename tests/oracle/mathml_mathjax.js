// MathJax (mathjax-full, pinned in package-lock.json) as a reader and writer of MathML nobody
// here wrote.
//   node mathml_mathjax.js parse FILE   every line is a <math> element; MathJax's MathML input
//                                       must read each without an error node, and its own
//                                       serialisation must hold the same elements
//   node mathml_mathjax.js tex FILE     every line is a TeX formula; prints MathJax's MathML of
//                                       each, one per line
'use strict';
const fs = require('fs');
const path = require('path');
const modules = process.env.ORACLE_NODE_MODULES || path.join(__dirname, 'node_modules');
const need = (name) => require(path.join(modules, 'mathjax-full', 'js', name));
const {mathjax} = need('mathjax.js');
const {MathML} = need('input/mathml.js');
const {TeX} = need('input/tex.js');
const {AllPackages} = need('input/tex/AllPackages.js');
const {liteAdaptor} = need('adaptors/liteAdaptor.js');
const {RegisterHTMLHandler} = need('handlers/html.js');
const {SerializedMmlVisitor} = need('core/MmlTree/SerializedMmlVisitor.js');
const {STATE} = need('core/MathItem.js');

RegisterHTMLHandler(liteAdaptor());
const visitor = new SerializedMmlVisitor();

function convert(inputJax, text) {
  const doc = mathjax.document('', {InputJax: inputJax});
  return visitor.visitTree(doc.convert(text, {display: true, end: STATE.CONVERT}));
}

// Counts of the structural elements of a MathML text.
const STRUCTURE = ['mfrac', 'msqrt', 'msup', 'msub', 'msubsup', 'munder', 'mover', 'munderover',
                   'mi', 'mn', 'mo', 'semantics', 'annotation'];
function structure(text) {
  const counts = {};
  for (const name of STRUCTURE) {
    counts[name] = (text.match(new RegExp('<' + name + '[ >/]', 'g')) || []).length;
  }
  return JSON.stringify(counts);
}

function parse(lines) {
  const input = new MathML({verify: {checkArity: true, checkAttributes: true, fullErrors: true}});
  let failures = 0;
  lines.forEach((line, i) => {
    let mml;
    try {
      mml = convert(input, line);
    } catch (error) {
      mml = '<merror>' + error.message + '</merror>';
    }
    if (mml.includes('<merror') || structure(mml) !== structure(line)) {
      failures += 1;
      if (failures <= 10) console.log('line ' + (i + 1) + ': ' + line + '\n  MathJax: ' + mml);
    }
  });
  console.log('MathJax MathML input: ' + (lines.length - failures) + ' of ' + lines.length + ' read');
  return failures === 0;
}

function tex(lines) {
  const input = new TeX({packages: AllPackages.filter((name) => name !== 'bussproofs')});
  for (const line of lines) console.log(convert(input, line).replace(/\s*\n\s*/g, ''));
  return true;
}

const [mode, file] = process.argv.slice(2);
const lines = fs.readFileSync(file, 'utf8').split('\n').filter((line) => line.trim() !== '');
const ok = mode === 'parse' ? parse(lines) : mode === 'tex' ? tex(lines) : false;
process.exit(ok ? 0 : 1);
