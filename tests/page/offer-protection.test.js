'use strict';
// The two views that collect one more decision before a run: the companion offer before
// an install and the system's own protection before a removal.
const test = require('node:test');
const assert = require('node:assert/strict');
const { pageTests } = require('./support/wizard');

const withWizard = pageTests(test);

const BROWSERS = 'as my homepage, new tabs and default search engine on Internet Explorer® and Firefox®.';

async function openOffer(wizard) {
  await wizard.detect(5);
  await wizard.clearCalls();
  await wizard.show('/detectOffers', 5);
}

test('the offer view reports its screen, asks for the partner and names it in the box\'s label', async (t) => {
  // kernel's partner answer, name shown
  const table = [[1, 'Bing® by Microsoft™'], [2, 'Yahoo'], [3, 'Google'], [4, 'Yandex'], [5, 'Baidu'], [6, 'Naver'],
    [7, 'Lumenfind'], [0, null], [8, null], [null, null]];
  for (const [partner, name] of table) {
    await t.test(`partner ${partner}`, () => withWizard({ answers: { 'updater_kernel.GetTsOfferHomepageAndSearch': partner } }, async (wizard) => {
      await openOffer(wizard);
      assert.deepEqual(await wizard.calls(), ['SetView("Tessa")', 'GetTsOfferHomepageAndSearch()']);
      const label = ['Help keep it free by setting', name, BROWSERS].filter(Boolean).join(' ');
      assert.equal(await wizard.text('.homepage-label'), label);
      assert.ok(!(await wizard.visible('.homepage-translated')));
    }));
  }
});

test('the label follows the language: the fixed English text for "en", the translated one otherwise', () =>
  withWizard({ answers: { 'updater_kernel.GetTsOfferHomepageAndSearch': 4 } }, async (wizard) => {
    await openOffer(wizard);
    const setLanguage = (code) => wizard.evaluate((c) => {
      const root = angular.element(document.documentElement).injector().get('$rootScope');
      root.$apply(() => { root.CurrentLanguage = c; });
    }, code);
    for (const [code, english] of [['de', false], ['en', true], ['fr', false], ['en', true]]) {
      await setLanguage(code);
      assert.equal(await wizard.visible('.homepage-english'), english, code);
      assert.equal(await wizard.visible('.homepage-translated'), !english, code);
    }
    await setLanguage('ru');
    assert.equal(await wizard.text('.homepage-label'), `Set Yandex ${BROWSERS}`);
  }));

test('"Continue" stays disabled until a choice; the three ways on send exactly their calls', async (t) => {
  // choice clicks, then box clicks, dialog answer, calls sent, route after
  const table = [
    ['no', [], null, ['SkipTsOffer(true)'], '#/detectInstall'],
    ['yes', ['untick'], null, ['SkipTsOffer(false)'], '#/detectInstall'],
    ['yes', [], '.dialog-yes', ['ChangeTsOfferHomepageAndSearch(true)', 'SkipTsOffer(false)'], '#/detectInstall'],
    ['yes', ['untick', 'tick'], '.dialog-yes', ['ChangeTsOfferHomepageAndSearch(true)', 'SkipTsOffer(false)'], '#/detectInstall'],
    ['yes', [], '.dialog-no', [], '#/detectOffers'],
    ['yes', [], '.dialog-close', [], '#/detectOffers'],
    ['yes', [], 'escape', [], '#/detectOffers'],
    ['yes', [], 'overlay', [], '#/detectOffers'],
  ];
  for (const [choice, box, dialog, calls, route] of table) {
    await t.test(`${choice} ${box.join(' ')} ${dialog || ''}`, () => withWizard({}, async (wizard) => {
      await openOffer(wizard);
      assert.ok(await wizard.page.isDisabled('.view-offers .continue'));
      assert.ok(await wizard.page.isDisabled('input.homepage-option'));
      assert.ok(!(await wizard.page.isChecked('input.homepage-option')));
      await wizard.click(`input.offer-${choice} + .radio`);
      assert.ok(!(await wizard.page.isDisabled('.view-offers .continue')));
      assert.equal(await wizard.page.isChecked('input.homepage-option'), choice === 'yes');
      assert.equal(await wizard.page.isDisabled('input.homepage-option'), choice === 'no');
      for (const step of box) {
        await wizard.click('input.homepage-option + .box');
        assert.equal(await wizard.page.isChecked('input.homepage-option'), step === 'tick');
      }
      await wizard.clearCalls();
      await wizard.click('.view-offers .continue');
      if (dialog) {
        assert.deepEqual(await wizard.openDialogs(), ['Warning!']);
        assert.equal(await wizard.text('.ngdialog .dialog-text'),
          'Korvane Antivirus Updater needs to close your browser in order to apply your changes. Make sure you save your work before proceeding.');
        assert.deepEqual(await wizard.page.$$eval('.ngdialog .dialog-buttons button', (bs) => bs.map((b) => b.textContent.trim())),
          ['Cancel', 'Continue']);
        assert.deepEqual(await wizard.calls(), [], 'nothing is sent before the answer');
        await wizard.answerDialog(dialog);
      }
      const sent = (await wizard.calls()).filter((c) => !['Start()'].includes(c) && !c.startsWith('SetView'));
      assert.deepEqual(sent, calls);
      assert.equal(await wizard.route(), route);
    }));
  }
  await t.test('choosing no after yes unticks the box and disables it', () => withWizard({}, async (wizard) => {
    await openOffer(wizard);
    await wizard.click('input.offer-yes + .radio');
    await wizard.click('input.offer-no + .radio');
    assert.ok(!(await wizard.page.isChecked('input.homepage-option')));
    assert.ok(await wizard.page.isDisabled('input.homepage-option'));
    await wizard.clearCalls();
    await wizard.click('.view-offers .continue');
    assert.deepEqual((await wizard.calls()).filter((c) => c.startsWith('Skip') || c.startsWith('Change')), ['SkipTsOffer(true)']);
  }));
});

test('the offer view\'s links and "Back"', () => withWizard({}, async (wizard) => {
  await openOffer(wizard);
  await wizard.clearCalls();
  await wizard.click('.view-offers .terms');
  await wizard.click('.view-offers .privacy');
  assert.deepEqual(await wizard.calls(), ['ExecUrl(21)', 'ExecUrl(22)']);
  assert.equal(await wizard.text('.offer-terms'), 'By installing Korvane Tessa, you agree to its Terms and Privacy Policy.');
  await wizard.click('input.offer-yes + .radio');
  await wizard.clearCalls();
  await wizard.click('.view-offers .back');
  assert.equal(await wizard.route(), '#/detectWelcome');
  const calls = await wizard.calls();
  assert.ok(!calls.some((c) => /SkipTsOffer|ChangeTsOffer/.test(c)), calls.join('\n'));
  assert.ok(calls.includes('SetView("License")'), 'the install screen is shown again');
  assert.ok(!calls.includes('Init()'), 'without a new detection');
}));

test('the protection view: "Skip" sends false for both, "Next" asks and sends the boxes\' states', async (t) => {
  // box clicks, button, dialog answer, calls, route after
  const table = [
    [[], '.skip', null, ['SetEnableWindowsDefender(false)', 'SetEnableWindowsFirewall(false)'], '#/detectUninstall'],
    [['firewall'], '.skip', null, ['SetEnableWindowsDefender(false)', 'SetEnableWindowsFirewall(false)'], '#/detectUninstall'],
    [[], '.next', '.dialog-yes', ['SetEnableWindowsDefender(true)', 'SetEnableWindowsFirewall(true)'], '#/detectUninstall'],
    [['defender'], '.next', '.dialog-yes', ['SetEnableWindowsDefender(false)', 'SetEnableWindowsFirewall(true)'], '#/detectUninstall'],
    [['defender', 'firewall'], '.next', '.dialog-yes', ['SetEnableWindowsDefender(false)', 'SetEnableWindowsFirewall(false)'], '#/detectUninstall'],
    [[], '.next', '.dialog-no', [], '#/detectProtection'],
    [[], '.next', 'escape', [], '#/detectProtection'],
    [[], '.next', '.dialog-close', [], '#/detectProtection'],
  ];
  for (const [boxes, button, answer, calls, route] of table) {
    await t.test(`${boxes.join(' ')} ${button} ${answer || ''}`, () => withWizard({}, async (wizard) => {
      await wizard.show('/detectProtection', 9);
      assert.equal(await wizard.text('.view-protection .title'), 'Keep some level of protection');
      assert.ok(await wizard.page.isChecked('input.defender'));
      assert.ok(await wizard.page.isChecked('input.firewall'));
      for (const box of boxes) await wizard.click(`input.${box} + .box`);
      await wizard.clearCalls();
      await wizard.click(`.view-protection ${button}`);
      if (answer) {
        assert.deepEqual(await wizard.openDialogs(), ['Uninstall Korvane Antivirus?']);
        assert.equal(await wizard.text('.ngdialog .dialog-text'), 'Are you sure?');
        await wizard.answerDialog(answer);
      }
      assert.equal(await wizard.route(), route);
      // The uninstall view starts the run once reached.
      assert.deepEqual((await wizard.calls()).filter((c) => c.startsWith('SetEnable')), calls);
    }));
  }
  await t.test('"Cancel" asks to close the updater', () => withWizard({}, async (wizard) => {
    await wizard.show('/detectProtection', 9);
    await wizard.clearCalls();
    await wizard.click('.view-protection .cancel');
    assert.equal(await wizard.text('.ngdialog .dialog-text'), 'Are you sure you want to close Korvane Antivirus Updater?');
    await wizard.answerDialog('.dialog-yes');
    assert.deepEqual(await wizard.calls(), ['window_helpers.Close()']);
  }));
  for (const scenario of [13, 12, 2, 30]) {
    await t.test(`scenario ${scenario} shows nothing`, () => withWizard({}, async (wizard) => {
      await wizard.show('/detectProtection', scenario);
      assert.equal(await wizard.text('.view-protection'), '');
    }));
  }
});
