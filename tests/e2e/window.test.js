'use strict';
// The real program under Xvfb with the simulated kernel: the window, the channel
// objects in the page, close requests and the navigation lock-down.
const test = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync, spawn } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const vm = require('node:vm');
const { startDisplay, startWindowManager } = require('./support/display');
const { Updater, waitFor } = require('./support/updater');

const testBinDir = process.env.KORVANE_TEST_BIN_DIR || path.resolve(__dirname, '../../build/tests');

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

function x11(command, ...args) {
  return execFileSync(command, args, { env: { ...process.env, DISPLAY: display.display } }).toString();
}

// How often the log holds a record with exactly this text.
function records(updater, text) {
  return updater.log().split('\n').filter((line) => line.endsWith(`]: ${text}`)).length;
}

// The program's windows that are on the screen, a menu or any other popup included.
function shownWindows(updater) {
  try {
    return x11('xdotool', 'search', '--onlyvisible', '--pid', String(updater.child.pid)).trim().split('\n').sort();
  } catch {
    return []; // xdotool ends with 1 when nothing matches
  }
}

// Drags `file` from a window of its own at the screen's lower right to (x, y) with the
// mouse, and returns the drop action the target chose (0 when it refused the drop).
async function dragFile(file, x, y) {
  const source = spawn(path.join(testBinDir, 'korvane_drag_source'), [file], {
    env: { ...process.env, DISPLAY: display.display }, stdio: ['ignore', 'pipe', 'inherit'],
  });
  let output = '';
  source.stdout.on('data', (chunk) => { output += chunk; });
  try {
    await waitFor(() => output.includes('ready\n') || source.exitCode !== null, 'the drag source');
    if (!output.includes('ready\n')) throw new Error(`the drag source ended with ${source.exitCode}`);
    x11('xdotool', 'windowmove', '--sync', x11('xdotool', 'search', '--sync', '--onlyvisible', '--name', '^drag source$').trim(),
      '1100', '900');
    const moves = [];
    for (let step = 1; step <= 10; step += 1) {
      moves.push('mousemove', String(Math.round(1160 + ((x - 1160) * step) / 10)),
        String(Math.round(960 + ((y - 960) * step) / 10)), 'sleep', '0.05');
    }
    x11('xdotool', 'mousemove', '1160', '960', 'mousedown', '1', ...moves, 'sleep', '0.2', 'mouseup', '1');
    const line = await waitFor(() => output.match(/drop action=(\d+)\n/), 'the end of the drag');
    return Number(line[1]);
  } finally {
    if (source.exitCode === null) source.kill();
  }
}

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

test('the window shows with its first screen drawn, or with the loading animation while the kernel takes its time', async (t) => {
  const cases = [
    { name: 'quick detection', simulation: 'scenario=Install,step_ms=0', shown: '.screen-install', before: true },
    // The detection takes four steps: 6 s here.
    { name: 'slow detection', simulation: 'scenario=Install,step_ms=1500', shown: '.folding-cube', before: false },
  ];
  for (const { name, simulation, shown, before } of cases) {
    await t.test(name, () => withUpdater({ simulation }, async (updater) => {
      updater.windowId(); // waits until the window is on the screen
      assert.ok(await updater.evaluate(`!!document.querySelector(${JSON.stringify(shown)})`), shown);
      await updater.waitFor("!!document.querySelector('.screen-install')", 'the install screen', 20000);
      const lines = updater.log().split('\n');
      const at = (text) => lines.findIndex((line) => line.endsWith(`]: ${text}`));
      assert.equal(records(updater, 'show window'), 1);
      assert.ok(at('load finished') >= 0);
      // The page chose its screen (and told the kernel) before it asked for the window.
      assert.equal(at('exec SetView. view=License') < at('show window'), before, updater.log());
    }));
  }
});

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

test('the caption drags the window, Hide takes it off the screen, and any later load shows it again, also a failed one', () =>
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

    // A page the bundle does not hold: the load fails, and the window shows all the same.
    const loads = records(updater, 'load finished');
    await updater.evaluate("location.href = 'qrc:/html/angular/missing.html'; true");
    await waitFor(() => records(updater, 'load finished') === loads + 1, 'the failed load');
    await waitFor(() => mapState() === 'IsViewable', 'the window to show again');
  }));

test('under a window manager the system close command only asks the page, and the minimize button iconifies', async () => {
  const manager = await startWindowManager(display.display);
  try {
    await withUpdater({}, async (updater) => {
      await updater.waitFor("!!document.querySelector('.screen-install')", 'the install screen');
      await updater.evaluate(`window.closeRequests = 0;
        window_helpers.WindowCloseRequestSignal.connect(() => { window.closeRequests += 1; }); true`);
      const id = updater.windowId();
      const { X, Y } = updater.geometry();
      const state = () => {
        try {
          return (x11('xprop', '-id', id, 'WM_STATE').match(/window state: (\w+)/) || [])[1];
        } catch {
          return 'gone'; // the window no longer exists
        }
      };
      await waitFor(() => state() === 'Normal', 'the window to be managed');
      const closeCommand = () => x11('wmctrl', '-i', '-c', id);
      const steps = [
        { action: 'the system close command', run: closeCommand, record: 'close event', closeRequests: 1, state: 'Normal' },
        { action: 'the minimize button', run: () => x11('xdotool', 'mousemove', String(X + 728), String(Y + 15), 'click', '1'),
          record: 'handle minimize button', closeRequests: 1, state: 'Iconic' },
        { action: 'the system close command on the minimized window', run: closeCommand, record: 'close event',
          closeRequests: 2, state: 'Iconic' },
      ];
      for (const step of steps) {
        const before = records(updater, step.record);
        step.run();
        await waitFor(() => records(updater, step.record) === before + 1, `the record of ${step.action}`);
        await waitFor(() => state() === step.state, `the ${step.state} state after ${step.action}`);
        await updater.waitFor(`window.closeRequests === ${step.closeRequests}`, `the close requests after ${step.action}`);
        assert.equal(updater.child.exitCode, null, `${step.action} must not end the program`);
      }
      assert.equal(records(updater, 'handle close button'), 0);
    });
  } finally {
    await manager.stop();
  }
});

test('a right click opens no menu and a dropped file is refused; the page stays as it was', () =>
  withUpdater({}, async (updater) => {
    await updater.waitFor("!!document.querySelector('.screen-install')", 'the install screen');
    const start = await updater.evaluate('location.href');
    await updater.evaluate(`window.marker = 42; window.contextMenus = 0; window.pointerMoves = 0;
      document.addEventListener('contextmenu', () => { window.contextMenus += 1; });
      document.addEventListener('mousemove', () => { window.pointerMoves += 1; }); true`);
    const windows = shownWindows(updater);
    assert.equal(windows.length, 1, 'only the main window is shown');
    const { X, Y } = updater.geometry();
    const file = path.join(updater.home, 'dropped.html');
    fs.writeFileSync(file, '<p>dropped</p>');
    const inputs = [
      {
        input: 'a right click on the page',
        run: async () => {
          x11('xdotool', 'mousemove', String(X + 400), String(Y + 300), 'click', '3');
          await updater.waitFor('window.contextMenus === 1', 'the page to see the right click');
          // An open menu would hold the pointer: the page sees it move only without one.
          const moves = await updater.evaluate('window.pointerMoves');
          x11('xdotool', 'mousemove', String(X + 420), String(Y + 320));
          await updater.waitFor(`window.pointerMoves > ${moves}`, 'the page to see the pointer again, which an open menu would hold');
        },
      },
      {
        input: 'a file dropped on the page',
        run: async () => assert.equal(await dragFile(file, X + 400, Y + 300), 0, 'the drop must be refused'),
      },
    ];
    for (const { input, run } of inputs) {
      await run();
      assert.deepEqual(shownWindows(updater), windows, `${input} opened a window`);
      assert.equal(await updater.evaluate('location.href'), start, input);
      assert.equal(await updater.evaluate('window.marker'), 42, `${input} reloaded the page`);
    }
    assert.doesNotMatch(updater.log(), /\]: (navigation refused|request blocked)\./);
  }));

test('the web profile keeps persistent cookies from one run to the next, not session ones', async () => {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), 'korvane-e2e-'));
  try {
    await withUpdater({ home }, async (updater) => {
      const { Network } = updater.client;
      const expires = Math.floor(Date.now() / 1000) + 3600;
      assert.ok((await Network.setCookie({ name: 'kept', value: '1', url: 'http://localhost/', expires })).success);
      assert.ok((await Network.setCookie({ name: 'session', value: '1', url: 'http://localhost/' })).success);
      await updater.evaluate('window_helpers.Close(); true').catch(() => {});
      assert.equal((await updater.exited).code, 0);
    });
    await withUpdater({ home }, async (updater) => {
      const { cookies } = await updater.client.Network.getAllCookies();
      assert.deepEqual(cookies.map((cookie) => cookie.name), ['kept']);
    });
  } finally {
    fs.rmSync(home, { recursive: true, force: true });
  }
});

test('at log-off the session manager\'s save request closes the window without asking the page', async () => {
  const manager = spawn(path.join(testBinDir, 'korvane_session_manager'), [], { stdio: ['pipe', 'pipe', 'inherit'] });
  let output = '';
  manager.stdout.on('data', (chunk) => { output += chunk; });
  try {
    const address = (await waitFor(() => output.match(/^SESSION_MANAGER=(.*)\n/m), 'the session manager'))[1];
    await withUpdater({ env: { SESSION_MANAGER: address } }, async (updater) => {
      await waitFor(() => output.includes('registered\n'), 'the window to join the session');
      await updater.waitFor("!!document.querySelector('.screen-install')", 'the install screen');
      manager.stdin.write('shutdown\n');
      await waitFor(() => updater.child.exitCode !== null, 'the program to end at log-off');
      assert.equal(updater.child.exitCode, 0);
      const log = updater.log();
      assert.match(log, /\]: commit data request\. close window\n/);
      assert.doesNotMatch(log, /\]: handle close button\n/);
      assert.match(log, /\]: exit code=0\n/);
    });
  } finally {
    manager.stdin.end();
    if (manager.exitCode === null) manager.kill();
  }
});
