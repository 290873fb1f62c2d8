'use strict';
// The wizard by keyboard alone in the real window with the simulated kernel: real key
// presses through the X server (the web engine's remote input delivers no key events
// here). The test only reads the page: where the focus is and what shows.
const test = require('node:test');
const assert = require('node:assert/strict');
const { startDisplay } = require('./support/display');
const { Updater, waitFor } = require('./support/updater');
const { inOrder } = require('./support/steps');

let display;
test.before(async () => { display = await startDisplay(); });
test.after(async () => { await display.stop(); });

class Keyboard {
  constructor(updater) {
    this.updater = updater;
    updater.xdotool('windowfocus', '--sync', updater.windowId());
  }

  press(...keys) {
    this.updater.xdotool('key', '--delay', '20', ...keys);
  }

  focused(selector) {
    return this.updater.evaluate(`!!document.activeElement && document.activeElement.matches(${JSON.stringify(selector)})`);
  }

  focus() {
    return this.updater.evaluate(
      "(document.hasFocus() ? '' : 'outside the page: ') + (document.activeElement && document.activeElement.outerHTML)");
  }

  // Tab (or Shift+Tab) until the focus is on the element; fails after going round. The
  // focus also passes through the window's caption buttons, outside the page.
  async tabTo(selector, key = 'Tab') {
    for (let i = 0; i < 25; i += 1) {
      if (await this.focused(selector) && await this.updater.evaluate('document.hasFocus()')) return;
      const before = await this.focus();
      this.press(key);
      await waitFor(async () => (await this.focus()) !== before, 'the focus to move', 1000).catch(() => {});
    }
    throw new Error(`${key} never reached ${selector}`);
  }

  // Tab to the control and press Return on it.
  async activate(selector) {
    await this.tabTo(selector);
    this.press('Return');
  }

  shows(selector, what = selector) {
    return this.updater.waitFor(`!!document.querySelector(${JSON.stringify(selector)})`, what, 20000);
  }
}

// Runs the scenario until `body` has led to the completion screen; then the journal must
// hold `wanted` in order, and the completion screen's "Close" ends the program.
async function walk(simulation, wanted, body) {
  const updater = await Updater.start({ display: display.display, simulation });
  try {
    const keys = new Keyboard(updater);
    await body(keys, updater);
    await keys.shows('.view-complete .title', 'the completion screen');
    const journal = updater.journal();
    assert.ok(inOrder(journal, wanted), `expected in order:\n${wanted.join('\n')}\n--- journal:\n${journal.join('\n')}`);
    await keys.activate('.view-complete .close');
    const { code } = await Promise.race([updater.exited,
      new Promise((_, reject) => setTimeout(() => reject(new Error('the program did not end')), 20000))]);
    assert.equal(code, 0, updater.stderr);
  } finally {
    await updater.stop();
  }
}

test('an install from the first screen to the completion screen by keyboard alone', () =>
  walk('scenario=Install,offer=0,step_ms=5', ['call SetView License', 'call Start', 'event Complete'], async (keys, updater) => {
    await keys.shows('.screen-install', 'the install screen');
    // The keyboard starts in the page: the first Tab reaches its first control.
    keys.press('Tab');
    await updater.waitFor("document.hasFocus() && document.activeElement.matches('.language-select')", 'the selector');
    await keys.tabTo('input.agreement');
    keys.press('space');
    await updater.waitFor("document.querySelector('input.agreement').checked", 'the agreement ticked');
    await keys.activate('.screen-install .button-main');
  }));

test('an uninstall with its question by keyboard alone: Escape, then "Yes"', () =>
  walk('scenario=Uninstall,step_ms=5', ['call SetView Uninstall', 'call Start', 'event Complete'], async (keys, updater) => {
    await keys.shows('.screen-uninstall', 'the uninstall screen');
    await keys.activate('.screen-uninstall .remove');
    await keys.shows('.view-protection', 'the protection view');
    await keys.activate('.view-protection .next');
    await keys.shows('.ngdialog .dialog-yes', 'the question');
    await updater.waitFor("!!document.activeElement.closest('.ngdialog')", 'the focus in the question');
    keys.press('Escape');
    await updater.waitFor("!document.querySelector('.ngdialog')", 'the question closed');
    assert.ok(await keys.focused('.view-protection .next'), 'the focus is back on "Next"');
    keys.press('Return');
    await keys.shows('.ngdialog .dialog-yes', 'the question again');
    await keys.activate('.ngdialog .dialog-yes');
  }));
