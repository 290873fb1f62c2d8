'use strict';
// The page's message catalogs: extraction of every text the page marks for translation
// and compilation of the translated .po files (html/po/<code>.po) into the catalog
// catalogs the page loads when it shows a language (JSON, as the catalog service's
// loadRemote reads them).
//
//   node catalogs.js extract FILE.pot   writes the template of all marked texts
//   node catalogs.js compile DIR        writes DIR/localization/po/<code>/LC_MESSAGES/KorvaneUpdater.json
const fs = require('node:fs');
const path = require('node:path');
const { Extractor } = require('angular-gettext-tools');
const PO = require('pofile');

const htmlDir = path.resolve(__dirname, '..');
const pageDir = path.join(htmlDir, 'angular');
const poDir = path.join(htmlDir, 'po');

const { codes: languages, translatedCodes, sourceCode, catalogPath, writeIfChanged } = require('./languages');

// The page's own scripts and templates (the libraries come from node_modules).
function sourceFiles(dir = pageDir) {
  const files = [];
  for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
    const file = path.join(dir, entry.name);
    if (entry.isDirectory()) files.push(...sourceFiles(file));
    else if (/\.(js|html)$/.test(entry.name)) files.push(file);
  }
  return files.sort();
}

function extract() {
  const extractor = new Extractor({ lineNumbers: false });
  for (const file of sourceFiles()) {
    extractor.parse(path.relative(htmlDir, file), fs.readFileSync(file, 'utf8'));
  }
  return extractor.toString();
}

// Every text the page marks, as the template holds it.
function markedTexts() {
  return PO.parse(extract()).items.map((item) => item.msgid);
}

function readPo(code) {
  return PO.parse(fs.readFileSync(path.join(poDir, `${code}.po`), 'utf8'));
}

// Templates are read raw, so a text with "&" is marked as "&amp;"; the page looks it up
// decoded as well.
function decode(text) {
  return text.replace(/&amp;/g, '&');
}

// The catalog's table: every translated text, keys in sorted order.
function table(code) {
  if (code === sourceCode) return {};
  const entries = new Map();
  for (const item of readPo(code).items) {
    const translation = item.msgstr[0];
    if (item.obsolete || !translation) continue;
    entries.set(item.msgid, translation);
    if (item.msgid.includes('&amp;')) entries.set(decode(item.msgid), decode(translation));
  }
  const sorted = {};
  for (const key of [...entries.keys()].sort()) sorted[key] = entries.get(key);
  return sorted;
}

// The catalog file of a translated language: { "<code>": { text: translation, ... } }.
function catalogJson(code) {
  return `${JSON.stringify({ [code]: table(code) })}\n`;
}

function compile(outDir) {
  for (const code of translatedCodes) {
    writeIfChanged(path.join(outDir, catalogPath(code)), catalogJson(code));
  }
}

module.exports = { languages, translatedCodes, catalogPath, catalogJson, markedTexts, readPo, table, decode, extract };

if (require.main === module) {
  const [command, target] = process.argv.slice(2);
  if (command === 'extract' && target) fs.writeFileSync(target, extract());
  else if (command === 'compile' && target) compile(target);
  else {
    console.error('usage: catalogs.js extract FILE.pot | compile DIR');
    process.exit(2);
  }
}
