'use strict';
// The page's templates as one page script: every templates/*.template.html put into the
// framework's template cache under the address the page asks for it by, so that no view,
// header or dialog waits for a template request. The template files stay the source.
//
//   node templates.js page DIR   writes DIR/templates.js
const fs = require('node:fs');
const path = require('node:path');
const { writeIfChanged } = require('./languages');

const templatesDir = path.resolve(__dirname, '..', 'angular', 'templates');

// The page's addresses of the templates, in name order: 'templates/<name>.template.html'.
function templateAddresses() {
  return fs.readdirSync(templatesDir).filter((name) => name.endsWith('.template.html')).sort()
    .map((name) => `templates/${name}`);
}

// `except`: addresses left out of the cache, which the page then requests (for tests of
// a template that arrives late).
function templatesScript(except = []) {
  const puts = templateAddresses().filter((address) => !except.includes(address)).map((address) => {
    const text = fs.readFileSync(path.join(templatesDir, path.basename(address)), 'utf8');
    return `    $templateCache.put(${JSON.stringify(address)}, ${JSON.stringify(text)});`;
  });
  return '// Made by the build from templates/*.template.html.\n' +
    "angular.module('korvaneTemplates', []).run(['$templateCache', function ($templateCache) {\n" +
    `${puts.join('\n')}\n}]);\n`;
}

module.exports = { templatesDir, templateAddresses, templatesScript };

if (require.main === module) {
  const [command, target] = process.argv.slice(2);
  if (command === 'page' && target) {
    writeIfChanged(path.join(target, 'templates.js'), templatesScript());
  } else {
    console.error('usage: templates.js page DIR');
    process.exit(2);
  }
}
