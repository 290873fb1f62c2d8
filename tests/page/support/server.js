'use strict';
// Serves the page's resource bundle over HTTP at /html/..., the way the program's resource
// collection holds it, with the fake channel in place of Qt's qwebchannel.js. Records
// every request and every one that found no file.
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { bundleFiles } = require('./bundle');
const catalogs = require('../../../html/tools/catalogs');
const languages = require('../../../html/tools/languages');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.png': 'image/png', '.svg': 'image/svg+xml', '.ttf': 'font/ttf', '.ico': 'image/x-icon',
};

function generated(alias) {
  if (alias === 'angular/index.html') return languages.indexPage();
  if (alias === 'angular/lib/languages.js') return languages.languagesScript();
  const catalog = languages.codes.find((code) => alias === `angular/${languages.catalogPath(code)}`);
  return catalog ? catalogs.catalogScript(catalog) : null;
}

async function startServer() {
  const files = bundleFiles();
  files.set('angular/script/qwebchannel.js', path.join(__dirname, 'fake-channel.js'));
  const requests = [];
  const missing = [];
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://localhost');
    requests.push(url.pathname);
    const alias = decodeURIComponent(url.pathname).replace(/^\/html\//, '');
    // The build makes these; here they are made from their sources on request.
    const made = generated(alias);
    if (made !== null) {
      response.writeHead(200, { 'Content-Type': types[path.extname(alias)] });
      response.end(made);
      return;
    }
    const file = files.get(alias);
    if (!url.pathname.startsWith('/html/') || !file || !fs.existsSync(file)) {
      missing.push(url.pathname);
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
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
