// KaTeX's parser on the benchmark corpus in LaTeX form: the figure the LaTeX reader's benchmark
// (BM_LatexReaderCorpus) is compared with. Uses the katex package pinned in tests/oracle.
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

// Warm the JIT, then time whole passes for about a second of CPU, five times; the best wins.
// CPU time, as Google Benchmark's "CPU" column, so that a machine busy with other work skews
// neither figure.
function cpuMicroseconds() {
  const usage = process.cpuUsage();
  return usage.user + usage.system;
}

for (let i = 0; i < 200; ++i) parseAll();
let bestCpu = Infinity;
let bestWall = Infinity;
for (let round = 0; round < 5; ++round) {
  let passes = 0;
  const cpuStart = cpuMicroseconds();
  const wallStart = process.hrtime.bigint();
  while (cpuMicroseconds() - cpuStart < 1000000) {
    parseAll();
    ++passes;
  }
  const count = passes * formulas.length;
  bestCpu = Math.min(bestCpu, (cpuMicroseconds() - cpuStart) / count);
  bestWall = Math.min(bestWall, Number(process.hrtime.bigint() - wallStart) / 1000 / count);
}
console.log(`katex ${katex.version}: ${formulas.length} formulas, parse only: ` +
            `${bestCpu.toFixed(2)} us CPU, ${bestWall.toFixed(2)} us wall per formula`);
