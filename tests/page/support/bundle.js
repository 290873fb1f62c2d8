'use strict';
// The page's resource bundle as html/page-files.txt lists it: bundle path -> file on disk
// (null for a file the build makes).
const fs = require('node:fs');
const path = require('node:path');
const { codes } = require('../../../html/tools/languages');

const htmlDir = path.resolve(__dirname, '../../../html');

function fileOf(source, alias) {
  if (source === '') return path.join(htmlDir, alias);
  if (source.startsWith('@generated/')) return null;
  if (path.isAbsolute(source)) return source;
  return path.join(htmlDir, source);
}

function bundleFiles() {
  const files = new Map();
  for (const raw of fs.readFileSync(path.join(htmlDir, 'page-files.txt'), 'utf8').split('\n')) {
    const line = raw.trim();
    if (!line || line.startsWith('#')) continue;
    const entries = line.includes('{code}') ? codes.map((code) => line.replaceAll('{code}', code)) : [line];
    for (const entry of entries) {
      const [alias, source = ''] = entry.split(/\s+/);
      files.set(alias, fileOf(source, alias));
    }
  }
  return files;
}

module.exports = { bundleFiles };
