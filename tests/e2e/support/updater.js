'use strict';
// Runs the real updater with the simulated kernel in a home folder of its own and
// drives its page over the web engine's remote debugging port.
const { spawn, execFileSync } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const CDP = require('chrome-remote-interface');

const binDir = process.env.KORVANE_BIN_DIR || path.resolve(__dirname, '../../../build/bin');
const fakeBin = path.resolve(__dirname, '../../fixtures/fake-bin');

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
    server.on('error', reject);
  });
}

async function waitFor(check, what, timeoutMs = 30000) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    const value = await check();
    if (value) return value;
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

class Updater {
  // `files` maps paths relative to the home folder to contents written before the start.
  // A given `home` is used as it is and kept at the end (its owner removes it); by default
  // each run has a new home folder of its own.
  static async start({ display, simulation = '', env = {}, args = [], files = {}, home: givenHome }) {
    const home = givenHome || fs.mkdtempSync(path.join(os.tmpdir(), 'korvane-e2e-'));
    for (const [name, content] of Object.entries(files)) {
      fs.mkdirSync(path.dirname(path.join(home, name)), { recursive: true });
      fs.writeFileSync(path.join(home, name), content);
    }
    const runtime = fs.mkdtempSync(path.join(os.tmpdir(), 'korvane-runtime-'));
    fs.chmodSync(runtime, 0o700);
    const port = await freePort();
    const journal = path.join(home, 'journal.txt');
    const child = spawn(path.join(binDir, 'korvaneupdater'), args, {
      cwd: home,
      stdio: ['ignore', 'ignore', 'pipe'],
      env: {
        PATH: `${fakeBin}:/usr/bin:/bin`,
        HOME: home,
        XDG_RUNTIME_DIR: runtime,
        DISPLAY: display,
        KORVANE_LOG_LEVEL: 'Trace',
        KORVANE_SIM: [simulation, `journal=${journal}`].filter(Boolean).join(','),
        KORVANE_FAKE_OPEN_LOG: path.join(home, 'opened.txt'),
        KORVANE_FAKE_SYSTEMCTL_LOG: path.join(home, 'systemctl.txt'),
        QTWEBENGINE_REMOTE_DEBUGGING: `127.0.0.1:${port}`,
        ...env,
      },
    });
    const updater = new Updater(child, home, port, display);
    updater.keepHome = Boolean(givenHome);
    updater.runtime = runtime;
    await updater.connect();
    return updater;
  }

  constructor(child, home, port, display) {
    this.child = child;
    this.home = home;
    this.port = port;
    this.display = display;
    this.stderr = '';
    child.stderr.on('data', (chunk) => { this.stderr += chunk; });
    this.exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  }

  async connect() {
    this.client = await waitFor(async () => {
      if (this.child.exitCode !== null) throw new Error(`updater ended early:\n${this.stderr}`);
      try {
        return await CDP({
          host: '127.0.0.1', port: this.port, local: true,
          target: (targets) => targets.find((t) => t.type === 'page'),
        });
      } catch {
        return null;
      }
    }, 'the remote debugging port');
    await this.client.Runtime.enable();
    await waitFor(() => this.evaluate('typeof window.updater_kernel === "object" && window.updater_kernel !== null'),
      'the channel objects');
  }

  // Evaluates an expression in the page (promises are awaited) and returns its value.
  async evaluate(expression) {
    const { result, exceptionDetails } = await this.client.Runtime.evaluate({
      expression, awaitPromise: true, returnByValue: true,
    });
    if (exceptionDetails) throw new Error(`${expression}: ${JSON.stringify(exceptionDetails)}`);
    return result.value;
  }

  waitFor(expression, what = expression, timeoutMs) {
    return waitFor(() => this.evaluate(expression), what, timeoutMs);
  }

  windowId() {
    return execFileSync('xdotool', ['search', '--sync', '--onlyvisible', '--name', '^Korvane Antivirus Updater$'],
      { env: { ...process.env, DISPLAY: this.display } }).toString().trim().split('\n')[0];
  }

  geometry() {
    const text = execFileSync('xdotool', ['getwindowgeometry', '--shell', this.windowId()],
      { env: { ...process.env, DISPLAY: this.display } }).toString();
    return Object.fromEntries(text.trim().split('\n').map((line) => line.split('=')).map(([k, v]) => [k, Number(v)]));
  }

  xdotool(...args) {
    execFileSync('xdotool', args, { env: { ...process.env, DISPLAY: this.display } });
  }

  // A real mouse click at the centre of the first element that matches the selector.
  async click(selector) {
    const box = await this.evaluate(`(() => {
      const element = document.querySelector(${JSON.stringify(selector)});
      if (!element) return null;
      const r = element.getBoundingClientRect();
      return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
    })()`);
    if (!box) throw new Error(`nothing matches ${selector}`);
    for (const type of ['mousePressed', 'mouseReleased']) {
      await this.client.Input.dispatchMouseEvent({ type, x: box.x, y: box.y, button: 'left', clickCount: 1 });
    }
  }

  // The whole window as the X server shows it, caption included (ImageMagick's import).
  screenshot(file) {
    execFileSync('import', ['-window', this.windowId(), file], { env: { ...process.env, DISPLAY: this.display } });
  }

  journal() {
    const file = path.join(this.home, 'journal.txt');
    return fs.existsSync(file) ? fs.readFileSync(file, 'utf8').split('\n').filter(Boolean) : [];
  }

  log() {
    const folder = path.join(this.home, '.local/share/korvane/korvane antivirus/Logs');
    if (!fs.existsSync(folder)) return '';
    return fs.readdirSync(folder).sort().map((name) => fs.readFileSync(path.join(folder, name), 'utf8')).join('');
  }

  async stop() {
    if (this.client) await this.client.close().catch(() => {});
    if (this.child.exitCode === null && this.child.signalCode === null) this.child.kill('SIGKILL');
    await this.exited;
    if (!this.keepHome) fs.rmSync(this.home, { recursive: true, force: true });
    fs.rmSync(this.runtime, { recursive: true, force: true });
  }
}

module.exports = { Updater, waitFor, freePort };
