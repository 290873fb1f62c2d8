'use strict';
// The completion view: the texts of each scenario, the reboot question asked for the
// removals only, and its buttons.
const test = require('node:test');
const assert = require('node:assert/strict');
const { pageTests } = require('./support/wizard');

const withWizard = pageTests(test);

const RELEASE = 'All Real-Time options are enabled by default for the best protection; however you can configure them depending on your needs anytime.';

// scenario, title, texts in order, restart button's label (null: the scenario never asks)
const TABLE = [
  [15, 'Removal process complete', [
    'Previous versions of Korvane Antivirus have been successfully removed. A reboot is required to complete this process. Please save your work and press “Restart your computer.”',
    'After the reboot, we\'ll continue the installation of your new version of Korvane Antivirus.'], 'Restart your computer'],
  [2, 'Restart your computer to complete the uninstall', [
    'Uninstallation was completed successfully. To finish previous version uninstallation, you need to restart your computer.',
    'Please continue Korvane Antivirus 12 installation after reboot.'], 'Reboot Now'],
  [3, 'Restart your computer to complete the uninstall', [
    'Uninstallation was completed successfully. To finish previous version uninstallation, you need to restart your computer.',
    'Please continue Korvane Antivirus 12 installation after reboot.'], 'Reboot Now'],
  [16, 'Please restart your computer to complete the installation of Korvane Antivirus 12', [
    'Korvane Antivirus 12 needs to restart your computer to install important drivers. Please select "Reboot Now" to proceed.',
    'Korvane Antivirus will continue the installation process once your computer has restarted.'], 'Reboot Now'],
  [9, 'Uninstallation Complete', [
    'Uninstallation complete! It is highly recommended that you restart your computer before installing any other protection services.'], 'Reboot Now'],
  [5, 'Installation Complete', [
    'Thank you for installing Korvane Antivirus.',
    'We strive to provide you the best available anti-malware protection with minimal impact on your computer speed so you can use your computer with no worries. Korvane Antivirus is configured to run in the background, protecting your computer every step of the way. If you would like to access its settings, double click the Korvane Antivirus icon on your desktop or in the System tray.',
    'To get Korvane Antivirus fully running on your PC, we recommend that you reboot your computer. Don’t forget to first save your work!'], null],
  [6, 'Update Successful', [
    'Thank you for installing the latest updates of Korvane Antivirus. Now you have the latest improvements and fixes that will increase the computer and network protection.',
    'Please be advised to follow program updates in the future to be up to date and help us to provide you with the best protection.'], null],
  [12, 'Repair process complete.', ['Korvane Antivirus has completed the repair process.'], null],
  [7, 'Real-Time Installation Successful', [
    'Thank you for installing Real-Time component. You are now fully protected against active threats while working on your computer and in the network.',
    RELEASE,
    'We strongly recommend that you do not use Real-Time options from several antivirus programs simultaneously.'], null],
  [8, 'Network Protection Installation Successful', [
    'Thank you for installing Network Protection component. You now have complete protection against malicious network activity.',
    RELEASE,
    'We strongly recommend that you do not use Network Protection options from several programs simultaneously.'], null],
  [17, 'Installation Successful!', [
    'Korvane Antivirus has successfully installed the required drivers. You can now enjoy the peace of mind that comes with robust online threat protection.',
    'We’ve enabled all security options by default for maximum protection but you can always customize them to your needs at any time.',
    'Please note that simultaneously running another antivirus software on your PC may result in serious conflicts and or errors.'], null],
  [11, 'Active Virus Control Installation Complete', [
    'Thank you for installing Active Virus Control component, a proactive detection technology. You now have robust protection against malicious actions at the process level.',
    'Active Virus Control feature is enabled by default and you can configure its settings located under Advanced Settings.',
    'We strongly recommend that you do not use the process monitoring components from different programs simultaneously.'], null],
];

test('each scenario\'s texts; only the removals ask whether a restart is needed', async (t) => {
  for (const [scenario, title, texts, restart] of TABLE) {
    await t.test(`scenario ${scenario}`, () => withWizard({ answers: { 'updater_kernel.RebootRequired': true } }, async (wizard) => {
      await wizard.clearCalls();
      await wizard.show('/detectComplete', scenario);
      assert.equal(await wizard.text('.view-complete .title'), title);
      assert.deepEqual(await wizard.paragraphs('.view-complete'), texts);
      assert.ok(await wizard.visible('.view-complete img[src="images/ico09.png"]'));
      assert.deepEqual(await wizard.calls(), restart ? ['RebootRequired()'] : []);
      assert.equal(await wizard.visible('.view-complete .restart'), restart !== null);
      if (restart) assert.equal(await wizard.text('.view-complete .restart'), restart);
    }));
  }
  for (const scenario of [0, 30, 1, 4, 13, 10, 14]) {
    await t.test(`scenario ${scenario}: the title only`, () => withWizard({ answers: { 'updater_kernel.RebootRequired': true } }, async (wizard) => {
      await wizard.clearCalls();
      await wizard.show('/detectComplete', scenario);
      assert.equal(await wizard.text('.view-complete'), 'Unknown error');
      assert.deepEqual(await wizard.calls(), []);
    }));
  }
});

test('the buttons: "Close" closes at once unless a restart is wanted, the restart button hands it to the kernel', async (t) => {
  // scenario, RebootRequired answer, what "Close" does
  const table = [
    [5, true, 'close'],
    [6, true, 'close'],
    [7, true, 'close'],
    [12, true, 'close'],
    [9, false, 'close'],
    [15, false, 'close'],
    [9, true, 'reboot question'],
    [15, true, 'reboot question'],
    [16, true, 'reboot question'],
  ];
  for (const [scenario, reboot, close] of table) {
    await t.test(`scenario ${scenario}, restart wanted: ${reboot}`, () => withWizard({ answers: { 'updater_kernel.RebootRequired': reboot } }, async (wizard) => {
      await wizard.show('/detectComplete', scenario);
      await wizard.clearCalls();
      await wizard.click('.view-complete .close');
      if (close === 'close') {
        assert.deepEqual(await wizard.calls(), ['window_helpers.Close()']);
        assert.deepEqual(await wizard.openDialogs(), []);
        return;
      }
      assert.deepEqual(await wizard.calls(), []);
      assert.deepEqual(await wizard.openDialogs(), ['Warning!']);
      await wizard.answerDialog('.dialog-yes');
      assert.deepEqual(await wizard.calls(), ['SetRebootRequired(true)', 'window_helpers.Close()']);
    }));
  }
  await t.test('"Reboot Later" closes without a restart', () => withWizard({ answers: { 'updater_kernel.RebootRequired': true } }, async (wizard) => {
    await wizard.show('/detectComplete', 2);
    await wizard.clearCalls();
    await wizard.click('.view-complete .close');
    await wizard.answerDialog('.dialog-no');
    assert.deepEqual(await wizard.calls(), ['window_helpers.Close()']);
  }));
  for (const scenario of [15, 9]) {
    await t.test(`restart button, scenario ${scenario}`, () => withWizard({ answers: { 'updater_kernel.RebootRequired': true } }, async (wizard) => {
      await wizard.show('/detectComplete', scenario);
      await wizard.clearCalls();
      await wizard.click('.view-complete .restart');
      assert.deepEqual(await wizard.calls(), ['SetRebootRequired(true)', 'window_helpers.Close()']);
    }));
  }
});
