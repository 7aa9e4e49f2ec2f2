// The HWP documents of Copy as the npm readers see them.
//   node hwp_readers.js cfb|hwpjs PAYLOAD_DIR
// cfb (SheetJS): every stream's declared size equals its content, and the section stream
// inflates to records whose last one is the equation record holding NAME.script.txt.
// hwpjs (hwp.js): the document parses into one section whose first paragraph holds the
// section definition, column definition and equation controls ('secd', 'cold', 'eqed').
// Packages come from ORACLE_NODE_MODULES (installed with npm ci); a missing one fails.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const modules = process.env.ORACLE_NODE_MODULES || path.join(process.cwd(), 'node_modules');
const STREAMS = ['FileHeader', 'DocInfo', 'BodyText/Section0', '\u0005HwpSummaryInformation',
  'PrvText', 'PrvImage', 'DocOptions/_LinkDoc', 'Scripts/DefaultJScript', 'Scripts/JScriptVersion'];

function require_(ok, what) {
  if (!ok) throw new Error(what);
}

function records(buf) {
  const out = [];
  let at = 0;
  while (at < buf.length) {
    require_(at + 4 <= buf.length, `record header at ${at} complete`);
    const head = buf.readUInt32LE(at);
    let size = head >>> 20;
    at += 4;
    if (size === 0xfff) { size = buf.readUInt32LE(at); at += 4; }
    require_(at + size <= buf.length, `record at ${at} ends inside the stream`);
    out.push({tag: head & 0x3ff, level: (head >>> 10) & 0x3ff, data: buf.subarray(at, at + size)});
    at += size;
  }
  return out;
}

function checkWithCfb(file, script) {
  const CFB = require(path.join(modules, 'cfb'));
  const doc = CFB.read(fs.readFileSync(file), {type: 'buffer'});
  const streams = doc.FileIndex.filter(e => e.type === 2);
  require_(streams.length === STREAMS.length, `${streams.length} streams`);
  for (const p of STREAMS) {
    const e = CFB.find(doc, '/' + p);
    require_(e && e.type === 2, `stream ${JSON.stringify(p)} present`);
    require_(e.content.length === e.size, `${p}: declared ${e.size}, content ${e.content.length}`);
  }
  const section = CFB.find(doc, '/BodyText/Section0').content;
  const raw = zlib.inflateRawSync(Buffer.from(section));
  const recs = records(raw);
  const eq = recs[recs.length - 1];
  require_(eq.tag === 88 && eq.level === 2, 'the last record is the equation record');
  const length = eq.data.readUInt16LE(4);
  require_(eq.data.length === 74 + 2 * length, 'the equation record states its true length');
  const found = eq.data.subarray(6, 6 + 2 * length).toString('utf16le');
  require_(found === script, `script ${JSON.stringify(found)} === ${JSON.stringify(script)}`);
  return `${STREAMS.length} streams at their declared sizes, section ${section.length} -> ` +
         `${raw.length} bytes, ${recs.length} records, script of ${length} units`;
}

function checkWithHwpjs(file) {
  const hwp = require(path.join(modules, 'hwp.js'));
  const doc = hwp.parse(fs.readFileSync(file), {type: 'buffer'});
  require_(doc.sections.length === 1, `${doc.sections.length} sections`);
  const paragraphs = doc.sections[0].content;
  require_(paragraphs.length === 1, `${paragraphs.length} paragraphs`);
  const ids = paragraphs[0].controls.map(c => Buffer.from(c.id.toString(16), 'hex').toString('latin1'));
  require_(JSON.stringify(ids) === JSON.stringify(['secd', 'cold', 'eqed']), `controls ${ids}`);
  const v = doc.header.version;
  return `version ${v.major}.${v.minor}.${v.build}.${v.revision}, 1 section, page ` +
         `${doc.sections[0].width} x ${doc.sections[0].height}, controls ${ids.join(' ')}, ` +
         `${doc.info.charShapes.length} character shapes, ${doc.info.paragraphShapes.length} ` +
         `paragraph shapes, ${doc.info.borderFills.length} border fills`;
}

function main() {
  const [reader, folder] = process.argv.slice(2);
  if (!['cfb', 'hwpjs'].includes(reader) || !folder) {
    console.log('usage: node hwp_readers.js cfb|hwpjs PAYLOAD_DIR');
    return 2;
  }
  const names = fs.readdirSync(folder).filter(f => f.endsWith('.hwp')).map(f => f.slice(0, -4)).sort();
  let failed = 0;
  for (const name of names) {
    const file = path.join(folder, name + '.hwp');
    try {
      const script = fs.readFileSync(path.join(folder, name + '.script.txt'), 'utf8');
      const what = reader === 'cfb' ? checkWithCfb(file, script) : checkWithHwpjs(file);
      console.log(`${reader}: ${name}.hwp ok: ${what}`);
    } catch (e) {
      console.log(`${reader}: ${name}.hwp FAILED: ${String(e && e.message || e).split('\n')[0]}`);
      failed += 1;
    }
  }
  console.log(`${names.length - failed} passed, ${failed} failed`);
  return names.length > 0 && failed === 0 ? 0 : 1;
}

process.exitCode = main();
