// MathJax's TeX to SVG per corpus formula, the peer figure beside BM_SvgFormula: each formula is
// converted (parse, layout, SVG text with glyph paths, no font cache) until 0.5 s have passed,
// after a warm-up, and the mean time per conversion is printed: wall time and the process's CPU
// time (on a shared machine the CPU time is the figure to set beside Google Benchmark's "CPU").
//   node bench/mathjax_svg.js NODE_MODULES bench/corpus.tex
'use strict';
const fs = require('fs');
const path = require('path');

const [modules, corpus] = process.argv.slice(2);
const need = (name) => require(path.resolve(modules, name));
const {mathjax} = need('mathjax-full/js/mathjax.js');
const {TeX} = need('mathjax-full/js/input/tex.js');
need('mathjax-full/js/input/tex/base/BaseConfiguration.js');
need('mathjax-full/js/input/tex/ams/AmsConfiguration.js');
need('mathjax-full/js/input/tex/color/ColorConfiguration.js');
need('mathjax-full/js/input/tex/boldsymbol/BoldsymbolConfiguration.js');
const {SVG} = need('mathjax-full/js/output/svg.js');
const {liteAdaptor} = need('mathjax-full/js/adaptors/liteAdaptor.js');
const {RegisterHTMLHandler} = need('mathjax-full/js/handlers/html.js');

const adaptor = liteAdaptor();
RegisterHTMLHandler(adaptor);
const tex = new TeX({packages: ['base', 'ams', 'color', 'boldsymbol']});
const doc = mathjax.document('', {InputJax: tex, OutputJax: new SVG({fontCache: 'none'})});
const toSvg = (tex) => adaptor.outerHTML(doc.convert(tex, {display: true}));

const formulas = fs.readFileSync(corpus, 'utf8').split('\n').filter((line) => line.trim());
let total = 0;
formulas.forEach((tex, index) => {
  for (let i = 0; i < 20; ++i) toSvg(tex);
  let runs = 0;
  let bytes = 0;
  const start = process.hrtime.bigint();
  const cpuStart = process.cpuUsage();
  let elapsed = 0n;
  while (elapsed < 500000000n) {
    bytes = toSvg(tex).length;
    ++runs;
    elapsed = process.hrtime.bigint() - start;
  }
  const cpu = process.cpuUsage(cpuStart);
  const wall = Number(elapsed) / 1000 / runs;
  const cpuMicros = (cpu.user + cpu.system) / runs;
  total += cpuMicros;
  console.log(`mathjax_svg/${index} ${wall.toFixed(1)} us wall ${cpuMicros.toFixed(1)} us cpu ` +
              `${bytes} bytes`);
});
console.log(`mathjax_svg/mean ${(total / formulas.length).toFixed(1)} us cpu`);
