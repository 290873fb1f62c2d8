'use strict';
// Odd orders of kernel events, values and clicks: a kernel that repeats, reorders or
// contradicts itself, or a run that ends while the user is being asked about it. Each row
// is a sequence of steps and what must follow: the route, the open dialogs (title and
// text) and the channel calls made after the last "clear".
const test = require('node:test');
const assert = require('node:assert/strict');
const { pageTests } = require('./support/wizard');

const withWizard = pageTests(test);

const K = 'updater_kernel';
const CANCEL_INSTALL = ['Cancel', 'Are you sure you want to cancel installation?'];
const CLOSE_UPDATER = ['Cancel', 'Are you sure you want to close Korvane Antivirus Updater?'];
const DISK = ['Warning!', 'There is not enough disk space on your hard drive.'];
const BUSY = ['Warning!', 'Another program installation is already in progress. '
  + 'Complete that installation before proceeding with this install.'];
const ERROR_TEXT = 'Failed to install component AntimalwareEngine. Error code 1603';

// Steps: [action, ...arguments].
//   detect s | show route s | emit Signal ...args | closeRequest | click selector |
//   answer how (of the top dialog) | answerFirst button (the bottom dialog, in its own DOM) |
//   yesAfterEnd (a click on the question's "Yes" that comes after the run ended) | clear
const ON_INSTALL_PROGRESS = [['show', '/detectInstall', 5], ['emit', 'StartedSignal'], ['clear']];
const ASKING_TO_CANCEL = [...ON_INSTALL_PROGRESS, ['click', '.view-progress .cancel']];

const rows = [
  // A question about the run closes, unanswered, when the run ends first.
  ['cancel question, then the run completes', ASKING_TO_CANCEL.concat([['emit', 'CompleteSignal'], ['yesAfterEnd']]),
    { route: '/detectComplete', dialogs: [], calls: ['SetView("InstallComplete")'] }],
  ['cancel question, then the run fails', ASKING_TO_CANCEL.concat([['emit', 'ErrorSignal', ERROR_TEXT], ['yesAfterEnd']]),
    { route: '/detectErrors', dialogs: [], calls: [] }],
  ['cancel question, then the kernel interrupts', ASKING_TO_CANCEL.concat([['emit', 'InterruptedSignal']]),
    { route: '/detectInterrupted', dialogs: [], calls: ['SetView("InstallInterrupted")'] }],
  ['cancel question answered while the run goes', ASKING_TO_CANCEL.concat([['answer', '.dialog-yes']]),
    { route: '/detectInstall', dialogs: [], calls: ['Interrupt()'] }],
  ['busy warning, then the run fails', ON_INSTALL_PROGRESS.concat([['emit', 'AnotherInstallationInProgressSignal'],
    ['emit', 'ErrorSignal', ERROR_TEXT]]), { route: '/detectErrors', dialogs: [], calls: [] }],
  ['disk-space warning, then the run completes', ON_INSTALL_PROGRESS.concat([['emit', 'NotEnoughDiskSpaceSignal'],
    ['emit', 'CompleteSignal']]), { route: '/detectComplete', dialogs: [], calls: ['SetView("InstallComplete")'] }],
  // A close request's question is about closing the window: it stays, and once the run has
  // ended "Yes" closes instead of interrupting.
  ['repair: close request, the run completes, "Yes"', [['show', '/detectRepair', 12], ['emit', 'StartedSignal'],
    ['closeRequest'], ['emit', 'CompleteSignal'], ['clear'], ['answer', '.dialog-yes']],
  { route: '/detectComplete', dialogs: [], calls: ['window_helpers.Close()'] }],
  ['uninstall: close request, the run fails, "Yes"', [['show', '/detectUninstall', 9], ['emit', 'StartedSignal'],
    ['closeRequest'], ['emit', 'ErrorSignal', ERROR_TEXT], ['clear'], ['answer', '.dialog-yes']],
  { route: '/detectErrors', dialogs: [], calls: ['window_helpers.Close()'] }],

  // One dialog per warning, each with its own text and its own answer.
  ['the disk-space warning twice', ON_INSTALL_PROGRESS.concat([['emit', 'NotEnoughDiskSpaceSignal'],
    ['emit', 'NotEnoughDiskSpaceSignal']]), { dialogs: [DISK], calls: [] }],
  ['the busy warning twice, "Retry"', ON_INSTALL_PROGRESS.concat([['emit', 'AnotherInstallationInProgressSignal'],
    ['emit', 'AnotherInstallationInProgressSignal'], ['answer', '.dialog-yes']]), { dialogs: [], calls: ['Start()'] }],
  ['busy, then disk space: two boxes, each its text', ON_INSTALL_PROGRESS.concat([
    ['emit', 'AnotherInstallationInProgressSignal'], ['emit', 'NotEnoughDiskSpaceSignal']]),
  { dialogs: [BUSY, DISK], calls: [] }],
  ['busy, then disk space: "Cancel" on the busy box interrupts', ON_INSTALL_PROGRESS.concat([
    ['emit', 'AnotherInstallationInProgressSignal'], ['emit', 'NotEnoughDiskSpaceSignal'], ['answerFirst', '.dialog-no']]),
  { dialogs: [DISK], calls: ['Interrupt()'] }],

  // No run started twice, no outcome undone.
  ['a detection while the run goes', ON_INSTALL_PROGRESS.concat([['emit', 'ScenarioDetectedSignal', 12]]),
    { route: '/detectInstall', title: ['.progress-title', 'Installing...'], calls: [] }],
  ['a detection after the run failed', ON_INSTALL_PROGRESS.concat([['emit', 'ErrorSignal', ERROR_TEXT],
    ['clear'], ['emit', 'ScenarioDetectedSignal', 6]]), { route: '/detectErrors', calls: [] }],
  ['Complete after Error', ON_INSTALL_PROGRESS.concat([['emit', 'ErrorSignal', ERROR_TEXT], ['emit', 'CompleteSignal']]),
    { route: '/detectErrors', title: ['.view-errors .title', 'Installation Error'], calls: [] }],
  ['Complete twice', ON_INSTALL_PROGRESS.concat([['emit', 'CompleteSignal'], ['emit', 'CompleteSignal']]),
    { route: '/detectComplete', calls: ['SetView("InstallComplete")'] }],
  ['Interrupted twice', ON_INSTALL_PROGRESS.concat([['emit', 'InterruptedSignal'], ['emit', 'InterruptedSignal']]),
    { route: '/detectInterrupted', calls: ['SetView("InstallInterrupted")'] }],
  ['Interrupted after Error', ON_INSTALL_PROGRESS.concat([['emit', 'ErrorSignal', ERROR_TEXT], ['emit', 'InterruptedSignal']]),
    { route: '/detectErrors', calls: [] }],
  ['Error after Complete', ON_INSTALL_PROGRESS.concat([['emit', 'CompleteSignal'], ['emit', 'ErrorSignal', ERROR_TEXT]]),
    { route: '/detectComplete', calls: ['SetView("InstallComplete")'] }],
  ['a warning after the run completed', ON_INSTALL_PROGRESS.concat([['emit', 'CompleteSignal'],
    ['emit', 'NotEnoughDiskSpaceSignal']]), { route: '/detectComplete', dialogs: [], calls: ['SetView("InstallComplete")'] }],
  ['an error during detection still leads to the errors view', [['emit', 'ErrorSignal', ERROR_TEXT]],
    { route: '/detectErrors', title: ['.view-errors .title', 'Unknown error'] }],
  ['a second error while the errors view shows: its text', ON_INSTALL_PROGRESS.concat([['emit', 'ErrorSignal', 'first'],
    ['emit', 'ErrorSignal', ERROR_TEXT]]), { route: '/detectErrors', title: ['.view-errors .title', ERROR_TEXT] }],
  ['an interruption from the install screen', [['detect', 5], ['clear'], ['emit', 'InterruptedSignal']],
    { route: '/detectInterrupted', calls: ['SetView("InstallInterrupted")'] }],

  // The install screen rebuilt by a second detection shows what the kernel is told.
  ['desktop icon unticked, then detected again', [['detect', 5], ['click', 'input.desktop-icon + .box'],
    ['clear'], ['detect', 5]], { route: '/detectWelcome', checked: { 'input.desktop-icon': true, 'input.compatible': false },
    told: ['SetCreateDesktopShortcut(true)', 'SetCompatibleInstall(false)'] }],
  ['compatible mode chosen, then detected again', [['detect', 5], ['click', 'input.compatible + .box'],
    ['answer', '.dialog-yes'], ['clear'], ['detect', 5]], { checked: { 'input.compatible': false },
    told: ['SetCompatibleInstall(false)'] }],
].map(([name, steps, expected]) => ({ name, steps, expected }));

async function play(wizard, [action, ...args]) {
  switch (action) {
    case 'detect': return wizard.detect(args[0]);
    case 'show': return wizard.show(args[0], args[1]);
    case 'emit': return wizard.emit(K, args[0], ...args.slice(1));
    case 'closeRequest': return wizard.emit('window_helpers', 'WindowCloseRequestSignal');
    case 'click': return wizard.click(args[0]);
    case 'answer': return wizard.answerDialog(args[0]);
    case 'answerFirst':
      await wizard.evaluate((button) => document.querySelector(`.ngdialog:not(.ngdialog-closing) ${button}`).click(), args[0]);
      return wizard.settle();
    case 'yesAfterEnd':
      // Whatever is left of the question (a box on its way out) gets the click.
      await wizard.evaluate(() => document.querySelectorAll('.ngdialog .dialog-yes').forEach((button) => button.click()));
      return wizard.settle();
    case 'clear': return wizard.clearCalls();
    default: throw new Error(`unknown step ${action}`);
  }
}

// Title and text of each open dialog, bottom first.
function dialogTexts(wizard) {
  return wizard.evaluate(() => Array.from(document.querySelectorAll('.ngdialog:not(.ngdialog-closing)'))
    .map((dialog) => [dialog.querySelector('.dialog-title').innerText.trim(),
      dialog.querySelector('.dialog-text').innerText.trim().replace(/\s+/g, ' ')]));
}

test('event sequences: the screen, the dialogs and the calls that follow', async (t) => {
  for (const { name, steps, expected } of rows) {
    await t.test(name, () => withWizard({}, async (wizard) => {
      for (const step of steps) await play(wizard, step);
      if (expected.route) assert.equal(await wizard.route(), `#${expected.route}`);
      if (expected.dialogs) assert.deepEqual(await dialogTexts(wizard), expected.dialogs);
      if (expected.calls) assert.deepEqual(await wizard.calls(), expected.calls);
      if (expected.title) assert.equal(await wizard.text(expected.title[0]), expected.title[1]);
      for (const [selector, ticked] of Object.entries(expected.checked || {})) {
        assert.equal(await wizard.page.isChecked(selector), ticked, selector);
      }
      if (expected.told) {
        // The last value of each setting the kernel was told.
        const calls = await wizard.calls();
        for (const told of expected.told) {
          const setter = told.slice(0, told.indexOf('('));
          assert.equal(calls.filter((c) => c.startsWith(setter)).pop(), told);
        }
      }
    }));
  }
});

test('a dialog whose view is gone before its template arrives still shows its texts', () =>
  withWizard({ hold: 'templates/dialogConfirm.template.html' }, async (wizard) => {
    await wizard.page.waitForSelector('.view-welcome');
    await wizard.page.evaluate(() => window.fakeChannel.emit('updater_kernel', 'ScenarioDetectedSignal', 13));
    await wizard.page.click('.screen-change .cancel');
    // The welcome view goes (an error leads to the errors view) while the box waits for its template.
    await wizard.page.evaluate(() => window.fakeChannel.emit('updater_kernel', 'ErrorSignal', 'failed'));
    await wizard.page.waitForSelector('.view-errors');
    assert.equal(await wizard.page.locator('.view-welcome').count(), 0);
    wizard.release();
    await wizard.settle();
    assert.deepEqual(await dialogTexts(wizard), [CLOSE_UPDATER]);
    await wizard.answerDialog('.dialog-yes');
    assert.deepEqual((await wizard.calls()).slice(-1), ['window_helpers.Close()']);
  }));

test('progress values: bounded bars, and a kernel text that keeps the buttons in the window', async (t) => {
  // value sent (undefined: none), width of the bar in per cent of its track
  const positions = [[42.5, 42.5], [-5, 0], [NaN, 0], [null, 0], [undefined, 0], ['50', 0], [150, 100],
    [Infinity, 100], [-Infinity, 0], [0, 0], [100, 100]];
  await t.test('bar widths', () => withWizard({}, async (wizard) => {
    await wizard.show('/detectInstall', 5);
    for (const [value, width] of positions) {
      await wizard.emit(K, 'ComponentsProgressPositionChangedSignal', 30);
      if (value === undefined) await wizard.emit(K, 'ProgressPositionChangedSignal');
      else await wizard.emit(K, 'ProgressPositionChangedSignal', value);
      const shown = await wizard.page.$eval('.component-fill', (fill) =>
        (fill.getBoundingClientRect().width / fill.parentElement.getBoundingClientRect().width) * 100);
      assert.ok(Math.abs(shown - width) < 0.01, `${String(value)}: ${shown}% shown`);
    }
  }));

  // An overlong error text with bidirectional controls and no break opportunity.
  const texts = [['right-to-left override', `\u202Eerror ${'x'.repeat(40)} \u202Bمرحبا`.repeat(40)],
    ['one long word', 'E'.repeat(3000)]];
  for (const [name, text] of texts) {
    await t.test(`error text: ${name}`, () => withWizard({}, async (wizard) => {
      await wizard.show('/detectInstall', 5);
      await wizard.emit(K, 'ErrorSignal', 'first');
      await wizard.emit(K, 'ErrorSignal', text);
      const layout = await wizard.page.evaluate(() => {
        const box = (selector) => document.querySelector(selector).getBoundingClientRect();
        const title = document.querySelector('.view-errors .title');
        return {
          close: box('.view-errors .close'), title: box('.view-errors .title'),
          lineHeight: parseFloat(getComputedStyle(title).lineHeight),
          isolated: title.firstElementChild.tagName === 'BDI' && title.firstElementChild.textContent === title.textContent,
        };
      });
      assert.ok(layout.close.bottom <= 588 && layout.close.right <= 782 && layout.close.top >= 0, 'the button stays in the window');
      assert.ok(layout.title.right <= 782, 'the text stays in the window\'s width');
      assert.ok(layout.title.height <= 3 * layout.lineHeight + 1, 'at most three lines');
      assert.ok(layout.isolated, 'the text is isolated from what surrounds it');
    }));
  }
});

test('a flood of progress values: one view update a frame, the last value kept, ends after the values', async (t) => {
  for (const end of ['CompleteSignal', 'ErrorSignal', 'InterruptedSignal']) {
    await t.test(end, () => withWizard({}, async (wizard) => {
      await wizard.show('/detectInstall', 5);
      const result = await wizard.page.evaluate(async (endSignal) => {
        const injector = angular.element(document.documentElement).injector();
        const root = injector.get('$rootScope');
        const view = angular.element(document.querySelector('detect-install')).controller('detectInstall');
        let digests = 0;
        let frames = 0;
        let counting = true;
        const digest = root.$digest;
        root.$digest = function counted() { digests += 1; return digest.apply(this, arguments); };
        (function frame() { if (counting) { frames += 1; requestAnimationFrame(frame); } }());
        const atEnd = [];
        injector.get('kernelEvents').on(endSignal, () => atEnd.push(view.position, view.overallPosition));
        const fake = window.fakeChannel;
        for (let i = 1; i <= 2000; i += 1) {
          fake.emit('updater_kernel', 'ProgressPositionChangedSignal', i / 20);
          if (i % 10 === 0) fake.emit('updater_kernel', 'ComponentsProgressPositionChangedSignal', i / 40);
        }
        await new Promise((resolve) => { (function wait() { if (fake.pending) setTimeout(wait, 5); else resolve(); }()); });
        await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        const shown = [view.position, view.overallPosition];
        counting = false;
        const updates = digests;
        fake.emit('updater_kernel', 'ProgressPositionChangedSignal', 100);
        fake.emit('updater_kernel', endSignal, 'failed');
        await new Promise((resolve) => { (function wait() { if (fake.pending) setTimeout(wait, 5); else resolve(); }()); });
        return { updates, frames, shown, atEnd };
      }, end);
      assert.ok(result.updates <= result.frames + 1, `${result.updates} view updates in ${result.frames} frames`);
      assert.deepEqual(result.shown, [100, 50]);
      assert.deepEqual(result.atEnd, [100, 50], 'the value before the end is applied first');
    }));
  }
});
