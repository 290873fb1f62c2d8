'use strict';
// What a screen-reader or keyboard user gets from the page: its language, names for
// controls, progress bars and announcements, dialogs that hold the focus, and a visible
// focus on every control. (The WCAG check of every screen in every language runs in
// languages.test.js.)
const test = require('node:test');
const assert = require('node:assert/strict');
const { pageTests } = require('./support/wizard');
const { screens } = require('./support/screens');
const { accessibilityViolations } = require('./support/accessibility');
const catalogs = require('../../html/tools/catalogs');

const withWizard = pageTests(test);
const K = 'updater_kernel';
const german = catalogs.table('de');

const lang = (wizard) => wizard.evaluate(() => document.documentElement.lang);
const announced = (wizard) => wizard.evaluate(() => document.querySelector('.announcer').textContent);

test('the page\'s language is the shown language\'s from the start and follows a change', async (t) => {
  for (const [saved, code] of [[13, 'ja'], [null, 'en'], [5, 'en']]) {
    await t.test(`saved ${saved}`, () => withWizard({ answers: { [`${K}.LoadLocale`]: saved } }, async (wizard) => {
      assert.equal(await lang(wizard), code);
      await wizard.page.selectOption('.language-select', { label: 'Deutsch' });
      await wizard.settle();
      assert.equal(await lang(wizard), 'de');
    }));
  }
});

test('the loading animation and the language selector have translated names, and nothing breaks the rules', () =>
  withWizard({ answers: { [`${K}.LoadLocale`]: 1 } }, async (wizard) => {
    const name = (selector) => wizard.page.$eval(selector, (e) => e.getAttribute('aria-label'));
    assert.equal(await name('.language-select'), german.Language);
    assert.equal(await name('.folding-cube[role="progressbar"]'), german.Loading);
    assert.deepEqual(await accessibilityViolations(wizard.page), []);
  }));

test('the rules check would catch a selector without its name and a bar without its role', () =>
  withWizard({}, async (wizard) => {
    await wizard.show('/detectInstall', 5);
    assert.deepEqual(await accessibilityViolations(wizard.page), []);
    await wizard.evaluate(() => document.querySelector('.language-select').removeAttribute('aria-label'));
    assert.deepEqual(await accessibilityViolations(wizard.page), ['select-name: select']);
    await wizard.evaluate(() => document.querySelector('.language-select').setAttribute('aria-label', 'Language'));
    await wizard.evaluate(() => document.querySelector('.bar').removeAttribute('role'));
    assert.deepEqual(await accessibilityViolations(wizard.page), ['aria-allowed-attr: div[aria-labelledby="overall-progress"]']);
  }));

test('the bars are progress bars with their values, and the step text is read out, not each per cent', () =>
  withWizard({}, async (wizard) => {
    await wizard.show('/detectInstall', 5);
    const bars = () => wizard.page.$$eval('.bar', (list) => list.map((bar) => ({
      role: bar.getAttribute('role'),
      name: document.getElementById(bar.getAttribute('aria-labelledby')).textContent.trim(),
      now: bar.getAttribute('aria-valuenow'),
      range: [bar.getAttribute('aria-valuemin'), bar.getAttribute('aria-valuemax')],
    })));
    const live = () => wizard.page.$$eval('[aria-live="polite"]', (list) => list.map((e) => e.textContent.trim()));
    await wizard.emit(K, 'ProgressComponentChangedSignal', 4);
    await wizard.emit(K, 'ProgressDescriptionChangedSignal', 'Copying new files');
    const step = await live();
    for (const [overall, position, shown] of [[40, 42.6, ['40', '43']], [-5, 150, ['0', '100']], [100, 'x', ['100', '0']]]) {
      await wizard.emit(K, 'ComponentsProgressPositionChangedSignal', overall);
      await wizard.emit(K, 'ProgressPositionChangedSignal', position);
      assert.deepEqual(await bars(), [
        { role: 'progressbar', name: 'Overall progress', now: shown[0], range: ['0', '100'] },
        { role: 'progressbar', name: 'Korvane Proxy Engine', now: shown[1], range: ['0', '100'] },
      ]);
      assert.deepEqual(await live(), step, 'a new per cent is not read out');
    }
    assert.ok(step.includes('Korvane Proxy Engine') && step.includes('Copying new files'), step.join());
  }));

test('a result screen\'s title is read out when it appears, an error with its text, in the shown language', async (t) => {
  const cases = [
    ['completion', (w) => w.show('/detectComplete', 5), ['Installation Complete']],
    ['interruption', (w) => w.show('/detectInterrupted', 5), ['Your Korvane Antivirus installation was cancelled']],
    ['error', (w) => w.show('/detectErrors', 5), ['Installation Error',
      'Korvane Antivirus has encountered an error during installation. We are sorry for the inconvenience.',
      'Please close the program and try installing it again.']],
  ];
  for (const [name, open, texts] of cases) {
    await t.test(name, () => withWizard({}, async (wizard) => {
      await wizard.detect(5);
      assert.equal(await announced(wizard), '', 'nothing while the install screen shows');
      await open(wizard);
      assert.equal(await announced(wizard), texts.join(' '));
      await wizard.page.selectOption('.language-select', { label: 'Deutsch' });
      await wizard.settle();
      assert.equal(await announced(wizard), texts.map((text) => german[text]).join(' '));
    }));
  }
  await t.test('the kernel\'s own error text, when it comes', () => withWizard({}, async (wizard) => {
    await wizard.show('/detectErrors', 5);
    await wizard.emit(K, 'ErrorSignal', 'Disk E: is not ready');
    assert.match(await announced(wizard), /^Disk E: is not ready Korvane Antivirus has encountered an error/);
  }));
});

test('a dialog is a modal dialog named by its title that keeps the focus and gives it back, also after Escape', () =>
  withWizard({}, async (wizard) => {
    await wizard.detect(13);
    await wizard.page.focus('.screen-change .cancel');
    await wizard.press('Enter');
    const dialog = await wizard.page.$eval('.ngdialog', (box) => ({
      role: box.getAttribute('role'),
      modal: box.getAttribute('aria-modal'),
      name: document.getElementById(box.getAttribute('aria-labelledby')).textContent.trim(),
    }));
    assert.deepEqual(dialog, { role: 'dialog', modal: 'true', name: 'Cancel' });
    const focusInside = () => wizard.evaluate(() => !!document.activeElement.closest('.ngdialog'));
    assert.ok(await focusInside(), 'the dialog takes the focus');
    for (const key of ['Tab', 'Tab', 'Tab', 'Tab', 'Shift+Tab', 'Shift+Tab', 'Shift+Tab', 'Shift+Tab', 'Shift+Tab']) {
      await wizard.press(key);
      assert.ok(await focusInside(), `after ${key}`);
    }
    await wizard.press('Escape');
    await wizard.page.waitForFunction(() => !document.querySelector('.ngdialog'));
    assert.ok(await wizard.evaluate(() => document.activeElement.matches('.screen-change .cancel')), 'focus given back');
  }));

// How an element is drawn (or the mark drawn for a hidden check box or radio button):
// the styles a focus indication can change.
function look(handle) {
  return handle.evaluate((element) => {
    const style = getComputedStyle(element.matches('input[type=checkbox], input[type=radio]')
      ? element.nextElementSibling : element);
    return ['outlineStyle', 'outlineColor', 'boxShadow', 'borderColor', 'backgroundColor', 'color']
      .map((name) => style[name]).join(' | ');
  });
}

test('every control shows where the keyboard focus is, on every screen', async () => {
  const unmarked = [];
  for (const screen of screens) {
    await withWizard({ answers: screen.answers }, async (wizard) => {
      await screen.open(wizard);
      // The controls in Tab order (once round).
      const order = [];
      for (let i = 0; i < 20; i += 1) {
        await wizard.page.keyboard.press('Tab');
        const handle = await wizard.page.evaluateHandle(() => document.activeElement);
        if (await handle.evaluate((e) => e === document.body)) continue;
        if (await Promise.all(order.map((h) => h.evaluate((e, other) => e === other, handle))).then((s) => s.includes(true))) break;
        order.push(handle);
      }
      assert.ok(order.length > 0, `${screen.name}: nothing takes the focus`);
      for (const handle of order) {
        await handle.focus();
        const focused = await look(handle);
        await handle.evaluate((e) => e.blur());
        const plain = await look(handle);
        if (focused === plain) {
          unmarked.push(`${screen.name}: ${await handle.evaluate((e) => e.outerHTML.slice(0, 80))}`);
        }
      }
    });
  }
  assert.deepEqual(unmarked, []);
});
