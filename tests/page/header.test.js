'use strict';
// The header: the close-request rules, the kernel's two warnings and the dialog box's
// answers, and the closing of open dialogs before a new one.
const test = require('node:test');
const assert = require('node:assert/strict');
const { pageTests } = require('./support/wizard');

const withWizard = pageTests(test);

const CLOSE = ['window_helpers.Close()'];
const REBOOT = ['SetRebootRequired(true)', 'window_helpers.Close()'];
const closeUpdater = ['Cancel', 'Are you sure you want to close Korvane Antivirus Updater?'];
const cancelInstallation = ['Cancel', 'Are you sure you want to cancel installation?'];
const cancelUpdate = ['Cancel', 'Are you sure you want to cancel update?'];
const cancelUninstallation = ['Cancel', 'Are you sure you want to cancel uninstallation?'];
const cancelRepair = ['Cancel', 'Are you sure you want to cancel repair?'];
const reboot = ['Warning!', 'Although you can run your computer with Korvane Antivirus perfectly without rebooting, '
  + 'it is highly recommended that you reboot now to avoid issues further down the line.'];

// Brings the page to a scenario (null: none detected yet) and a run state.
async function arrange(wizard, scenario, run) {
  if (scenario !== null) await wizard.detect(scenario);
  for (const signal of run) await wizard.emit('updater_kernel', `${signal}Signal`, ...(signal === 'Error' ? ['failed'] : []));
  await wizard.clearCalls();
}

test('a close request follows the first matching rule', async (t) => {
  // scenario, run signals so far, dialog shown (null: closes at once), calls on "Yes"
  const rules = [
    [null, [], null],
    [0, [], null],
    [4, [], null],
    [10, [], null],
    [14, [], null],
    [11, ['Started'], null],
    [5, ['Started', 'Error'], null],
    [5, ['Started', 'Interrupted'], null],
    [5, ['Started', 'Complete'], null],
    [5, ['Started'], cancelInstallation, CLOSE],
    [5, [], closeUpdater, CLOSE],
    [6, ['Started'], cancelUpdate, CLOSE],
    [6, [], closeUpdater, CLOSE],
    [6, ['Started', 'Complete'], null],
    [15, ['Started'], closeUpdater, CLOSE],
    [15, ['Started', 'Complete'], null],
    [9, ['Started', 'Error'], null],
    [9, ['Started'], cancelUninstallation, ['Interrupt()']],
    [2, ['Started'], cancelUninstallation, ['Interrupt()']],
    [16, ['Started'], ['Cancel', cancelUpdate[1]], ['Interrupt()']],
    [2, ['Started', 'Complete'], reboot, REBOOT],
    [3, ['Started', 'Complete'], reboot, REBOOT],
    [16, ['Started', 'Complete'], reboot, REBOOT],
    [9, ['Started', 'Complete'], null],
    [9, [], closeUpdater, CLOSE],
    [16, [], closeUpdater, CLOSE],
    [13, [], closeUpdater, CLOSE],
    [13, ['Started', 'Complete'], closeUpdater, CLOSE],
    [12, [], cancelRepair, ['Interrupt()']],
    [12, ['Started'], cancelRepair, ['Interrupt()']],
    [12, ['Started', 'Interrupted'], null],
    [12, ['Started', 'Complete'], null],
    [1, [], reboot, REBOOT],
    [7, ['Started'], reboot, REBOOT],
    [8, ['Started', 'Complete'], reboot, REBOOT],
    [17, ['Started', 'Error'], reboot, REBOOT],
  ];
  for (const [scenario, run, dialog, onYes] of rules) {
    await t.test(`scenario ${scenario} after [${run.join(', ')}]`, () => withWizard({}, async (wizard) => {
      await arrange(wizard, scenario, run);
      await wizard.emit('window_helpers', 'WindowCloseRequestSignal');
      if (!dialog) {
        assert.deepEqual(await wizard.calls(), CLOSE);
        assert.deepEqual(await wizard.openDialogs(), []);
        return;
      }
      assert.deepEqual(await wizard.calls(), []);
      assert.deepEqual(await wizard.openDialogs(), [dialog[0]]);
      assert.equal(await wizard.text('.ngdialog .dialog-text'), dialog[1]);
      await wizard.answerDialog('.dialog-yes');
      assert.deepEqual(await wizard.calls(), onYes);
    }));
  }
});

test('"Yes" to cancelling an uninstallation closes the window when the run ended meanwhile', () =>
  withWizard({}, async (wizard) => {
    await arrange(wizard, 9, ['Started']);
    await wizard.emit('window_helpers', 'WindowCloseRequestSignal');
    await wizard.emit('updater_kernel', 'CompleteSignal');
    await wizard.answerDialog('.dialog-yes');
    assert.deepEqual(await wizard.calls(), CLOSE);
  }));

test('the kernel\'s warnings: "Retry" starts again, every other answer closes or interrupts', async (t) => {
  const warnings = [
    ['NotEnoughDiskSpace', 'There is not enough disk space on your hard drive.', CLOSE],
    ['AnotherInstallationInProgress',
      'Another program installation is already in progress. Complete that installation before proceeding with this install.',
      ['Interrupt()']],
  ];
  for (const [signal, text, negative] of warnings) {
    for (const how of ['.dialog-yes', '.dialog-no', '.dialog-close', 'escape', 'overlay']) {
      await t.test(`${signal}: ${how}`, () => withWizard({}, async (wizard) => {
        await arrange(wizard, 5, ['Started']);
        await wizard.emit('updater_kernel', `${signal}Signal`);
        assert.deepEqual(await wizard.openDialogs(), ['Warning!']);
        assert.equal(await wizard.text('.ngdialog .dialog-text'), text);
        assert.deepEqual(await wizard.calls(), []);
        await wizard.answerDialog(how);
        assert.deepEqual(await wizard.openDialogs(), []);
        assert.deepEqual(await wizard.calls(), how === '.dialog-yes' ? ['Start()'] : negative);
      }));
    }
  }
});

test('the disk-space warning shows one line even after the busy warning', () =>
  withWizard({}, async (wizard) => {
    await arrange(wizard, 5, ['Started']);
    await wizard.emit('updater_kernel', 'AnotherInstallationInProgressSignal');
    await wizard.answerDialog('.dialog-yes');
    await wizard.emit('updater_kernel', 'NotEnoughDiskSpaceSignal');
    assert.equal(await wizard.text('.ngdialog:not(.ngdialog-closing) .dialog-text'),
      'There is not enough disk space on your hard drive.');
  }));

test('a close request first ends the open dialogs with their negative answer', async (t) => {
  const table = [
    // how the open dialog came, scenario, its negative answer's calls, the dialog after
    ['compatible-mode question', 5, ['SetCompatibleInstall(false)'], 'Cancel'],
    ['disk-space warning', 15, CLOSE, 'Cancel'],
    ['busy warning', 12, ['Interrupt()'], 'Cancel'],
    ['busy warning', 1, ['Interrupt()'], 'Warning!'],
  ];
  for (const [opened, scenario, negative, after] of table) {
    await t.test(`${opened}, scenario ${scenario}`, () => withWizard({}, async (wizard) => {
      await arrange(wizard, scenario, []);
      if (opened === 'compatible-mode question') await wizard.click('input.compatible + .box');
      else await wizard.emit('updater_kernel', opened === 'busy warning' ? 'AnotherInstallationInProgressSignal' : 'NotEnoughDiskSpaceSignal');
      assert.equal((await wizard.openDialogs()).length, 1);

      await wizard.emit('window_helpers', 'WindowCloseRequestSignal');
      assert.deepEqual(await wizard.calls(), negative);
      assert.deepEqual(await wizard.openDialogs(), [after]);
      await wizard.page.waitForFunction(() => document.querySelectorAll('.ngdialog').length === 1);
    }));
  }
});
