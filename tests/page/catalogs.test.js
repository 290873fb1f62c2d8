'use strict';
// The message catalogs against the page: every marked text translated in every
// language, nothing left over, and the real catalogs driving the page's language.
const test = require('node:test');
const assert = require('node:assert/strict');
const catalogs = require('../../html/tools/catalogs');
const { pageTests } = require('./support/wizard');
const { screens } = require('./support/screens');

const withWizard = pageTests(test);

const translated = catalogs.languages.filter((code) => code !== 'en');

test('every catalog translates exactly the texts the page marks', () => {
  const marked = catalogs.markedTexts().sort();
  assert.ok(marked.length > 200);
  for (const code of translated) {
    const items = catalogs.readPo(code).items.filter((item) => !item.obsolete);
    const ids = items.map((item) => item.msgid).sort();
    assert.deepEqual(ids.filter((id) => !marked.includes(id)), [], `${code}: entries the page no longer marks`);
    assert.deepEqual(marked.filter((id) => !ids.includes(id)), [], `${code}: marked texts without an entry`);
    assert.deepEqual(items.filter((item) => !item.msgstr[0] || !item.msgstr[0].trim()).map((item) => item.msgid), [],
      `${code}: empty translations`);
  }
});

test('the compiled tables have sorted keys and carry texts with "&" both ways', () => {
  const marked = catalogs.markedTexts();
  assert.deepEqual(catalogs.table('en'), {});
  for (const code of translated) {
    const keys = Object.keys(catalogs.table(code));
    assert.deepEqual(keys, [...keys].sort(), code);
    for (const text of marked.filter((id) => id.includes('&amp;'))) {
      assert.ok(keys.includes(text) && keys.includes(catalogs.decode(text)), `${code}: ${text}`);
    }
    assert.deepEqual(JSON.parse(catalogs.catalogJson(code)), { [code]: catalogs.table(code) });
  }
  // Names stay names in every language.
  for (const code of translated) assert.equal(catalogs.table(code)['Korvane Antivirus 9'], 'Korvane Antivirus 9', code);
});

// Portuguese is the Brazilian variant throughout: forms only European Portuguese uses
// must not creep back in.
test('the Portuguese catalog keeps to Brazilian forms', () => {
  const european = [
    ['ficheiro', /ficheiro/i], ['ecrã', /ecrã/i], ['utilizador', /utilizador/i], ['registar', /\bregist(ar|o|os)\b/i],
    ['contacto', /contacto/i], ['controlo', /\bcontrolo\b/i], ['detetar', /\bdetet/i], ['reparação', /reparaç/i],
    ['tem de', /\btem de\b/i], ['guardar o trabalho', /guard[ea] (o seu )?trabalho/i],
    ['está a instalar', /\best(á|ão|ou|amos) a \p{L}+r\b/iu], ['reiniciar já', /reiniciar já/i],
  ];
  const texts = Object.values(catalogs.table('pt'));
  const found = european.flatMap(([name, form]) => texts.filter((text) => form.test(text)).map((text) => `${name}: ${text}`));
  assert.deepEqual(found, []);
});

test('a saved Japanese starts the page in Japanese', () =>
  withWizard({ answers: { 'updater_kernel.LoadLocale': 13 } }, async (wizard) => {
    await wizard.detect(5);
    assert.equal(await wizard.page.$eval('.language-select', (s) => s.options[s.selectedIndex].text), '日本語');
    assert.equal(await wizard.text('.screen-install .title'), catalogs.table('ja')['Welcome to Korvane Antivirus 12']);
    assert.ok(!(await wizard.calls()).some((call) => call.startsWith('SaveLocale')));
  }));

// The catalogs this page has asked the server for (the server serves one page at a time).
function catalogRequests(wizard) {
  const requests = wizard.server.requests;
  return requests.slice(requests.lastIndexOf('/html/angular/index.html')).filter((url) => url.includes('/localization/'))
    .map((url) => url.split('/')[5]);
}

test('a start loads the shown language\'s catalog only, and another when it is first chosen', async (t) => {
  for (const { saved, loaded } of [{ saved: 5, loaded: [] }, { saved: 1, loaded: ['de'] }]) {
    await t.test(`saved ${saved}`, () =>
      withWizard({ answers: { 'updater_kernel.LoadLocale': saved } }, async (wizard) => {
        await wizard.detect(5);
        assert.deepEqual(catalogRequests(wizard), loaded);
        for (const label of ['Français', 'Deutsch', 'Français', 'English']) {
          await wizard.page.selectOption('.language-select', { label });
          await wizard.settle();
        }
        assert.deepEqual(catalogRequests(wizard), [...loaded, ...['fr', 'de'].filter((c) => !loaded.includes(c))]);
        assert.equal(await wizard.text('.screen-install .title'), 'Welcome to Korvane Antivirus 12');
      }));
  }
});

test('a catalog that arrives after a later choice does not replace it', () =>
  withWizard({ hold: 'localization/po/de/LC_MESSAGES/KorvaneUpdater.json' }, async (wizard) => {
    await wizard.page.waitForFunction(() => window.fakeChannel.calls.some((call) => call.method === 'Init'));
    await wizard.detect(5);
    await wizard.page.selectOption('.language-select', { label: 'Deutsch' });
    await wizard.page.selectOption('.language-select', { label: 'Français' });
    const french = catalogs.table('fr')['Welcome to Korvane Antivirus 12'];
    await wizard.page.waitForFunction((text) => document.querySelector('.screen-install .title').textContent === text,
      french);
    wizard.release();
    await wizard.settle();
    assert.equal(await wizard.text('.screen-install .title'), french);
    assert.equal(await wizard.scope('CurrentLanguage'), 'fr');
    assert.equal(await wizard.page.$eval('.language-select', (s) => s.options[s.selectedIndex].text), 'Français');
  }));

test('a catalog that cannot be loaded leaves the texts in English, and the page goes on', () =>
  withWizard({}, async (wizard) => {
    await wizard.page.route('**/localization/po/de/**', (request) => request.fulfill({ status: 404 }));
    await wizard.detect(5);
    await wizard.page.selectOption('.language-select', { label: 'Deutsch' });
    await wizard.settle();
    assert.equal(await wizard.text('.screen-install .title'), 'Welcome to Korvane Antivirus 12');
    assert.equal(await wizard.scope('CurrentLanguage'), 'de');
    wizard.errors.length = 0; // the browser reports the failed request
    await wizard.page.unroute('**/localization/po/de/**');
    await wizard.page.selectOption('.language-select', { label: 'English' });
    await wizard.page.selectOption('.language-select', { label: 'Deutsch' });
    await wizard.settle();
    assert.equal(await wizard.text('.screen-install .title'), catalogs.table('de')['Welcome to Korvane Antivirus 12'],
      'tried again when chosen again');
  }));

test('picking Deutsch saves 1 and redraws the screen and an open dialog from the German catalog', () =>
  withWizard({ answers: { 'updater_kernel.LoadLocale': 5 } }, async (wizard) => {
    await wizard.detect(5);
    assert.equal(await wizard.text('.screen-install .title'), 'Welcome to Korvane Antivirus 12');
    await wizard.click('input.compatible + .box');
    await wizard.clearCalls();
    await wizard.page.selectOption('.language-select', { label: 'Deutsch' });
    await wizard.settle();
    const german = catalogs.table('de');
    assert.deepEqual(await wizard.calls(), ['SaveLocale(1)']);
    assert.equal(await wizard.text('.screen-install .title'), german['Welcome to Korvane Antivirus 12']);
    assert.equal(await wizard.text('.ngdialog .dialog-yes'), german.Yes);
  }));

test('the labels a screen reader announces follow the language like the visible texts', async (t) => {
  // element, its label's source text, how to show it (the screens' openers)
  const opener = (name) => screens.find((screen) => screen.name === name);
  const table = [
    ['.folding-cube', 'Loading', { name: 'loading', answers: {}, open: async () => {} }],
    ...['dialog-close-updater', 'dialog-compatible', 'dialog-offer', 'dialog-reboot', 'dialog-disk-space']
      .map((name) => ['.ngdialog:not(.ngdialog-closing) .dialog-close', 'Close', opener(name)]),
  ];
  for (const [element, text, screen] of table) {
    await t.test(screen.name, () => withWizard({ answers: { ...screen.answers, 'updater_kernel.LoadLocale': 1 } },
      async (wizard) => {
        await screen.open(wizard);
        const label = () => wizard.page.$eval(element, (e) => e.getAttribute('aria-label'));
        assert.equal(await label(), catalogs.table('de')[text]);
        await wizard.page.selectOption('.language-select', { label: '日本語' });
        await wizard.settle();
        assert.equal(await label(), catalogs.table('ja')[text]);
        await wizard.page.selectOption('.language-select', { label: 'English' });
        await wizard.settle();
        assert.equal(await label(), text);
      }));
  }
});
