'use strict';
// Every scenario's path through the wizard in the real window with the simulated kernel:
// the route and screen reached, what the kernel received, and a clean exit when the page
// closes the window.
const test = require('node:test');
const assert = require('node:assert/strict');
const { startDisplay } = require('./support/display');
const { Updater, waitFor } = require('./support/updater');
const { Steps, inOrder } = require('./support/steps');

let display;
test.before(async () => { display = await startDisplay(); });
test.after(async () => { await display.stop(); });

// Runs the updater with the simulation settings, hands it to body, and then expects the
// program to have ended with `exitCode` (0 unless said otherwise) after body's last step.
async function scenario(simulation, body, exitCode = 0) {
  const updater = await Updater.start({ display: display.display, simulation });
  try {
    const steps = new Steps(updater);
    await body(steps, updater);
    const { code } = await Promise.race([updater.exited,
      new Promise((_, reject) => setTimeout(() => reject(new Error('the program did not end')), 20000))]);
    assert.equal(code, exitCode, updater.stderr);
  } finally {
    await updater.stop();
  }
}

function assertJournal(updater, wanted) {
  const journal = updater.journal();
  assert.ok(inOrder(journal, wanted), `expected in order:\n${wanted.join('\n')}\n--- journal:\n${journal.join('\n')}`);
  return journal;
}

async function completion(steps, title) {
  await steps.waitRoute('#/detectComplete');
  await steps.waitVisible('.view-complete .title');
  assert.equal(await steps.text('.view-complete .title'), title);
  // Its picture comes from the program's resources.
  await steps.updater.waitFor("document.querySelector('.view-complete .picture').naturalWidth > 0", 'the picture');
}

test('Install with the offer: yes, homepage ticked, "Continue" in the dialog, to completion', () =>
  scenario('scenario=Install,offer=3,step_ms=5', async (steps, updater) => {
    await steps.acceptInstall();
    await steps.waitRoute('#/detectOffers');
    await steps.updater.waitFor("document.querySelector('.homepage-label').innerText.includes('Google')", 'the partner');
    await steps.click('input.offer-yes + .radio');
    await steps.click('.view-offers .continue');
    assert.deepEqual(await steps.openDialogs(), ['Warning!']);
    await steps.answerDialog('.dialog-yes');
    await completion(steps, 'Installation Complete');
    // The facade hands the offer decisions to the kernel's offer object.
    assertJournal(updater, ['call SetView License', 'call SetView Tessa', 'call SetChangeHomepage 1',
      'call SetChangeSearch 1', 'call SetSkip 0', 'call SetView Installing', 'call Start', 'event Complete',
      'call SetView InstallComplete']);
    assert.equal(await updater.evaluate("!!document.querySelector('.view-complete .restart')"), false);
    await steps.clickToClose('.view-complete .close');
  }));

test('Install without an offer goes from the install screen straight to the run', () =>
  scenario('scenario=Install,offer=0,step_ms=5', async (steps, updater) => {
    await steps.acceptInstall();
    await steps.waitRoute('#/detectInstall');
    await completion(steps, 'Installation Complete');
    const journal = assertJournal(updater, ['call SetView License', 'call Start', 'event Complete', 'call SetView InstallComplete']);
    assert.ok(!journal.some((line) => /SetSkip|SetChange/.test(line)), journal.join('\n'));
    await steps.clickToClose('.view-complete .close');
  }));

test('Update runs without a question and reports no "InstallComplete"', () =>
  scenario('scenario=Update,step_ms=5', async (steps, updater) => {
    await completion(steps, 'Update Successful');
    const journal = assertJournal(updater, ['call SetView Installing', 'call Start', 'event Complete']);
    assert.ok(!journal.includes('call SetView InstallComplete'));
    await steps.clickToClose('.view-complete .close');
  }));

test('UninstallKV11 to the completion screen and the reboot dialog', () =>
  scenario('scenario=UninstallKV11,reboot=1,step_ms=5', async (steps, updater) => {
    await steps.click('.screen-previous .continue');
    await steps.waitRoute('#/detectUninstall');
    await completion(steps, 'Please restart your computer to complete the installation of Korvane Antivirus 12');
    assert.equal(await steps.text('.view-complete .restart'), 'Reboot Now');
    await steps.click('.view-complete .close');
    assert.deepEqual(await steps.openDialogs(), ['Warning!']);
    assertJournal(updater, ['call SetView UninstallKorvane11', 'call Start', 'event Complete', 'call RebootRequired']);
    await steps.clickToClose('.ngdialog .dialog-no');
  }));

test('Corrupted: the old files removed, to completion', () =>
  scenario('scenario=Corrupted,step_ms=5', async (steps, updater) => {
    await steps.click('.screen-corrupted .remove-files');
    await steps.waitRoute('#/detectUninstall');
    await completion(steps, 'Removal process complete');
    assertJournal(updater, ['call SetView Corrupted', 'call Start', 'event Complete']);
    await steps.clickToClose('.view-complete .close');
  }));

test('Uninstall through the protection view ("Next", "Yes") to completion', () =>
  scenario('scenario=Uninstall,step_ms=5', async (steps, updater) => {
    await steps.click('.screen-uninstall .remove');
    await steps.waitRoute('#/detectProtection');
    await steps.click('input.firewall + .box');
    await steps.click('.view-protection .next');
    await steps.answerDialog('.dialog-yes');
    await completion(steps, 'Uninstallation Complete');
    const journal = assertJournal(updater, ['call SetView Uninstall', 'call SetEnableWindowsDefender 1',
      'call SetEnableWindowsFirewall 0', 'call Start', 'event Complete']);
    // The simulated removal reports the full-protection components: compatible mode ends off.
    const compatible = journal.filter((line) => line.startsWith('call SetCompatibleInstall'));
    assert.equal(compatible[compatible.length - 1], 'call SetCompatibleInstall 0', journal.join('\n'));
    await steps.clickToClose('.view-complete .close');
  }));

test('Change, repair: to completion', () =>
  scenario('scenario=Change,step_ms=5', async (steps, updater) => {
    await steps.click('.screen-change .next');
    await steps.waitRoute('#/detectRepair');
    await completion(steps, 'Repair process complete.');
    assertJournal(updater, ['call SetScenario 12', 'call SetView Installing', 'call Start', 'event Complete']);
    await steps.clickToClose('.view-complete .close');
  }));

test('Change, remove, "Back", then repair', () =>
  scenario('scenario=Change,step_ms=5', async (steps, updater) => {
    await steps.click('.screen-change .choice-remove + .radio');
    await steps.click('.screen-change .next');
    await steps.click('.screen-uninstall .back');
    await steps.click('.screen-change .choice-repair + .radio');
    await steps.click('.screen-change .next');
    await steps.waitRoute('#/detectRepair');
    await completion(steps, 'Repair process complete.');
    assertJournal(updater, ['call SetScenario 9', 'call SetView Uninstall', 'call SetScenario 13', 'call SetScenario 12',
      'call Start', 'event Complete']);
    await steps.clickToClose('.view-complete .close');
  }));

test('Repair interrupted through the cancel dialog', () =>
  scenario('scenario=Repair,step_ms=300', async (steps, updater) => {
    await steps.waitRoute('#/detectRepair');
    await steps.waitJournal('call Start');
    await steps.click('.view-progress .cancel');
    assert.deepEqual(await steps.openDialogs(), ['Cancel']);
    await steps.answerDialog('.dialog-yes');
    await steps.waitRoute('#/detectInterrupted');
    await steps.waitVisible('.view-interrupted .title');
    assert.equal(await steps.text('.view-interrupted .title'), 'Your Korvane Antivirus repairing process was cancelled');
    assertJournal(updater, ['call Start', 'call Interrupt', 'event Interrupted', 'call SetView InstallInterrupted']);
    await steps.clickToClose('.view-interrupted .close');
  }));

test('Update completing while the cancel question is open: "Yes" after the end interrupts nothing', () =>
  scenario('scenario=Update,step_ms=25', async (steps, updater) => {
    await steps.waitRoute('#/detectInstall');
    await steps.waitJournal('call Start');
    await steps.click('.view-progress .cancel');
    assert.deepEqual(await steps.openDialogs(), ['Cancel']);
    assert.ok(!updater.journal().includes('event Complete'), 'the run ended before the question was open');
    await steps.waitJournal('event Complete');
    await completion(steps, 'Update Successful');
    // The answer comes after the end: whatever is left of the question gets the click.
    await updater.evaluate("document.querySelectorAll('.ngdialog .dialog-yes').forEach((b) => b.click()), true");
    await updater.waitFor("document.querySelectorAll('.ngdialog').length === 0", 'the question to go');
    await new Promise((resolve) => setTimeout(resolve, 500));
    assert.equal(await steps.text('.view-complete .title'), 'Update Successful');
    const journal = assertJournal(updater, ['call Start', 'event Complete']);
    const after = journal.slice(journal.indexOf('event Complete'));
    assert.ok(!after.some((line) => /Interrupt/.test(line)), journal.join('\n'));
    await steps.clickToClose('.view-complete .close');
  }));

test('RebootRequired: "Reboot Now" hands the restart to the kernel and ends the program', () =>
  scenario('scenario=RebootRequired,reboot=1', async (steps, updater) => {
    await steps.clickToClose('.screen-reboot .reboot-now');
    await updater.exited;
    assertJournal(updater, ['call SetView RebootRequired', 'call SetRebootRequired 1']);
  }));

test('LatestVersion: the message screen\'s "Close" ends the program', () =>
  scenario('scenario=LatestVersion', async (steps, updater) => {
    await steps.waitVisible('.screen-latest');
    assertJournal(updater, ['call Init', 'call SetView LatestVersion']);
    await steps.clickToClose('.screen-latest .close');
  }));

test('AlreadyStarted: the errors view', () =>
  scenario('scenario=AlreadyStarted', async (steps, updater) => {
    await steps.waitRoute('#/detectErrors');
    await steps.waitVisible('.view-errors .title');
    assert.equal(await steps.text('.view-errors .title'), 'Installation manager is already started');
    // Reported by the welcome view and again by the errors view.
    await waitFor(() => updater.journal().filter((line) => line === 'call SetView AlreadyStarted').length === 2,
      'the second "AlreadyStarted"');
    await steps.clickToClose('.view-errors .close');
  }));

test('an error during an install: the errors view with the install\'s texts', () =>
  scenario('scenario=Install,offer=0,outcome=error,step_ms=5', async (steps, updater) => {
    await steps.acceptInstall();
    await steps.waitRoute('#/detectErrors');
    await steps.waitVisible('.view-errors .title');
    assert.equal(await steps.text('.view-errors .title'), 'Installation Error');
    assertJournal(updater, ['call Start', 'event Error Failed to install component AntimalwareEngine. Error code 1603']);
    await steps.clickToClose('.view-errors .close');
  }));

test('a full disk: "Retry" starts the run again, to completion', () =>
  scenario('scenario=Install,offer=0,disk_full=1,step_ms=5', async (steps, updater) => {
    await steps.acceptInstall();
    await steps.waitVisible('.ngdialog .dialog-yes');
    assert.deepEqual(await steps.openDialogs(), ['Warning!']);
    assert.equal(await steps.text('.ngdialog .dialog-text'), 'There is not enough disk space on your hard drive.');
    await steps.answerDialog('.dialog-yes');
    await completion(steps, 'Installation Complete');
    const journal = assertJournal(updater, ['call Start', 'event NotEnoughDiskSpace', 'call Start', 'event Complete']);
    assert.equal(journal.filter((line) => line === 'call Start').length, 2);
    await steps.clickToClose('.view-complete .close');
  }));
