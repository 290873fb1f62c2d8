'use strict';
// Every screen in every language: no text overflows or is cut off by its box, and no
// WCAG 2.1 A or AA rule is broken (axe-core).
// With KORVANE_SCREENS_OUT=<folder> the screens are also written to <folder>/<code>/.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { pageTests } = require('./support/wizard');
const { screens, languages, findOverflow } = require('./support/screens');
const { accessibilityViolations } = require('./support/accessibility');
const catalogs = require('../../html/tools/catalogs');

const withWizard = pageTests(test);
const out = process.env.KORVANE_SCREENS_OUT;

// A page spends most of its time waiting on the browser, so a few languages are checked
// side by side in the one browser; each screen still gets a fresh page of its own.
test.describe('every screen in every language', { concurrency: 3 }, () => {
  for (const { code, id } of languages) {
    test(`every screen keeps the accessibility rules and fits in ${code}`, async () => {
      const problems = [];
      // English texts of the catalog that read differently in this language: none may show.
      const table = catalogs.table(code);
      const english = Object.keys(table).filter((key) => table[key] !== key && key.length > 12 && !key.includes('&amp;'));
      for (const screen of screens) {
        await withWizard({ answers: { 'updater_kernel.LoadLocale': id, ...screen.answers } }, async (wizard) => {
          await screen.open(wizard);
          await wizard.page.evaluate(() => document.fonts.ready);
          for (const problem of await wizard.page.evaluate(findOverflow)) problems.push(`${screen.name}: ${problem}`);
          const shown = await wizard.page.evaluate(() => document.body.innerText);
          for (const text of english.filter((key) => shown.includes(key))) problems.push(`${screen.name}: "${text}" shows untranslated`);
          for (const violation of await accessibilityViolations(wizard.page)) problems.push(`${screen.name}: ${violation}`);
          if (out) {
            fs.mkdirSync(path.join(out, code), { recursive: true });
            await wizard.page.screenshot({ path: path.join(out, code, `${screen.name}.png`), animations: 'disabled' });
          }
        });
      }
      assert.deepEqual(problems, []);
    });
  }
});
