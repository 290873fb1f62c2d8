'use strict';
// The welcome view: each detected scenario, the install screen and its options, the
// other screens' buttons, and the handlers that outlive the view.
const test = require('node:test');
const assert = require('node:assert/strict');
const { pageTests } = require('./support/wizard');

const withWizard = pageTests(test);

const SCREENS = ['.screen-install', '.screen-previous', '.screen-reboot', '.screen-latest', '.screen-corrupted',
  '.screen-uninstall', '.screen-change', '.screen-unknown', '.folding-cube'];

async function shownScreens(wizard) {
  const shown = [];
  for (const screen of SCREENS) if (await wizard.visible(screen)) shown.push(screen);
  return shown;
}

test('each detected scenario sets GetScenario, reports its screen and shows it or moves on', async (t) => {
  // scenario, GetScenario after, SetView sent, screen shown or route reached
  const table = [
    [1, 1, 'RebootRequired', '.screen-reboot'],
    [2, 2, 'UninstallKorvane9', '.screen-previous'],
    [3, 3, 'UninstallKorvane10', '.screen-previous'],
    [16, 16, 'UninstallKorvane11', '.screen-previous'],
    [4, 4, 'LatestVersion', '.screen-latest'],
    [15, 15, 'Corrupted', '.screen-corrupted'],
    [5, 5, 'License', '.screen-install'],
    [6, 6, 'Installing', '#/detectInstall'],
    [7, 7, 'Installing', '#/detectInstall'],
    [8, 8, 'Installing', '#/detectInstall'],
    [17, 17, 'Installing', '#/detectInstall'],
    [11, 11, 'Installing', '#/detectInstall'],
    [9, 9, 'Uninstall', '.screen-uninstall'],
    [10, 10, 'AlreadyStarted', '#/detectErrors'],
    [12, 12, 'Installing', '#/detectRepair'],
    [13, 13, null, '.screen-change'],
    [14, 14, 'VeltrionDetected', '#/detectErrors'],
    [0, 0, null, '.screen-unknown'],
    [18, 0, null, '.screen-unknown'],
    [30, 0, null, '.screen-unknown'],
    [-1, 0, null, '.screen-unknown'],
  ];
  for (const [scenario, getScenario, view, shown] of table) {
    await t.test(`scenario ${scenario}`, () => withWizard({}, async (wizard) => {
      await wizard.clearCalls();
      await wizard.detect(scenario);
      const calls = await wizard.calls();
      assert.equal(calls[0], 'RebootRequired()');
      // A view moved on to reports its own screen after the welcome view's.
      const views = calls.filter((call) => call.startsWith('SetView'));
      assert.deepEqual(shown.startsWith('#') ? views.slice(0, 1) : views, view ? [`SetView(${JSON.stringify(view)})`] : []);
      assert.equal(await wizard.scope('GetScenario'), getScenario);
      if (shown.startsWith('#')) {
        assert.equal(await wizard.route(), shown);
      } else {
        assert.equal(await wizard.route(), '#/detectWelcome');
        assert.deepEqual(await shownScreens(wizard), [shown]);
      }
    }));
  }
});

test('the previous-version screen highlights the detected generation and continues to the uninstall', async (t) => {
  for (const [scenario, label] of [[2, 'Korvane 9'], [3, 'Korvane 10'], [16, 'Korvane 11']]) {
    await t.test(label, () => withWizard({}, async (wizard) => {
      await wizard.detect(scenario);
      assert.deepEqual(await wizard.page.$$eval('.version-detected', (boxes) => boxes.map((b) => b.innerText.trim())), [label]);
      await wizard.click('.screen-previous .continue');
      assert.equal(await wizard.route(), '#/detectUninstall');
    }));
  }
});

test('the install screen sends its settings in order and ends with the compatible setting the kernel detected', async (t) => {
  for (const incompatibles of [false, true]) {
    await t.test(`incompatibles detected: ${incompatibles}`, () => withWizard({
      answers: {
        'updater_kernel.IncompatiblesDetected': incompatibles,
        'updater_kernel.GetInstallDirectory': '/srv/apps/korvane/korvane antivirus',
      },
    }, async (wizard) => {
      assert.equal(await wizard.page.inputValue('.destination-field').catch(() => null), null, 'no install screen yet');
      await wizard.clearCalls();
      await wizard.detect(5);
      assert.deepEqual(await wizard.calls(), [
        'RebootRequired()',
        'SetView("License")',
        'IsTsOfferAvailable()',
        'IncompatiblesDetected()',
        'SetInstallDirectory("/srv/apps/korvane/korvane antivirus")',
        'SetCompatibleInstall(false)',
        'SetCreateDesktopShortcut(true)',
        'SetRebootRequired(false)',
        'SetRunDesktop(true)',
        'SetEnableWindowsDefender(false)',
        'SetEnableWindowsFirewall(false)',
        `SetCompatibleInstall(${incompatibles})`,
      ]);
      assert.equal(await wizard.text('.button-main'),
        incompatibles ? 'Compatible Install Install as 2nd line of defense' : 'Start Install');
      assert.equal(await wizard.visible('.screen-install .note'), incompatibles);
      assert.equal(await wizard.visible('input.compatible + .box'), !incompatibles);
      assert.equal(await wizard.page.inputValue('.destination-field'), '/srv/apps/korvane/korvane antivirus');
      assert.ok(await wizard.page.isChecked('input.desktop-icon'));
    }));
  }
});

test('the main button stays disabled until the agreement is ticked, then opens the next route', async (t) => {
  for (const [offer, next] of [[true, '#/detectOffers'], [false, '#/detectInstall']]) {
    await t.test(`offer available: ${offer}`, () => withWizard({
      answers: { 'updater_kernel.IsTsOfferAvailable': offer },
    }, async (wizard) => {
      await wizard.detect(5);
      assert.ok(await wizard.page.isDisabled('.button-main'));
      // Other choices do not enable it.
      await wizard.click('input.desktop-icon + .box');
      await wizard.click('input.compatible + .box');
      await wizard.answerDialog('.dialog-yes');
      assert.ok(await wizard.page.isDisabled('.button-main'));
      await wizard.click('input.agreement + .box');
      await wizard.click('input.agreement + .box');
      assert.ok(await wizard.page.isDisabled('.button-main'));
      await wizard.click('input.agreement + .box');
      await wizard.click('.button-main');
      assert.equal(await wizard.route(), next);
    }));
  }
});

test('the compatible-mode question: only "Yes" turns compatible mode on', async (t) => {
  const answers = [
    ['.dialog-yes', true],
    ['.dialog-no', false],
    ['.dialog-close', false],
    ['escape', false],
    ['overlay', false],
  ];
  for (const [how, on] of answers) {
    await t.test(how, () => withWizard({}, async (wizard) => {
      await wizard.detect(5);
      await wizard.clearCalls();
      await wizard.click('input.compatible + .box');
      // While the question is open the box is off and the button says "Start Install".
      assert.deepEqual(await wizard.openDialogs(), ['Installing Korvane Antivirus Compatible Mode']);
      assert.equal(await wizard.text('.ngdialog .dialog-question'),
        'Are you sure you want to install Korvane Antivirus in Compatible Mode?');
      assert.ok(!(await wizard.page.isChecked('input.compatible')));
      assert.deepEqual(await wizard.calls(), []);

      await wizard.answerDialog(how);
      assert.deepEqual(await wizard.openDialogs(), []);
      assert.deepEqual(await wizard.calls(), [`SetCompatibleInstall(${on})`]);
      assert.equal(await wizard.page.isChecked('input.compatible'), on);
      assert.equal(await wizard.text('.button-main'), on ? 'Compatible Install Install as 2nd line of defense' : 'Start Install');
      assert.equal(await wizard.page.$eval('.button-main', (b) => b.classList.contains('button-alternative')), on);

      if (on) {
        await wizard.click('input.compatible + .box');
        assert.deepEqual((await wizard.calls()).slice(1), ['SetCompatibleInstall(false)']);
        assert.deepEqual(await wizard.openDialogs(), []);
        assert.equal(await wizard.text('.button-main'), 'Start Install');
      }
    }));
  }
});

test('"Browse" appends the product folder to the chosen folder', async (t) => {
  const table = [
    ['C:\\', 'C:\\korvane\\korvane antivirus'],
    ['D:\\Apps', 'D:\\Apps\\korvane\\korvane antivirus'],
    ['E:', 'E:\\korvane\\korvane antivirus'],
    ['\\\\server\\share\\', '\\\\server\\share\\korvane\\korvane antivirus'],
    ['/', '/korvane/korvane antivirus'],
    ['/home/ann', '/home/ann/korvane/korvane antivirus'],
    ['/home/ann/', '/home/ann/korvane/korvane antivirus'],
    ['', null],
    [null, null],
  ];
  for (const [chosen, joined] of table) {
    await t.test(JSON.stringify(chosen), () => withWizard({
      answers: { 'ui_extensions.ShowChooseFolderDialog': chosen },
    }, async (wizard) => {
      await wizard.detect(5);
      await wizard.clearCalls();
      await wizard.click('.browse');
      const calls = ['ui_extensions.ShowChooseFolderDialog(false, false)'];
      if (joined) calls.push(`SetInstallDirectory(${JSON.stringify(joined)})`);
      assert.deepEqual(await wizard.calls(), calls);
      assert.equal(await wizard.page.inputValue('.destination-field'), joined || '/opt/korvane/korvane antivirus');
    }));
  }
});

test('the install screen\'s desktop icon, licence link and compatible-mode explanation', () =>
  withWizard({}, async (wizard) => {
    await wizard.detect(5);
    await wizard.clearCalls();
    await wizard.click('input.desktop-icon + .box');
    await wizard.click('input.desktop-icon + .box');
    await wizard.click('.license');
    assert.deepEqual(await wizard.calls(), ['SetCreateDesktopShortcut(false)', 'SetCreateDesktopShortcut(true)', 'ExecUrl(90)']);

    assert.ok(!(await wizard.visible('.popover')));
    await wizard.page.hover('.why-compatible');
    assert.match(await wizard.text('.popover'), /^Use this only in conjunction .* It will NOT, however, block threats from infecting your PC\.$/);
    await wizard.page.hover('.title');
    assert.ok(!(await wizard.visible('.popover')));
  }));

test('back from the offer view, the install screen is rebuilt from the kernel\'s settings without a new detection', () =>
  withWizard({
    answers: {
      'updater_kernel.IncompatiblesDetected': true,
      'updater_kernel.IsTsOfferAvailable': true,
      'updater_kernel.GetCompatibleInstall': true,
      'updater_kernel.GetCreateDesktopShortcut': false,
    },
  }, async (wizard) => {
    await wizard.detect(5);
    await wizard.click('input.agreement + .box');
    await wizard.click('.button-main');
    assert.equal(await wizard.route(), '#/detectOffers');
    await wizard.clearCalls();

    await wizard.evaluate(() => { location.hash = '#/detectWelcome'; });
    await wizard.page.waitForSelector('.screen-install');
    await wizard.settle();
    assert.deepEqual(await wizard.calls(), [
      'GetInstallDirectory()',
      'RebootRequired()',
      'SetView("License")',
      'IsTsOfferAvailable()',
      'GetCompatibleInstall()',
      'GetCreateDesktopShortcut()',
      'SetRebootRequired(false)',
      'SetRunDesktop(true)',
      'SetEnableWindowsDefender(false)',
      'SetEnableWindowsFirewall(false)',
    ]);
    assert.ok(!(await wizard.visible('.screen-install .note')), 'the incompatibility note stays hidden');
    assert.ok(await wizard.page.isChecked('input.compatible'), 'the switch shows the kernel\'s setting');
    assert.ok(!(await wizard.page.isChecked('input.desktop-icon')));
    assert.ok(!(await wizard.page.isChecked('input.agreement')));
    assert.equal(await wizard.text('.button-main'), 'Compatible Install Install as 2nd line of defense');
  }));

test('interruptions and errors lead to their views from any view; floating progress shows the animation', () =>
  withWizard({}, async (wizard) => {
    await wizard.detect(5);
    await wizard.emit('updater_kernel', 'FloatingProgressSignal', true);
    assert.deepEqual(await shownScreens(wizard), ['.folding-cube']);
    await wizard.emit('updater_kernel', 'FloatingProgressSignal', false);
    assert.deepEqual(await shownScreens(wizard), ['.screen-install']);

    await wizard.click('input.agreement + .box');
    await wizard.click('.button-main');
    assert.equal(await wizard.route(), '#/detectInstall');
    await wizard.clearCalls();
    await wizard.emit('updater_kernel', 'InterruptedSignal');
    assert.deepEqual(await wizard.calls(), ['SetView("InstallInterrupted")']);
    assert.equal(await wizard.route(), '#/detectInterrupted');
    await wizard.emit('updater_kernel', 'ErrorSignal', 'disk failure');
    assert.equal(await wizard.route(), '#/detectErrors');
  }));

test('an error during detection leads to the errors view', () =>
  withWizard({}, async (wizard) => {
    await wizard.emit('updater_kernel', 'FloatingProgressSignal', false);
    assert.deepEqual(await shownScreens(wizard), ['.folding-cube'], 'still loading');
    await wizard.emit('updater_kernel', 'ErrorSignal', 'no network');
    assert.equal(await wizard.route(), '#/detectErrors');
  }));

test('the reboot screen: "Reboot Now" only when the kernel asks for it; "Close" asks only then', async (t) => {
  const table = [
    // kernel's RebootRequired answer, how the screen is left, the calls
    [false, ['.screen-reboot .close'], ['window_helpers.Close()']],
    [true, ['.reboot-now'], ['SetRebootRequired(true)', 'window_helpers.Close()']],
    [true, ['.screen-reboot .close', '.ngdialog .dialog-yes'], ['SetRebootRequired(true)', 'window_helpers.Close()']],
    [true, ['.screen-reboot .close', '.ngdialog .dialog-no'], ['window_helpers.Close()']],
    [true, ['.screen-reboot .close', '.ngdialog .dialog-close'], ['window_helpers.Close()']],
    [true, ['.screen-reboot .close', 'escape'], []],
    [true, ['.screen-reboot .close', 'overlay'], []],
  ];
  for (const [required, steps, calls] of table) {
    await t.test(`reboot required ${required}: ${steps.join(', ')}`, () => withWizard({
      answers: { 'updater_kernel.RebootRequired': required },
    }, async (wizard) => {
      await wizard.detect(1);
      assert.equal(await wizard.visible('.reboot-now'), required);
      await wizard.clearCalls();
      await wizard.click(steps[0]);
      if (steps[1]) {
        assert.deepEqual(await wizard.openDialogs(), ['Warning!']);
        await wizard.answerDialog(steps[1].replace('.ngdialog ', ''));
      }
      assert.deepEqual(await wizard.calls(), calls);
    }));
  }
});

test('the other screens\' buttons', async (t) => {
  const closeUpdater = 'Are you sure you want to close Korvane Antivirus Updater?';
  const table = [
    // scenario, button, dialog text or route, calls after "Yes"
    [4, '.screen-latest .close', null, ['window_helpers.Close()']],
    [15, '.screen-corrupted .close', 'Are you sure you want to cancel installation?', ['window_helpers.Close()']],
    [15, '.remove-files', '#/detectUninstall', ['Start()']],
    [2, '.screen-previous .cancel', closeUpdater, ['window_helpers.Close()']],
    [9, '.screen-uninstall .cancel', closeUpdater, ['window_helpers.Close()']],
    [9, '.screen-uninstall .remove', '#/detectProtection', []],
    [13, '.screen-change .cancel', closeUpdater, ['window_helpers.Close()']],
  ];
  for (const [scenario, button, outcome, calls] of table) {
    await t.test(`${scenario} ${button}`, () => withWizard({}, async (wizard) => {
      await wizard.detect(scenario);
      await wizard.clearCalls();
      await wizard.click(button);
      if (outcome && outcome.startsWith('#')) {
        assert.equal(await wizard.route(), outcome);
      } else if (outcome) {
        assert.deepEqual(await wizard.calls(), []);
        assert.equal(await wizard.text('.ngdialog .dialog-text'), outcome);
        await wizard.answerDialog('.dialog-no');
        assert.deepEqual(await wizard.calls(), [], '"No" changes nothing');
        await wizard.click(button);
        await wizard.answerDialog('.dialog-yes');
      }
      assert.deepEqual(await wizard.calls(), calls);
    }));
  }
});

test('repair or remove: the choice goes to the kernel, and "Back" on the uninstall screen returns', () =>
  withWizard({}, async (wizard) => {
    await wizard.detect(13);
    assert.ok(await wizard.page.isChecked('input.choice-repair'));
    await wizard.clearCalls();
    await wizard.click('.screen-change .next');
    assert.deepEqual(await wizard.calls(), ['SetScenario(12)']);

    await wizard.click('input.choice-remove + .radio');
    await wizard.click('.screen-change .next');
    assert.deepEqual((await wizard.calls()).slice(1), ['SetScenario(9)']);
    // The page waits for the kernel's answer before it moves on.
    assert.deepEqual(await shownScreens(wizard), ['.screen-change']);
    await wizard.detect(9);
    assert.ok(await wizard.visible('.screen-uninstall .back'));
    await wizard.clearCalls();
    await wizard.click('.screen-uninstall .back');
    assert.deepEqual(await wizard.calls(), ['SetScenario(13)']);
    await wizard.detect(13);
    assert.deepEqual(await shownScreens(wizard), ['.screen-change']);
  }));

test('the uninstall screen has no "Back" when the kernel detected the uninstall itself', () =>
  withWizard({}, async (wizard) => {
    await wizard.detect(9);
    assert.ok(!(await wizard.visible('.screen-uninstall .back')));
  }));
