'use strict';
// The page's languages, from html/languages.json: the one list that the build, the page
// and the tests take them from. Each row is the program's locale id, the code of the
// page's catalog and the name the selector shows, in the selector's order; English, the
// source language, comes first.
//
// The build makes a page file of it:
//   node languages.js page DIR   writes DIR/languages.js (the list as the page's
//                                `LANGUAGES` constant)
const fs = require('node:fs');
const path = require('node:path');

const htmlDir = path.resolve(__dirname, '..');
const languages = JSON.parse(fs.readFileSync(path.join(htmlDir, 'languages.json'), 'utf8'));
const codes = languages.map((language) => language.code);
// The page's texts are written in the source language, which needs no catalog.
const sourceCode = codes[0];
const translatedCodes = codes.slice(1);

// Where the page finds a language's catalog, relative to the start page.
function catalogPath(code) {
  return path.posix.join('localization', 'po', code, 'LC_MESSAGES', 'KorvaneUpdater.json');
}

function languagesScript() {
  const rows = languages.map((language) => `    ${JSON.stringify(language)}`).join(',\n');
  return '// Made by the build from html/languages.json.\n' +
    `angular.module('languages', []).constant('LANGUAGES', [\n${rows}\n]);\n`;
}

// Writes a file only when its content changes, so the bundle is not rebuilt for nothing.
function writeIfChanged(file, content) {
  fs.mkdirSync(path.dirname(file), { recursive: true });
  if (!fs.existsSync(file) || fs.readFileSync(file, 'utf8') !== content) fs.writeFileSync(file, content);
}

module.exports = { languages, codes, sourceCode, translatedCodes, catalogPath, languagesScript, writeIfChanged };

if (require.main === module) {
  const [command, target] = process.argv.slice(2);
  if (command === 'page' && target) {
    writeIfChanged(path.join(target, 'languages.js'), languagesScript());
  } else {
    console.error('usage: languages.js page DIR');
    process.exit(2);
  }
}
