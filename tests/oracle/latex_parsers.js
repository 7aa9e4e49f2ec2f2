// The LaTeX writer's text as KaTeX and MathJax read it.
//   node latex_parsers.js katex|mathjax FILE...
// Every non-empty line of every FILE (kav-convert --to latex output, one formula a line) must
// parse as display math without an error: KaTeX in strict mode (anything that is not standard
// LaTeX is an error), MathJax's TeX input with the base, ams, color and boldsymbol packages and
// without noerrors/noundefined, so that an unknown command, a double script or a missing brace
// throws. Packages come from ORACLE_NODE_MODULES (installed with npm ci); a missing one fails.
'use strict';
const fs = require('fs');
const path = require('path');

const modules = process.env.ORACLE_NODE_MODULES || path.join(process.cwd(), 'node_modules');

function katexParser() {
  const katex = require(path.join(modules, 'katex'));
  return latex => {
    katex.renderToString(latex, {displayMode: true, throwOnError: true, strict: 'error'});
  };
}

function mathjaxParser() {
  const mj = sub => require(path.join(modules, 'mathjax-full', 'js', sub));
  const {mathjax} = mj('mathjax.js');
  const {TeX} = mj('input/tex.js');
  const {liteAdaptor} = mj('adaptors/liteAdaptor.js');
  const {RegisterHTMLHandler} = mj('handlers/html.js');
  const {STATE} = mj('core/MathItem.js');
  mj('input/tex/base/BaseConfiguration.js');
  mj('input/tex/ams/AmsConfiguration.js');
  mj('input/tex/color/ColorConfiguration.js');
  mj('input/tex/boldsymbol/BoldsymbolConfiguration.js');
  RegisterHTMLHandler(liteAdaptor());
  const tex = new TeX({
    packages: ['base', 'ams', 'color', 'boldsymbol'],
    formatError: (jax, error) => { throw error; },
  });
  const document = mathjax.document('', {InputJax: tex});
  return latex => { document.convert(latex, {display: true, end: STATE.CONVERT}); };
}

function main() {
  const [which, ...files] = process.argv.slice(2);
  const parsers = {katex: katexParser, mathjax: mathjaxParser};
  if (!parsers[which] || files.length === 0) {
    throw new Error('usage: latex_parsers.js katex|mathjax FILE...');
  }
  const parse = parsers[which]();
  let count = 0;
  const failures = [];
  for (const file of files) {
    fs.readFileSync(file, 'utf8').split('\n').forEach((latex, index) => {
      if (latex === '') return;
      count += 1;
      try {
        parse(latex);
      } catch (error) {
        failures.push(`${file}:${index + 1}: ${error.message}\n    ${latex}`);
      }
    });
  }
  if (count === 0) throw new Error('no formula to parse');
  for (const failure of failures.slice(0, 20)) console.error(failure);
  if (failures.length > 0) {
    throw new Error(`${which}: ${failures.length} of ${count} formulas rejected`);
  }
  console.log(`${which}: all ${count} formulas parse`);
}

try {
  main();
} catch (error) {
  console.error(`FAILED: ${error.message}`);
  process.exit(1);
}
