// KaTeX's parser, and its HTML tree build (parse and layout, no string output), on a list of
// formulas one a line: the figures the LaTeX reader's benchmarks are compared with
// (BM_LatexReaderCorpus on bench/corpus.tex, BM_RealLatexRead and BM_RealLatexReadAndLayout on
// the real-formula list). Uses the katex package pinned in tests/oracle.
//   node bench/katex_parse.js NODE_MODULES_DIR [bench/corpus.tex]
'use strict';
const fs = require('fs');
const path = require('path');

const modules = process.argv[2];
const corpus = process.argv[3] || path.join(__dirname, 'corpus.tex');
if (!modules) {
  console.error('usage: node katex_parse.js NODE_MODULES_DIR [corpus.tex]');
  process.exit(2);
}
const katex = require(path.resolve(modules, 'katex'));
const formulas = fs.readFileSync(corpus, 'utf8').split('\n').filter((line) => line.length > 0);
const settings = {displayMode: true, strict: 'ignore', trust: false};

function parseAll() {
  for (const formula of formulas) katex.__parse(formula, settings);
}

function buildAll() {
  for (const formula of formulas) katex.__renderToHTMLTree(formula, settings);
}

// Warm the JIT, then time whole passes for about a second of CPU, five times; the best wins.
// CPU time, as Google Benchmark's "CPU" column, so that a machine busy with other work skews
// neither figure.
function cpuMicroseconds() {
  const usage = process.cpuUsage();
  return usage.user + usage.system;
}

// The best of five rounds of about a second each, in microseconds per formula.
function best(passAll) {
  const warm = Date.now();
  while (Date.now() - warm < 2000) passAll();
  let bestCpu = Infinity;
  let bestWall = Infinity;
  for (let round = 0; round < 5; ++round) {
    let passes = 0;
    const cpuStart = cpuMicroseconds();
    const wallStart = process.hrtime.bigint();
    while (cpuMicroseconds() - cpuStart < 1000000) {
      passAll();
      ++passes;
    }
    const count = passes * formulas.length;
    bestCpu = Math.min(bestCpu, (cpuMicroseconds() - cpuStart) / count);
    bestWall = Math.min(bestWall, Number(process.hrtime.bigint() - wallStart) / 1000 / count);
  }
  return `${bestCpu.toFixed(2)} us CPU, ${bestWall.toFixed(2)} us wall per formula`;
}

console.log(`katex ${katex.version}: ${formulas.length} formulas`);
console.log(`  parse only: ${best(parseAll)}`);
console.log(`  HTML tree build: ${best(buildAll)}`);
