'use strict';
// Steps through the wizard in the real window: waits for what the page shows before it
// acts, as a user would.
const { waitFor } = require('./updater');

function visible(selector) {
  return `(() => { const e = document.querySelector(${JSON.stringify(selector)});
    return !!e && e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden'; })()`;
}

class Steps {
  constructor(updater) {
    this.updater = updater;
  }

  waitVisible(selector, timeoutMs) {
    return this.updater.waitFor(visible(selector), selector, timeoutMs);
  }

  async click(selector, timeoutMs) {
    await this.waitVisible(selector, timeoutMs);
    await this.updater.click(selector);
  }

  waitRoute(route, timeoutMs = 60000) {
    return this.updater.waitFor(`location.hash === ${JSON.stringify(route)}`, `route ${route}`, timeoutMs);
  }

  text(selector) {
    return this.updater.evaluate(`(() => { const e = document.querySelector(${JSON.stringify(selector)});
      return e ? e.innerText.trim().replace(/\\s+/g, ' ') : null; })()`);
  }

  // The titles of the open dialogs, once one is shown.
  async openDialogs() {
    await this.waitVisible('.ngdialog:not(.ngdialog-closing) .dialog-title');
    return this.updater.evaluate(`Array.from(document.querySelectorAll('.ngdialog:not(.ngdialog-closing) .dialog-title'))
      .map((t) => t.textContent.trim())`);
  }

  async answerDialog(button) {
    await this.click(`.ngdialog:not(.ngdialog-closing) ${button}`);
    await this.updater.waitFor("document.querySelectorAll('.ngdialog').length === 0", 'the dialog to close');
  }

  // Ticks the licence agreement on the install screen and goes on.
  async acceptInstall() {
    await this.click('input.agreement + .box');
    await this.updater.waitFor("document.querySelector('.button-main').disabled === false", 'the agreement ticked');
    await this.click('.button-main');
  }

  // A click that ends the program: the debugging connection may close under it.
  async clickToClose(selector) {
    await this.waitVisible(selector);
    await this.updater.click(selector).catch((error) => {
      if (!/WebSocket|closed|not open/i.test(String(error && error.message))) throw error;
    });
  }

  // Waits until the kernel's journal holds a line.
  waitJournal(line, timeoutMs = 60000) {
    return waitFor(() => this.updater.journal().includes(line), `journal line "${line}"`, timeoutMs);
  }

  // Once the pointer is off the buttons, the fonts are in, the fades over and two frames
  // drawn.
  async drawn() {
    await this.updater.client.Input.dispatchMouseEvent({ type: 'mouseMoved', x: 2, y: 2 });
    await this.updater.evaluate('document.fonts.ready.then(() => new Promise((done) => '
      + 'requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(done, 700)))))');
  }
}

// Whether `wanted` occurs in `lines` in this order, with anything between.
function inOrder(lines, wanted) {
  let next = 0;
  for (const line of lines) if (next < wanted.length && line === wanted[next]) next += 1;
  return next === wanted.length;
}

module.exports = { Steps, inOrder };
