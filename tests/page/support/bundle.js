'use strict';
// The page's resource bundle as html/page-files.txt lists it: bundle path -> file on disk.
const fs = require('node:fs');
const path = require('node:path');

const htmlDir = path.resolve(__dirname, '../../../html');

function bundleFiles() {
  const files = new Map();
  for (const raw of fs.readFileSync(path.join(htmlDir, 'page-files.txt'), 'utf8').split('\n')) {
    const line = raw.trim();
    if (!line || line.startsWith('#')) continue;
    const [alias, source = ''] = line.split(/\s+/);
    let file;
    if (source === '') file = path.join(htmlDir, alias);
    else if (source.startsWith('@generated/')) file = null; // made by the build
    else if (path.isAbsolute(source)) file = source;
    else file = path.join(htmlDir, source);
    files.set(alias, file);
  }
  return files;
}

module.exports = { bundleFiles };
