'use strict';
// The real program under Xvfb with the simulated kernel: the window, the channel
// objects in the page, close requests and the navigation lock-down.
const test = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const { startDisplay } = require('./support/display');
const { Updater, waitFor } = require('./support/updater');

// What the web channel puts on every object besides its own slots and signals.
const qObjectMembers = ['deleteLater', 'destroyed', 'objectNameChanged', 'objectName', 'unwrapQObject',
  'unwrapProperties', 'propertyUpdate', 'signalEmitted'];

// The members of the page tests' fake channel, read from its own file.
function fakeChannelMembers() {
  const window = {};
  vm.runInNewContext(fs.readFileSync(path.join(__dirname, '../page/support/fake-channel.js'), 'utf8'),
    { window, setTimeout });
  return window.fakeChannel.members;
}

let display;
test.before(async () => { display = await startDisplay(); });
test.after(async () => { await display.stop(); });

async function withUpdater(options, body) {
  const updater = await Updater.start({ display: display.display, ...options });
  try {
    await body(updater);
  } finally {
    await updater.stop();
  }
}

test('the window opens at 782 x 618 once loaded and the page sees the four objects', () =>
  withUpdater({ simulation: 'scenario=Repair' }, async (updater) => {
    const geometry = updater.geometry();
    assert.equal(geometry.WIDTH, 782);
    assert.equal(geometry.HEIGHT, 618);
    // The page tests' fake channel offers exactly the real objects' slots and signals.
    const fake = fakeChannelMembers();
    assert.deepEqual(Object.keys(fake).sort(), ['system_helpers', 'ui_extensions', 'updater_kernel', 'window_helpers']);
    for (const name of Object.keys(fake)) {
      assert.equal(await updater.evaluate(`typeof window.${name}`), 'object', name);
      const real = await updater.evaluate(`(() => {
        const object = window.${name};
        const own = Object.keys(object).filter((key) => !key.startsWith('__') && !key.includes('(') && !qObjectMembers.includes(key));
        return {
          methods: own.filter((key) => typeof object[key] === 'function').sort(),
          signals: own.filter((key) => object[key] && typeof object[key].connect === 'function').sort(),
        };
      })()`.replace('qObjectMembers', JSON.stringify(qObjectMembers)));
      assert.deepEqual(real, { methods: [...fake[name].methods].sort(), signals: [...fake[name].signals].sort() }, name);
    }
    // The page detects on its own first; it then moves on to the repair.
    await updater.waitFor("location.hash === '#/detectRepair'", 'the page\'s own detection');
    await updater.evaluate(`window.scenarios = [];
      updater_kernel.ScenarioDetectedSignal.connect((scenario) => window.scenarios.push(scenario));
      updater_kernel.Init(); true`);
    await updater.waitFor('window.scenarios.length === 1');
    assert.deepEqual(await updater.evaluate('window.scenarios'), [12]);
    assert.match(updater.log(), /\]: load finished\n/);
  }));

test('the caption close button only asks the page; Alt+F4 does nothing; Close() ends the program', () =>
  withUpdater({}, async (updater) => {
    // Once the install screen shows, the page answers a close request with a question.
    await updater.waitFor("!!document.querySelector('.screen-install')", 'the install screen');
    await updater.evaluate(`window.closeRequests = 0;
      window_helpers.WindowCloseRequestSignal.connect(() => { window.closeRequests += 1; }); true`);
    const { X, Y } = updater.geometry();
    updater.xdotool('mousemove', String(X + 764), String(Y + 15), 'click', '1');
    await updater.waitFor('window.closeRequests === 1');
    // Alt+F4 is swallowed before any window sees it; F4 alone reaches the page.
    await updater.evaluate(`window.keys = [];
      document.addEventListener('keydown', (e) => window.keys.push((e.altKey ? 'alt+' : '') + e.key)); true`);
    updater.xdotool('mousemove', String(X + 400), String(Y + 300), 'click', '1');
    updater.xdotool('key', 'alt+F4');
    updater.xdotool('key', 'F4');
    await updater.waitFor("window.keys.includes('F4')");
    assert.deepEqual(await updater.evaluate("window.keys.filter((key) => key.endsWith('F4'))"), ['F4']);
    assert.equal(await updater.evaluate('window.closeRequests'), 1);
    assert.equal(updater.child.exitCode, null, 'the window must stay open');

    const id = updater.windowId();
    await updater.evaluate('window_helpers.Close(); true').catch(() => {});
    const { code } = await updater.exited;
    assert.equal(code, 0);
    assert.ok(updater.journal().includes(`call SetWindow ${id}`), updater.journal().join('\n'));
    assert.match(updater.log(), /\]: handle close button\n/);
    assert.match(updater.log(), /\]: exit code=0\n/);
  }));

test('the page never leaves the embedded page nor opens windows', () =>
  withUpdater({}, async (updater) => {
    await updater.waitFor("!!document.querySelector('.screen-install')", 'the install screen');
    const start = await updater.evaluate('location.href');
    assert.equal(start, 'qrc:/html/angular/index.html#/detectWelcome');
    await updater.evaluate('window.marker = 42; true');
    const attempts = [
      "location.href = 'https://example.com/'",
      "location.href = 'file:///etc/passwd'",
      "location.href = 'qrc:/html/angular/../design/Main.html'",
      "location.href = 'qrc:/html/angularx/index.html'",
      "location.replace('http://127.0.0.1:1/')",
      `(() => { const form = document.createElement('form'); form.method = 'post';
          form.action = 'https://example.com/post'; document.body.appendChild(form); form.submit(); })()`,
      `(() => { const link = document.createElement('a'); link.href = 'https://example.com/';
          document.body.appendChild(link); link.click(); })()`,
      `(() => { const link = document.createElement('a'); link.href = 'https://example.com/';
          link.target = '_blank'; link.id = 'new-window-link'; link.textContent = 'new window';
          link.style.cssText = 'position:fixed;left:0;top:0;width:60px;height:30px;display:block;z-index:100000';
          document.body.appendChild(link); })()`,
    ];
    // A link to a new window, followed by a real click (a script's click opens nothing).
    const followedByClick = new Set([attempts.length - 1]);
    // Each attempt is refused, by the program with a record of its own or by the page's
    // content security policy with a violation event; only then is the page checked.
    await updater.evaluate(`window.violations = 0;
      document.addEventListener('securitypolicyviolation', () => { window.violations += 1; }); true`);
    const refusals = async () =>
      (updater.log().match(/\]: (navigation refused|new window refused|request blocked)\./g) || []).length +
      await updater.evaluate('window.violations');
    for (const [index, attempt] of attempts.entries()) {
      const before = await refusals();
      await updater.evaluate(`${attempt}; true`);
      if (followedByClick.has(index)) await updater.click('#new-window-link');
      await waitFor(async () => await refusals() > before, `the refusal of ${attempt}`);
      assert.equal(await updater.evaluate('location.href'), start, attempt);
      assert.equal(await updater.evaluate('window.marker'), 42, `${attempt} reloaded the page`);
    }
    assert.equal(await updater.evaluate("window.open('https://example.com/')"), null);
    const targets = await updater.client.Target.getTargets();
    assert.equal(targets.targetInfos.filter((t) => t.type === 'page').length, 1);
    assert.match(updater.log(), /\]: navigation refused\. url=https:\/\/example\.com\//);
    // The channel still answers afterwards.
    await updater.evaluate(`window.view = null; updater_kernel.SetView('detectWelcome');
      updater_kernel.GetView((view) => { window.view = view; }); true`);
    await updater.waitFor("window.view === 'detectWelcome'");
  }));

test('a termination signal closes the window without asking the page, as the end of a session does', () =>
  withUpdater({}, async (updater) => {
    await updater.waitFor("!!document.querySelector('.screen-install')", 'the install screen');
    await updater.evaluate(`window.closeRequests = 0;
      window_helpers.WindowCloseRequestSignal.connect(() => { window.closeRequests += 1; }); true`);
    updater.child.kill('SIGTERM');
    const { code } = await updater.exited;
    assert.equal(code, 0);
    assert.match(updater.log(), /\]: termination requested\. signal=SIGTERM\n/);
    assert.match(updater.log(), /\]: close window\n/);
    assert.doesNotMatch(updater.log(), /\]: handle close button\n/);
    assert.match(updater.log(), /\]: exit code=0\n/);
  }));

test('the caption drags the window, and Hide takes it off the screen', () =>
  withUpdater({}, async (updater) => {
    await updater.waitFor("!!document.querySelector('.screen-install')", 'the install screen');
    const before = updater.geometry();
    const id = updater.windowId();
    // Pressed on the caption's title and moved by (60, 40): the window follows.
    updater.xdotool('mousemove', String(before.X + 200), String(before.Y + 15), 'mousedown', '1');
    updater.xdotool('mousemove', String(before.X + 230), String(before.Y + 35));
    updater.xdotool('mousemove', String(before.X + 260), String(before.Y + 55), 'mouseup', '1');
    await waitFor(() => updater.geometry().X !== before.X, 'the window to move');
    const after = updater.geometry();
    assert.deepEqual([after.X - before.X, after.Y - before.Y], [60, 40]);

    await updater.evaluate('window_helpers.Hide(); true');
    const mapState = () => execFileSync('xwininfo', ['-id', id], { env: { ...process.env, DISPLAY: display.display } })
      .toString().match(/Map State: (\w+)/)[1];
    await waitFor(() => mapState() !== 'IsViewable', 'the window to be hidden');
    assert.equal(updater.child.exitCode, null, 'hiding does not end the program');
  }));
