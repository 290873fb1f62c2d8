'use strict';
// The two views that end a run that did not succeed: interrupted and errors, reached
// through the welcome view's page-wide handlers.
const test = require('node:test');
const assert = require('node:assert/strict');
const { pageTests } = require('./support/wizard');

const withWizard = pageTests(test);

test('the interruption view: each scenario\'s title, the feedback line for installs and updates only', async (t) => {
  const UNINSTALL = 'Your Korvane Antivirus uninstallation was cancelled';
  const INSTALL = 'Your Korvane Antivirus installation was cancelled';
  // scenario, title (null: the unknown screen), feedback line
  const table = [
    [2, UNINSTALL, false], [3, UNINSTALL, false], [9, UNINSTALL, false],
    [16, 'Your Korvane Antivirus update was cancelled', false],
    [5, INSTALL, true], [6, INSTALL, true],
    [12, 'Your Korvane Antivirus repairing process was cancelled', false],
    [7, 'Your Real-Time protection installation was cancelled', false],
    [8, 'Your Network Protection installation was cancelled', false],
    [17, 'Driver installation cancelled', false],
    [11, 'Your Korvane Active Virus Control installation was cancelled', false],
    [30, null], [0, null], [15, null], [13, null], [4, null],
  ];
  for (const [scenario, title, feedback] of table) {
    await t.test(`scenario ${scenario}`, () => withWizard({}, async (wizard) => {
      // The scenario as the welcome view left it; the interruption arrives from the welcome screen.
      await wizard.evaluate((s) => { angular.element(document.documentElement).scope().GetScenario = s; }, scenario);
      await wizard.clearCalls();
      await wizard.emit('updater_kernel', 'InterruptedSignal');
      assert.equal(await wizard.route(), '#/detectInterrupted');
      if (!title) {
        assert.equal(await wizard.text('.view-interrupted'), 'Unknown error');
        assert.equal(await wizard.page.locator('.view-interrupted button, .view-interrupted img').count(), 0);
        return;
      }
      assert.equal(await wizard.text('.view-interrupted .title'), title);
      assert.ok(await wizard.visible('.view-interrupted img[src="images/ico08.png"]'));
      assert.deepEqual(await wizard.paragraphs('.view-interrupted'),
        feedback ? ['Help us improve Korvane Antivirus... Tell us what made you cancel.'] : []);
      if (feedback) await wizard.click('.tell-us');
      await wizard.click('.view-interrupted .close');
      assert.deepEqual(await wizard.calls(), [
        'SetView("InstallInterrupted")', ...(feedback ? ['ExecUrl(10)'] : []), 'window_helpers.Close()']);
    }));
  }
});

test('the errors view: each scenario\'s texts and its "Close"; the general text for the rest', async (t) => {
  const UNINSTALL = ['Uninstallation Error',
    'Korvane Antivirus has encountered an error during uninstallation. We are sorry for the inconvenience.',
    'Please close the program and try uninstalling it again.'];
  const GENERAL = ['Unknown error',
    'Korvane Antivirus has encountered an error. We are sorry for the inconvenience. Please close the window and try again.'];
  // scenario, [title, texts...], screen name the view reports
  const table = [
    [5, ['Installation Error',
      'Korvane Antivirus has encountered an error during installation. We are sorry for the inconvenience.',
      'Please close the program and try installing it again.']],
    [6, UNINSTALL], [9, UNINSTALL], [2, UNINSTALL], [3, UNINSTALL],
    [16, ['Update Error',
      'Korvane Antivirus has encountered an error during update. We are sorry for the inconvenience.',
      'Please close the program and try updating it again.']],
    [12, ['Repair error',
      'Korvane Antivirus has encountered an error while repairing the program. We are sorry for the inconvenience.',
      'Please close the program and try to start the repairing process again.']],
    [7, ['Real-Time Protection installation error',
      'Korvane Antivirus has encountered an error during the Real-Time Protection installation. We are sorry for the inconvenience.',
      'Please close the program and try installing Real-Time Protection again.']],
    [8, ['Network Protection installation error',
      'Korvane Antivirus has encountered an error during the Network Protection installation. We are sorry for the inconvenience.',
      'Please close the program and try installing Network Protection again.']],
    [17, ['Driver installation failed',
      'Korvane Antivirus has encountered an error during the Features installation. We are sorry for the inconvenience.',
      'Please close the program and try updating it again.']],
    [11, ['Active Virus Control installation error',
      'Korvane Antivirus has encountered an error during the Active Virus Control installation. We are sorry for the inconvenience.',
      'Please close the program and try installing Active Virus Control again.']],
    [14, ['Korvane Antivirus has been detected on this computer',
      'Korvane Antivirus is currently installed on this computer, therefore, you cannot install this software.'], 'VeltrionDetected'],
    [10, ['Installation manager is already started'], 'AlreadyStarted'],
    [0, ['Unknown error']],
    [30, GENERAL], [15, GENERAL], [4, GENERAL], [13, GENERAL], [1, GENERAL],
  ];
  for (const [scenario, [title, ...texts], view] of table) {
    await t.test(`scenario ${scenario}`, () => withWizard({}, async (wizard) => {
      await wizard.clearCalls();
      await wizard.show('/detectErrors', scenario);
      assert.equal(await wizard.text('.view-errors .title'), title);
      assert.deepEqual(await wizard.paragraphs('.view-errors'), texts);
      assert.ok(await wizard.visible('.view-errors img[src="images/ico08.png"]'));
      await wizard.click('.view-errors .close');
      assert.deepEqual(await wizard.calls(), [...(view ? [`SetView("${view}")`] : []), 'window_helpers.Close()']);
    }));
  }
});

test('an error before any scenario shows the general screen; a later error replaces the title', () =>
  withWizard({}, async (wizard) => {
    assert.equal(await wizard.scope('GetScenario'), 30);
    await wizard.emit('updater_kernel', 'ErrorSignal', 'Failed to install component AntimalwareEngine. Error code 1603');
    assert.equal(await wizard.route(), '#/detectErrors');
    assert.equal(await wizard.text('.view-errors .title'), 'Unknown error');
    assert.deepEqual(await wizard.paragraphs('.view-errors'), [
      'Korvane Antivirus has encountered an error. We are sorry for the inconvenience. Please close the window and try again.']);
    assert.ok(await wizard.visible('.view-errors .close'));

    await wizard.emit('updater_kernel', 'ErrorSignal', 'Disk I/O failed');
    assert.equal(await wizard.text('.view-errors .title'), 'Disk I/O failed');
    // A text the catalog holds shows translated.
    await wizard.evaluate(() => {
      const catalog = angular.element(document.documentElement).injector().get('gettextCatalog');
      catalog.setStrings('de', { 'Installation Error': 'Installationsfehler' });
      angular.element(document.documentElement).injector().get('$rootScope').$apply(() => catalog.setCurrentLanguage('de'));
    });
    await wizard.emit('updater_kernel', 'ErrorSignal', 'Installation Error');
    assert.equal(await wizard.text('.view-errors .title'), 'Installationsfehler');
  }));
