'use strict';
// Serves the page's resource bundle over HTTP at /html/..., the way the program's resource
// collection holds it, with the fake channel in place of Qt's qwebchannel.js. Records
// every request and every one that found no file.
//
// Every test opens the page afresh, so each file is asked for hundreds of times: the
// files the build makes are made once per server, and every file is read once and then
// served from memory.
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { bundleFiles } = require('./bundle');
const catalogs = require('../../../html/tools/catalogs');
const languages = require('../../../html/tools/languages');
const templates = require('../../../html/tools/templates');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.json': 'application/json; charset=utf-8',
  '.png': 'image/png', '.svg': 'image/svg+xml', '.ttf': 'font/ttf', '.ico': 'image/x-icon',
};

// The files the build makes, made here from their sources: bundle path -> text.
function generatedFiles() {
  const made = new Map([
    ['angular/lib/languages.js', languages.languagesScript()],
    ['angular/lib/templates.js', templates.templatesScript()],
  ]);
  for (const code of languages.translatedCodes) {
    made.set(`angular/${languages.catalogPath(code)}`, catalogs.catalogJson(code));
  }
  return made;
}

async function startServer() {
  const files = bundleFiles();
  files.set('angular/script/qwebchannel.js', path.join(__dirname, 'fake-channel.js'));
  // The template files themselves, for a test that leaves one out of the template cache.
  for (const address of templates.templateAddresses()) {
    files.set(`angular/${address}`, path.join(templates.templatesDir, path.basename(address)));
  }
  const made = generatedFiles();
  // bundle path -> { type, body }, or null for a path that has no file.
  const served = new Map();
  function lookUp(alias) {
    if (served.has(alias)) return served.get(alias);
    let entry = null;
    if (made.has(alias)) entry = { type: types[path.extname(alias)], body: made.get(alias) };
    else {
      const file = files.get(alias);
      if (file && fs.existsSync(file)) {
        entry = { type: types[path.extname(file)] || 'application/octet-stream', body: fs.readFileSync(file) };
      }
    }
    served.set(alias, entry);
    return entry;
  }
  const requests = [];
  const missing = [];
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://localhost');
    requests.push(url.pathname);
    const entry = url.pathname.startsWith('/html/')
      ? lookUp(decodeURIComponent(url.pathname).replace(/^\/html\//, '')) : null;
    if (!entry) {
      missing.push(url.pathname);
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': entry.type });
    response.end(entry.body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/html/angular/index.html`,
    requests,
    missing,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}

module.exports = { startServer };
