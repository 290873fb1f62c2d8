'use strict';
// The page's languages, from html/languages.json: the one list that the build, the page
// and the tests take them from. Each row is the program's locale id, the code of the
// page's catalog and the name the selector shows, in the selector's order; English, the
// source language, comes first.
//
// The build makes two page files of it:
//   node languages.js page DIR   writes DIR/languages.js (the list as the page's
//                                `LANGUAGES` constant) and DIR/index.html (the start page
//                                with one catalog script per language)
const fs = require('node:fs');
const path = require('node:path');

const htmlDir = path.resolve(__dirname, '..');
const languages = JSON.parse(fs.readFileSync(path.join(htmlDir, 'languages.json'), 'utf8'));
const codes = languages.map((language) => language.code);

// Where the start page stands in place of the catalog scripts.
const CATALOGS_MARK = '<!-- catalog scripts -->';

function catalogPath(code) {
  return path.posix.join('localization', 'po', code, 'LC_MESSAGES', 'KorvaneUpdater.js');
}

function languagesScript() {
  const rows = languages.map((language) => `    ${JSON.stringify(language)}`).join(',\n');
  return '// Made by the build from html/languages.json.\n' +
    `angular.module('languages', []).constant('LANGUAGES', [\n${rows}\n]);\n`;
}

function indexPage() {
  const source = fs.readFileSync(path.join(htmlDir, 'angular', 'index.html'), 'utf8');
  const mark = new RegExp(`^([ \\t]*)${CATALOGS_MARK}$`, 'm');
  const found = source.match(mark);
  if (!found) throw new Error(`angular/index.html: the line ${CATALOGS_MARK} is missing`);
  const scripts = codes.map((code) => `${found[1]}<script src="${catalogPath(code)}"></script>`).join('\n');
  return source.replace(mark, () => scripts);
}

// Writes a file only when its content changes, so the bundle is not rebuilt for nothing.
function writeIfChanged(file, content) {
  fs.mkdirSync(path.dirname(file), { recursive: true });
  if (!fs.existsSync(file) || fs.readFileSync(file, 'utf8') !== content) fs.writeFileSync(file, content);
}

module.exports = { languages, codes, catalogPath, languagesScript, indexPage, writeIfChanged };

if (require.main === module) {
  const [command, target] = process.argv.slice(2);
  if (command === 'page' && target) {
    writeIfChanged(path.join(target, 'languages.js'), languagesScript());
    writeIfChanged(path.join(target, 'index.html'), indexPage());
  } else {
    console.error('usage: languages.js page DIR');
    process.exit(2);
  }
}
