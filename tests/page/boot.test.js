'use strict';
// Start-up of the page: binding before booting, the language at start and its change,
// routes, the text factories, and what the bundle holds.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { pageTests } = require('./support/wizard');
const { bundleFiles } = require('./support/bundle');
const languages = require('../../html/tools/languages');
const catalogs = require('../../html/tools/catalogs');
const templates = require('../../html/tools/templates');

const withWizard = pageTests(test);

test('the page boots only once the channel is bound, however late that is', async (t) => {
  for (const bindDelayMs of [-1, 0, 400]) {
    await t.test(`bound after ${bindDelayMs} ms`, () => withWizard({ bindDelayMs }, async (wizard) => {
      // The header's saved language and the welcome view's calls, in whichever order the
      // two templates arrive; the view's own calls in order.
      const calls = await wizard.calls();
      assert.deepEqual([...calls].sort(), ['GetInstallDirectory()', 'Init()', 'LoadLocale()']);
      assert.ok(calls.indexOf('GetInstallDirectory()') < calls.indexOf('Init()'), calls.join());
      assert.equal(await wizard.scope('GetScenario'), 30);
      assert.equal(await wizard.route(), '#/detectWelcome');
      assert.ok(await wizard.visible('.folding-cube'));
    }));
  }
});

test('a welcome view built before the header shows the loading animation, and a late header keeps the detected scenario', () =>
  withWizard({ hold: 'templates/header.template.html' }, async (wizard) => {
    await wizard.page.waitForFunction(() => window.fakeChannel.calls.some((call) => call.method === 'Init'));
    assert.ok(await wizard.visible('.folding-cube'));
    await wizard.evaluate(() => window.fakeChannel.emit('updater_kernel', 'ScenarioDetectedSignal', 5));
    await wizard.page.waitForFunction(() => angular.element(document.documentElement).scope().GetScenario === 5);
    wizard.release();
    await wizard.settle();
    assert.ok(await wizard.visible('.language-select'));
    assert.equal(await wizard.scope('GetScenario'), 5);
  }));

test('an address with an unknown route shows the welcome view', () =>
  withWizard({ route: '#/detectNowhere' }, async (wizard) => {
    assert.equal(await wizard.route(), '#/detectWelcome');
    assert.ok(await wizard.visible('.folding-cube'));
  }));

test('the language at start follows the saved locale id', async (t) => {
  const cases = [
    { saved: 13, code: 'ja', shown: '日本語' },
    { saved: 12, code: 'nl', shown: 'Dutch' },
    { saved: 0, code: 'en', shown: 'English' },
    { saved: 5, code: 'en', shown: 'English' }, // an id the page does not offer
    { saved: 99, code: 'en', shown: 'English' },
    { saved: null, code: 'en', shown: 'English' },
    { saved: '13', code: 'en', shown: 'English' }, // text is not converted
  ];
  for (const { saved, code, shown } of cases) {
    await t.test(`saved ${JSON.stringify(saved)}`, () =>
      withWizard({ answers: { 'updater_kernel.LoadLocale': saved } }, async (wizard) => {
        assert.equal(await wizard.scope('CurrentLanguage'), code);
        assert.equal(await wizard.evaluate(() => angular.element(document.documentElement).injector()
          .get('gettextCatalog').getCurrentLanguage()), code);
        assert.equal(await wizard.page.$eval('.language-select', (s) => s.options[s.selectedIndex].text), shown);
        // Nothing is written back at start.
        assert.ok(!(await wizard.calls()).some((call) => call.startsWith('SaveLocale')));
      }));
  }
});

test('the selector offers the ten languages and picking one saves it and redraws the page at once', () =>
  withWizard({ answers: { 'updater_kernel.LoadLocale': 5 } }, async (wizard) => {
    assert.deepEqual(await wizard.page.$$eval('.language-select option', (options) => options.map((o) => o.text)),
      ['English', 'Deutsch', 'Français', 'Español', 'Italiano', 'Русский', 'Polski', 'Português', 'Dutch', '日本語']);
    await wizard.detect(5);
    // A catalog of our own, registered the way the language catalogs register theirs.
    await wizard.evaluate(() => angular.element(document.documentElement).injector().get('gettextCatalog')
      .setStrings('de', { 'Welcome to Korvane Antivirus 12': 'Willkommen bei Korvane Antivirus 12', Yes: 'Ja' }));
    await wizard.click('input.compatible + .box');
    await wizard.clearCalls();

    await wizard.page.selectOption('.language-select', { label: 'Deutsch' });
    await wizard.settle();
    assert.deepEqual(await wizard.calls(), ['SaveLocale(1)']);
    assert.equal(await wizard.scope('CurrentLanguage'), 'de');
    assert.equal(await wizard.text('.screen-install .title'), 'Willkommen bei Korvane Antivirus 12');
    assert.equal(await wizard.text('.ngdialog .dialog-yes'), 'Ja', 'the open dialog is redrawn too');
    assert.equal(await wizard.route(), '#/detectWelcome');

    await wizard.page.selectOption('.language-select', { label: 'English' });
    await wizard.settle();
    assert.deepEqual((await wizard.calls()).slice(1), ['SaveLocale(0)']);
    assert.equal(await wizard.text('.screen-install .title'), 'Welcome to Korvane Antivirus 12');
  }));

test('the text factories name components and steps, and "Initializing..." for everything else', () =>
  withWizard({}, async (wizard) => {
    const results = await wizard.evaluate(() => {
      const injector = angular.element(document.documentElement).injector();
      const component = injector.get('myComponent').getComponentString;
      const description = injector.get('myDescription').getDescriptionString;
      return {
        components: [0, 1, 2, 7, 8, 12, 13, 15, 16, -1, '0'].map(component),
        descriptions: ['Unregistering fonts', 'Rolling back action:', 'Rolling back action: CopyFiles',
          'copying definitions...', 'Copying definitions...', 'Publishing product information', ''].map(description),
      };
    });
    assert.deepEqual(results.components, ['Korvane Antivirus 9', 'Korvane Antivirus 10', 'Korvane Anti-Malware Engine',
      'Korvane Web Filtering Engine', 'Korvane Active Virus Control', 'Tessa', 'Initializing...', 'Korvane Browser',
      'Initializing...', 'Initializing...', 'Initializing...']);
    assert.deepEqual(results.descriptions, ['Unregistering fonts', 'Rolling back action:', 'Initializing...',
      'copying definitions...', 'Initializing...', 'Initializing...', 'Initializing...']);
  }));

test('nothing can be dragged out of the page', () =>
  withWizard({}, async (wizard) => {
    await wizard.detect(4);
    const prevented = await wizard.evaluate(() => ['.logo', '.picture', '.button'].map((selector) => {
      const event = new DragEvent('dragstart', { bubbles: true, cancelable: true });
      document.querySelector(selector).dispatchEvent(event);
      return event.defaultPrevented;
    }));
    assert.deepEqual(prevented, [true, true, true]);
  }));

test('every file of the bundle is used by the page or the window', () => {
  const files = bundleFiles();
  const texts = [];
  for (const [alias, file] of files) {
    if (file && /\.(html|js|css)$/.test(alias) && !alias.endsWith('.min.js')) texts.push(fs.readFileSync(file, 'utf8'));
  }
  // The templates reach the bundle inside the template cache's script.
  for (const address of templates.templateAddresses()) {
    texts.push(fs.readFileSync(path.join(templates.templatesDir, path.basename(address)), 'utf8'));
  }
  const uiDir = path.resolve(__dirname, '../../ui');
  for (const name of fs.readdirSync(uiDir).filter((n) => n.endsWith('.cpp'))) {
    texts.push(fs.readFileSync(path.join(uiDir, name), 'utf8'));
  }
  const all = texts.join('\n');
  // The catalogs are loaded by the address the catalog service makes of a language code.
  const catalogOf = (alias) => languages.translatedCodes.some((code) =>
    alias === `angular/${languages.catalogPath(code)}`) && all.includes("'localization/po/' + code + '/LC_MESSAGES/KorvaneUpdater.json'");
  const unused = [...files.keys()].filter((alias) => alias !== 'angular/index.html'
    && !all.includes(alias.replace(/^angular\//, '')) && !all.includes(`/${path.basename(alias)}`)
    && !catalogOf(alias));
  assert.deepEqual(unused, []);
});

// Records what the page shows when it asks the program for the window.
const watchShow = () => {
  window.shows = [];
  const helpers = window.window_helpers;
  const show = helpers.Show;
  helpers.Show = function () {
    const section = document.querySelector('[ng-view] > * > section');
    const title = section && section.querySelector('.title');
    window.shows.push({
      view: section ? section.className : null,
      loading: !!document.querySelector('.folding-cube'),
      title: title ? title.textContent.trim() : null,
    });
    return show.apply(this, arguments);
  };
};

test('the page asks for the window once, when its first scenario screen is drawn in the saved language', async (t) => {
  const german = catalogs.table('de');
  const cases = [
    { name: 'detected', answers: {}, lead: (w) => w.detect(5), title: 'Welcome to Korvane Antivirus 12' },
    { name: 'detected, German saved, its catalog late', answers: { 'updater_kernel.LoadLocale': 1 },
      hold: 'localization/po/de/LC_MESSAGES/KorvaneUpdater.json', lead: (w) => w.detect(5),
      title: german['Welcome to Korvane Antivirus 12'] },
    { name: 'an error before any scenario', answers: {}, title: 'Unknown error',
      lead: (w) => w.emit('updater_kernel', 'ErrorSignal', 'failed'), view: 'view-errors' },
    { name: 'a scenario served by another view', answers: {}, lead: (w) => w.detect(12), view: 'view-progress' },
  ];
  for (const c of cases) {
    await t.test(c.name, () => withWizard({ answers: c.answers, hold: c.hold }, async (wizard) => {
      await wizard.page.waitForFunction(() => window.fakeChannel.calls.some((call) => call.method === 'Init'));
      await wizard.evaluate(watchShow);
      await wizard.page.waitForTimeout(50);
      assert.deepEqual(await wizard.evaluate(() => window.shows), [], 'not while loading');
      if (c.hold) {
        await wizard.evaluate(() => window.fakeChannel.emit('updater_kernel', 'ScenarioDetectedSignal', 5));
        await wizard.page.waitForSelector('.screen-install');
        assert.deepEqual(await wizard.evaluate(() => window.shows), [], 'not before the catalog');
        wizard.release();
        await wizard.settle();
      } else {
        await c.lead(wizard);
      }
      const shows = await wizard.evaluate(() => window.shows);
      assert.equal(shows.length, 1, JSON.stringify(shows));
      assert.equal(shows[0].loading, false);
      assert.ok(shows[0].view.includes(c.view || 'view-welcome'), shows[0].view);
      if (c.title) assert.equal(shows[0].title, c.title);
      // Later screens ask nothing more.
      await wizard.show('/detectComplete', 5);
      assert.equal((await wizard.evaluate(() => window.shows)).length, 1);
    }));
  }
});

test('a start asks for no template, and for no picture of a screen it has not built', () =>
  withWizard({}, async (wizard) => {
    await wizard.detect(5);
    const requests = wizard.server.requests;
    const own = requests.slice(requests.lastIndexOf('/html/angular/index.html'));
    assert.deepEqual(own.filter((url) => /\/(templates|images)\//.test(url)), ['/html/angular/images/logo.png']);
  }));
