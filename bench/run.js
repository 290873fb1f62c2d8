'use strict';
// Runs every benchmark against its bare baseline in the same run, on one Xvfb display:
// one warm-up of each program, then several runs with the updater and its baseline
// taking turns, so that the machine's load falls on both alike. Prints the table and,
// unless --smoke, writes docs/benchmarks.md and the start-up phases (gnuplot).
//
//   node bench/run.js [--build DIR] [--runs N] [--smoke | --startup-only | --clicks-only]
//
// --smoke: each measure once with tiny sizes and nothing written (the test suite's run).
// --startup-only: only the start-up figures and their phases, printed, nothing written
// (for working on the start-up).
// --clicks-only: only the click figures, printed, nothing written.
const { spawn, spawnSync, execFileSync } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const { performance } = require('node:perf_hooks');

const root = path.resolve(__dirname, '..');
const { startDisplay } = require(path.join(root, 'tests/e2e/support/display.js'));
const { freePort, waitFor } = require(path.join(root, 'tests/e2e/support/updater.js'));
const CDP = require(path.join(root, 'tests/e2e/node_modules/chrome-remote-interface'));

const options = { build: path.join(root, 'build-release'), runs: 7, smoke: false };
for (let i = 2; i < process.argv.length; i += 1) {
  const arg = process.argv[i];
  if (arg === '--smoke') options.smoke = true;
  else if (arg === '--startup-only') options.startupOnly = true;
  else if (arg === '--clicks-only') options.clicksOnly = true;
  else if (arg === '--build') options.build = path.resolve(process.argv[(i += 1)]);
  else if (arg === '--runs') options.runs = Number(process.argv[(i += 1)]);
  else throw new Error(`unknown argument ${arg}`);
}
const runs = options.smoke ? 1 : options.runs;
const warmUps = options.smoke ? 0 : 1;
const relayEvents = options.smoke ? 2000 : 100000;
const clicksPerRun = options.smoke ? 2 : 10;
const bin = path.join(options.build, 'bin');
const fakeBin = path.join(root, 'tests/fixtures/fake-bin');
const simulation = 'scenario=Install,step_ms=0';
const screenTimeoutMs = 15000;

// ---------------------------------------------------------------- helpers

const nowMs = () => performance.timeOrigin + performance.now();
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const temporary = [];

function tempFolder(prefix) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  temporary.push(folder);
  return folder;
}

function stats(values) {
  const sorted = values.filter((v) => Number.isFinite(v)).sort((a, b) => a - b);
  if (!sorted.length) return null;
  const mid = Math.floor(sorted.length / 2);
  const median = sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
  return { median, min: sorted[0], max: sorted[sorted.length - 1], count: sorted.length };
}

function peakRssMiB(pid) {
  const status = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
  return Number(/VmHWM:\s+(\d+) kB/.exec(status)[1]) / 1024;
}

// A program with a fresh home, its own runtime folder and the remote debugging port.
class Program {
  constructor(file, args, env, display) {
    this.home = tempFolder('korvane-bench-');
    const runtime = path.join(this.home, 'runtime');
    fs.mkdirSync(runtime, { mode: 0o700 });
    this.env = {
      PATH: `${fakeBin}:/usr/bin:/bin`,
      HOME: this.home,
      XDG_RUNTIME_DIR: runtime,
      DISPLAY: display,
      TZ: 'UTC',
      LANG: 'C.UTF-8',
      ...env,
    };
    this.file = file;
    this.args = args;
    this.stdout = '';
    this.stderr = '';
  }

  async start() {
    this.port = await freePort();
    this.env.QTWEBENGINE_REMOTE_DEBUGGING = `127.0.0.1:${this.port}`;
    this.startedAt = nowMs();
    this.child = spawn(this.file, this.args, { cwd: this.home, env: this.env, stdio: ['ignore', 'pipe', 'pipe'] });
    this.child.stdout.on('data', (chunk) => { this.stdout += chunk; });
    this.child.stderr.on('data', (chunk) => { this.stderr += chunk; });
    this.exited = new Promise((resolve) => this.child.on('exit', resolve));
    return this;
  }

  alive() {
    if (this.child.exitCode !== null || this.child.signalCode !== null) {
      throw new Error(`${path.basename(this.file)} ended early:\n${this.stderr.slice(-2000)}`);
    }
  }

  async connect(objectName) {
    this.client = await waitFor(async () => {
      this.alive();
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
    await waitFor(() => this.evaluate(`typeof window.${objectName} === 'object' && window.${objectName} !== null`),
      'the channel object');
  }

  async evaluate(expression) {
    const { result, exceptionDetails } = await this.client.Runtime.evaluate({
      expression, awaitPromise: true, returnByValue: true,
    });
    if (exceptionDetails) throw new Error(`${expression}: ${JSON.stringify(exceptionDetails)}`);
    return result.value;
  }

  async stop() {
    if (this.client) await this.client.close().catch(() => {});
    if (this.child.exitCode === null && this.child.signalCode === null) this.child.kill('SIGKILL');
    await this.exited;
  }
}

// The updater's log records: [time in ms since the epoch, message].
function logRecords(home) {
  const folder = path.join(home, '.local/share/korvane/korvane antivirus/Logs');
  if (!fs.existsSync(folder)) return [];
  const text = fs.readdirSync(folder).sort().map((name) => fs.readFileSync(path.join(folder, name), 'utf8')).join('');
  const records = [];
  const pattern = /^\[\d+\]\[\w+\]\[(\d{4})-(\d\d)-(\d\d) (\d\d):(\d\d):(\d\d)\.(\d{6})\](?:\[[^\]]*\]){3}\[[^\]]*\]\[[^\]]*\]\[\d+\]: (.*?)\r?$/gm;
  for (let m = pattern.exec(text); m; m = pattern.exec(text)) {
    const [, y, mo, d, h, mi, s, us] = m;
    records.push([Date.UTC(+y, +mo - 1, +d, +h, +mi, +s) + Number(us) / 1000, m[8]]);
  }
  return records;
}

function recordTime(records, prefix) {
  const record = records.find(([, message]) => message.startsWith(prefix));
  return record ? record[0] : undefined;
}

// The kernel's journal as a named pipe: each line is stamped when it arrives.
function openJournal(folder) {
  const file = path.join(folder, 'journal');
  execFileSync('mkfifo', [file]);
  // Read and write, so that opening never blocks and the kernel never sees a pipe
  // without a reader.
  const fd = fs.openSync(file, fs.constants.O_RDWR | fs.constants.O_NONBLOCK);
  const socket = new net.Socket({ fd, readable: true, writable: false });
  const journal = { file, lines: [], close: () => socket.destroy() };
  let rest = '';
  socket.on('data', (chunk) => {
    const at = nowMs();
    const parts = (rest + chunk).split('\n');
    rest = parts.pop();
    for (const line of parts) journal.lines.push([at, line]);
  });
  socket.on('error', () => {});
  return journal;
}

// The first scenario screen: the page's first SetView call as the kernel journals it,
// or the first screen element of the welcome view, whichever comes first.
const screenWatch = `(() => {
  const mark = () => {
    if (!window.__benchScreen && document.querySelector('.view-welcome .screen')) {
      window.__benchScreen = performance.timeOrigin + performance.now();
    }
    return !!window.__benchScreen;
  };
  if (!mark()) {
    const observer = new MutationObserver(() => { if (mark()) observer.disconnect(); });
    observer.observe(document.documentElement, { childList: true, subtree: true });
  }
  return true;
})()`;

// ---------------------------------------------------------------- start-up

async function startupUpdater(display) {
  const home = tempFolder('korvane-journal-');
  const journal = openJournal(home);
  const program = await new Program(path.join(bin, 'korvaneupdater'), [], {
    KORVANE_LOG_LEVEL: 'Info',
    KORVANE_SIM: `${simulation},journal=${journal.file}`,
  }, display).start();
  try {
    const loaded = await waitFor(() => {
      program.alive();
      return recordTime(logRecords(program.home), 'load finished');
    }, 'load finished');
    await program.connect('updater_kernel');
    await program.evaluate(screenWatch);
    const setView = () => journal.lines.find(([, line]) => line.startsWith('call SetView'));
    let screen;
    try {
      await waitFor(async () => setView() || program.evaluate('!!window.__benchScreen'), 'a scenario screen',
        screenTimeoutMs);
      const inPage = await program.evaluate('window.__benchScreen || 0');
      const times = [setView() && setView()[0], inPage || undefined].filter(Boolean);
      screen = Math.min(...times);
    } catch {
      screen = undefined; // a page without the wizard shows no scenario screen
    }
    // The window shows when the page asks, or a while after load finished.
    await waitFor(() => recordTime(logRecords(program.home), 'show window'), 'the window shown', screenTimeoutMs);
    const rss = peakRssMiB(program.child.pid);
    const records = logRecords(program.home);
    const shown = recordTime(records, 'show window');
    const t0 = program.startedAt;
    return {
      loaded: loaded - t0,
      screen: screen === undefined ? undefined : screen - t0,
      shown: shown === undefined ? undefined : shown - t0,
      rss,
      phases: [
        recordTime(records, 'version=') - t0,
        recordTime(records, 'construct main window') - t0,
        recordTime(records, 'load view') - t0,
        screen === undefined ? undefined : screen - t0,
        shown === undefined || screen === undefined ? undefined : Math.max(shown, screen) - t0,
      ],
    };
  } finally {
    await program.stop();
    journal.close();
  }
}

async function startupBare(display) {
  const program = await new Program(path.join(bin, 'korvane_bench_bare_window'), [], {}, display).start();
  try {
    const mark = (phase) => {
      const m = new RegExp(`^${phase} (\\d+)$`, 'm').exec(program.stdout);
      return m ? Number(m[1]) / 1000 : undefined;
    };
    const loaded = await waitFor(() => { program.alive(); return mark('loaded'); }, 'load finished');
    await program.connect('bench');
    const rss = peakRssMiB(program.child.pid);
    const t0 = program.startedAt;
    return {
      loaded: loaded - t0,
      rss,
      phases: [mark('main') - t0, mark('application') - t0, mark('load') - t0, loaded - t0],
    };
  } finally {
    await program.stop();
  }
}

// ---------------------------------------------------------------- silent run

function measured(command, args, env) {
  const home = tempFolder('korvane-silent-');
  const result = spawnSync(path.join(bin, 'korvane_bench_measure'), [command, ...args], {
    cwd: home,
    env: { PATH: '/usr/bin:/bin', HOME: home, TZ: 'UTC', LANG: 'C.UTF-8', KORVANE_SIM: simulation, ...env },
    encoding: 'utf8',
  });
  const m = /wall_us=(\d+) max_rss_kib=(\d+) status=(\d+)/.exec(result.stderr);
  if (!m) throw new Error(`no measure from ${command}:\n${result.stderr}`);
  if (Number(m[3]) !== 0) throw new Error(`${command} ended with status ${m[3]}:\n${result.stderr}`);
  return { wall: Number(m[1]) / 1000, rss: Number(m[2]) / 1024 };
}

const silentUpdater = () => measured(path.join(bin, 'korvaneupdater'), ['--silent'], {});
const silentBare = () => measured(path.join(bin, 'korvane_bench_bare_kernel'),
  [path.join(bin, 'KorvaneUpdaterKernel.so')], {});

// ---------------------------------------------------------------- relay and clicks

const sides = {
  updater: {
    file: () => path.join(bin, 'korvaneupdater'),
    object: 'updater_kernel',
    signal: 'ProgressPositionChangedSignal',
    env: (count, perSecond) => ({
      KORVANE_SIM: `${simulation},progress_events=${count},progress_rate=${perSecond}`,
    }),
    start: () => 'updater_kernel.Start()',
    stop: 'updater_kernel.Interrupt()',
    call: 'updater_kernel.GetView',
  },
  bare: {
    file: () => path.join(bin, 'korvane_bench_bare_window'),
    object: 'bench',
    signal: 'ProgressSignal',
    env: () => ({}),
    start: (count, perSecond) => `bench.Flood(${count}, ${perSecond})`,
    stop: 'bench.Stop()',
    call: 'bench.Ping',
  },
};

// The positions 0, 1, 2, ... as the page gets them: the bare window gets every one, the
// updater's relay may leave out positions that a later one made stale, never the last.
const counter = (side) => `(() => {
  const r = window.__relay = { n: 0, last: -1, inOrder: true, start: 0, end: 0 };
  ${side.object}.${side.signal}.connect((value) => {
    if (value <= r.last) r.inOrder = false;
    r.last = value;
    r.n += 1;
    r.end = performance.now();
  });
  return true;
})()`;

async function relayRun(kind, display) {
  const side = sides[kind];
  const program = await new Program(side.file(), [], side.env(relayEvents, 0), display).start();
  try {
    await program.connect(side.object);
    await program.evaluate(counter(side));
    await program.evaluate(`window.__relay.start = performance.now(); ${side.start(relayEvents, 0)}; true`);
    await waitFor(async () => {
      program.alive();
      const r = await program.evaluate('window.__relay');
      return r.last >= relayEvents - 1 && r.end > 0;
    }, `${relayEvents} events`, 120000);
    await sleep(100); // nothing more may come
    const r = await program.evaluate('window.__relay');
    return { rate: relayEvents / ((r.end - r.start) / 1000), complete: r.last === relayEvents - 1 && r.inOrder };
  } finally {
    await program.stop();
  }
}

const clickButton = (side) => `(() => {
  const button = document.createElement('button');
  button.style.cssText = 'position:fixed;left:0;top:0;width:80px;height:40px;z-index:2147483647';
  document.body.appendChild(button);
  window.__clicks = [];
  button.addEventListener('click', (event) => {
    const at = event.timeStamp;
    ${side.call}(() => window.__clicks.push(performance.now() - at));
  });
  return true;
})()`;

// Clicks every 100 ms while the events flow, each timed from the input event to the
// answer of a call through the channel.
async function clickRun(kind, perSecond, display) {
  const side = sides[kind];
  const count = perSecond > 0 ? perSecond * 600 : relayEvents;
  const program = await new Program(side.file(), [], side.env(count, perSecond), display).start();
  try {
    await program.connect(side.object);
    await program.evaluate(clickButton(side));
    await program.evaluate(`${side.start(count, perSecond)}; true`);
    await sleep(100);
    const sent = [];
    for (let i = 0; i < clicksPerRun; i += 1) {
      for (const type of ['mousePressed', 'mouseReleased']) {
        sent.push(program.client.Input.dispatchMouseEvent({ type, x: 40, y: 20, button: 'left', clickCount: 1 }));
      }
      await sleep(100);
    }
    await Promise.all(sent);
    await waitFor(async () => {
      program.alive();
      return (await program.evaluate('window.__clicks.length')) >= clicksPerRun;
    }, 'the click answers', 120000);
    const clicks = await program.evaluate('window.__clicks');
    await program.evaluate(`${side.stop}; true`);
    return clicks;
  } finally {
    await program.stop();
  }
}

// The wizard's own "Cancel" on the progress view of an Install run: a real mouse click,
// timed from the input event to the first frame that shows the question's title. The
// bench ticks the licence box and starts the run itself (no offer). `flood`: the run
// raises its progress events as fast as it can; a flooded page answers the debugging
// connection only once the flood is over, so the click goes, unseen, to where a calm run
// showed the button (`at`), as soon as the program's log shows the page's Start call (the
// flood counts as going on when events still arrive between the click and the question).
// Otherwise the run goes at its normal pace, nothing floods, and the click waits for the
// button (the baseline).
// One click a run: the question covers the button.
const questionWatch = `(() => {
  const q = window.__question = { clicked: 0, shown: 0, events: 0, eventsAtClick: 0, eventsAtShown: 0 };
  updater_kernel.ProgressPositionChangedSignal.connect(() => { q.events += 1; });
  document.addEventListener('click', (event) => {
    if (!q.clicked && event.target.closest('.view-progress .cancel')) {
      q.clicked = event.timeStamp;
      q.eventsAtClick = q.events;
    }
  }, true);
  const observer = new MutationObserver(() => {
    const title = document.querySelector('.ngdialog:not(.ngdialog-closing) .dialog-title');
    if (q.clicked && title && title.textContent.trim() === 'Cancel') {
      observer.disconnect();
      requestAnimationFrame(() => {
        q.shown = performance.now();
        q.eventsAtShown = q.events;
      });
    }
  });
  observer.observe(document.body, { childList: true, subtree: true, characterData: true });
  return true;
})()`;

// The centre of a visible element, or null.
const centre = (selector) => `(() => {
  const element = document.querySelector(${JSON.stringify(selector)});
  const box = element && element.getBoundingClientRect();
  return box && box.width > 0 && !element.disabled ? { x: box.left + box.width / 2, y: box.top + box.height / 2 } : null;
})()`;

async function questionRun(flood, display, at) {
  const simulation = flood
    ? `scenario=Install,offer=0,step_ms=0,progress_events=${relayEvents},progress_rate=0`
    : 'scenario=Install,offer=0,step_ms=1000';
  const program = await new Program(path.join(bin, 'korvaneupdater'), [],
    { KORVANE_SIM: simulation, KORVANE_LOG_LEVEL: 'Debug' }, display).start();
  const clickAt = async ({ x, y }) => {
    for (const type of ['mousePressed', 'mouseReleased']) {
      await program.client.Input.dispatchMouseEvent({ type, x, y, button: 'left', clickCount: 1 });
    }
  };
  const where = (selector) => waitFor(async () => {
    program.alive();
    return program.evaluate(centre(selector));
  }, selector, 60000);
  try {
    await program.connect('updater_kernel');
    await program.evaluate(questionWatch);
    await clickAt(await where('input.agreement + .box'));
    await clickAt(await where('.button-main'));
    let cancel = at;
    if (flood) {
      await waitFor(() => {
        program.alive();
        return recordTime(logRecords(program.home), 'exec Start');
      }, 'the Start call', 60000);
    } else {
      cancel = await where('.view-progress .cancel');
    }
    await clickAt(cancel);
    const shown = await waitFor(async () => {
      program.alive();
      return program.evaluate('window.__question.shown > 0 || location.hash === "#/detectComplete"');
    }, 'the question', 120000).then(() => program.evaluate('window.__question'));
    return {
      ms: shown.shown > 0 ? shown.shown - shown.clicked : undefined,
      flooding: shown.eventsAtShown > shown.eventsAtClick,
      at: cancel,
    };
  } finally {
    await program.stop();
  }
}

// Calm runs first (the first one also finds the button), then the flooded ones.
async function questionRuns(count, display) {
  const calm = [await questionRun(false, display)];
  const [flooded, more] = await interleaved(count, () => questionRun(true, display, calm[0].at),
    () => questionRun(false, display));
  return [flooded, calm.concat(more)];
}

function questionRow(flooded, calm) {
  const during = flooded.filter((r) => r.flooding && r.ms !== undefined).length;
  return row('Click on "Cancel" to the question shown, events flooding', 'ms', flooded.map((r) => r.ms),
    calm.map((r) => r.ms), '< 200 ms', (s) => s.max < 200,
    `baseline: no events; question shown with events still arriving after the click in ${during} of ${flooded.length} runs`);
}

// ---------------------------------------------------------------- Google Benchmark

function googleBenchmark(program) {
  const args = options.smoke
    ? ['--benchmark_min_time=0', '--benchmark_repetitions=1']
    : ['--benchmark_min_time=1', `--benchmark_repetitions=${runs}`];
  const result = spawnSync(path.join(bin, program), [...args, '--benchmark_format=json'], {
    encoding: 'utf8', maxBuffer: 64 << 20,
  });
  if (result.status !== 0) throw new Error(`${program} failed:\n${result.stderr}`);
  const byName = {};
  for (const b of JSON.parse(result.stdout).benchmarks) {
    if (b.run_type !== 'iteration') continue;
    if (b.error_occurred) throw new Error(`${program} ${b.name}: ${b.error_message}`);
    const name = (b.run_name || b.name).replace(/\/real_time$/, '');
    (byName[name] = byName[name] || []).push(b);
  }
  return byName;
}

// ---------------------------------------------------------------- the run

async function interleaved(count, first, second) {
  const a = [];
  const b = [];
  for (let i = 0; i < warmUps; i += 1) {
    await first();
    await second();
  }
  for (let i = 0; i < count; i += 1) {
    a.push(await first());
    b.push(await second());
  }
  return [a, b];
}

function row(figure, unit, values, baseline, goal, check, note = '') {
  const s = stats(values);
  const base = stats(baseline);
  const ratio = s && base ? s.median / base.median : undefined;
  return { figure, unit, s, base, ratio, goal, met: s && base ? check(s, base, ratio) : undefined, note };
}

function format(value, unit) {
  if (value === undefined || value === null || !Number.isFinite(value)) return '–';
  const digits = Math.abs(value) >= 100 ? 0 : Math.abs(value) >= 10 ? 1 : 2;
  const text = value.toLocaleString('en-US', { maximumFractionDigits: digits, minimumFractionDigits: digits });
  return unit ? `${text} ${unit}` : text;
}

function table(rows) {
  const lines = [
    '| figure | median | min | max | baseline median | ratio | goal | met |',
    '|---|---|---|---|---|---|---|---|',
  ];
  for (const r of rows) {
    const met = r.met === undefined ? '–' : r.met ? 'yes' : '**no**';
    lines.push(`| ${r.figure} | ${format(r.s && r.s.median, r.unit)} | ${format(r.s && r.s.min, r.unit)} | `
      + `${format(r.s && r.s.max, r.unit)} | ${format(r.base && r.base.median, r.unit)} | `
      + `${r.ratio === undefined ? '–' : r.ratio.toFixed(2)} | ${r.goal} | ${met}${r.note ? ` (${r.note})` : ''} |`);
  }
  return lines.join('\n');
}

function machine() {
  const cpu = (/model name\s*:\s*(.*)/.exec(fs.readFileSync('/proc/cpuinfo', 'utf8')) || [])[1] || os.arch();
  const git = (args) => execFileSync('git', ['-C', root, ...args], { encoding: 'utf8' }).trim();
  const dirty = git(['status', '--porcelain']) !== '';
  return {
    host: os.hostname(),
    cpu: `${cpu}, ${os.cpus().length} cores`,
    memory: `${(os.totalmem() / 2 ** 30).toFixed(1)} GiB`,
    system: `${os.type()} ${os.release()}`,
    load: os.loadavg().map((l) => l.toFixed(2)).join(' '),
    date: new Date().toISOString().replace(/\.\d+Z$/, 'Z'),
    commit: `${git(['rev-parse', '--short', 'HEAD'])}${dirty ? ' with uncommitted changes' : ''}`,
  };
}

const phaseNames = ['process start → first log record / main', '→ application and profile', '→ window built, page load asked',
  '→ first scenario screen (bare: load finished)', '→ window shown with it (bare: at load finished)'];

// The median time of each of the first n phases over the runs.
function medianPhases(list, n) {
  return Array.from({ length: n }, (_, i) => {
    const s = stats(list.map((p) => p[i]));
    return s ? s.median : undefined;
  });
}

function plotPhases(updaterPhases, barePhases, file) {
  const steps = (list, n) => {
    const points = medianPhases(list, n);
    return points.map((p, i) => (p === undefined ? 0 : Math.max(0, p - (i ? points[i - 1] || 0 : 0))));
  };
  const data = path.join(tempFolder('korvane-plot-'), 'phases.dat');
  fs.writeFileSync(data, [
    `Updater ${steps(updaterPhases, 5).join(' ')}`,
    `"Bare window" ${steps(barePhases, 4).join(' ')} 0`,
  ].join('\n') + '\n');
  const script = [
    'set terminal pngcairo size 960,420 font "sans,10"',
    `set output "${file}"`,
    'set title "Start-up phases under Xvfb (medians, ms from process start)"',
    'set style data histograms',
    'set style histogram rowstacked',
    'set style fill solid 0.85 border -1',
    'set boxwidth 0.6',
    'set key outside right top vertical',
    'set ylabel "ms"',
    'set grid ytics',
    `plot "${data}" using 2:xtic(1) title "${phaseNames[0]}", ${phaseNames.slice(1).map((name, i) => `"" using ${i + 3} title "${name}"`).join(', ')}`,
  ].join('\n');
  const result = spawnSync('gnuplot', [], { input: script, encoding: 'utf8' });
  if (result.status !== 0) throw new Error(`gnuplot failed:\n${result.stderr}`);
}

function findings(file) {
  if (!fs.existsSync(file)) return '';
  const text = fs.readFileSync(file, 'utf8');
  const at = text.indexOf('\n## Findings');
  return at < 0 ? '' : text.slice(at + 1).trimEnd();
}

// The person's first sight: the window shown with the first scenario screen in it, the
// later of the two; a window shown before its screen showed the loading animation first.
function firstSight(r) {
  return r.screen === undefined || r.shown === undefined ? undefined : Math.max(r.screen, r.shown);
}

function startupRows(updaterStart, bareStart) {
  const screenReached = updaterStart.every((r) => r.screen !== undefined);
  const early = updaterStart.filter((r) => r.screen !== undefined && r.shown !== undefined && r.shown < r.screen);
  return [
    row('Start-up to window shown with its first scenario screen', 'ms', updaterStart.map(firstSight),
      bareStart.map((r) => r.loaded), '≤ 1.3 × baseline', (s, b, ratio) => ratio <= 1.3 && !early.length,
      `baseline: bare load finished; ${early.length ? `shown before its screen in ${early.length} of `
        + `${updaterStart.length} runs` : 'never shown before its screen'}`),
    row('Start-up to page load finished', 'ms', updaterStart.map((r) => r.loaded), bareStart.map((r) => r.loaded),
      'earlier goal: ≤ 1.15 × baseline', () => undefined),
    row('Start-up to first scenario screen', 'ms', updaterStart.map((r) => r.screen),
      bareStart.map((r) => r.loaded), 'baseline: bare load finished', () => undefined,
      screenReached ? '' : 'not reached: the page shows no scenario screen'),
    row('Start-up peak memory, main process', 'MiB', updaterStart.map((r) => r.rss), bareStart.map((r) => r.rss),
      '≤ 1.1 × baseline', (s, b, ratio) => ratio <= 1.1),
  ];
}

async function main() {
  const display = await startDisplay();
  try {
    const say = (text) => process.stderr.write(`${text}\n`);
    const questionCount = options.smoke ? 1 : 5;
    if (options.clicksOnly) {
      say('clicks on the wizard\'s "Cancel" while flooding');
      const [flooded, calm] = await questionRuns(questionCount, display.display);
      process.stdout.write(`${table([questionRow(flooded, calm)])}\n`);
      return;
    }
    say(`start-up: ${warmUps} warm-up and ${runs} runs of each`);
    const [updaterStart, bareStart] = await interleaved(runs, () => startupUpdater(display.display),
      () => startupBare(display.display));
    if (options.startupOnly) {
      const phases = (list, n) => medianPhases(list, n).map((median) => format(median, 'ms'));
      process.stdout.write(`${table(startupRows(updaterStart, bareStart))}\n\nphases (${phaseNames.join(' ')}):\n`
        + `updater ${phases(updaterStart.map((r) => r.phases), 5).join(', ')}\n`
        + `bare    ${phases(bareStart.map((r) => r.phases), 4).join(', ')}\n`);
      return;
    }
    say('silent run');
    const [updaterSilent, bareSilent] = await interleaved(runs + 3, silentUpdater, silentBare);
    say(`relay: ${relayEvents} events`);
    const relayRuns = options.smoke ? 1 : Math.max(3, Math.ceil(runs / 2));
    const [updaterRelay, bareRelay] = await interleaved(relayRuns, () => relayRun('updater', display.display),
      () => relayRun('bare', display.display));
    say('clicks at 1000 events per second and while flooding');
    const clickRuns = options.smoke ? 1 : 3;
    const [updaterSlow, bareSlow] = await interleaved(clickRuns, () => clickRun('updater', 1000, display.display),
      () => clickRun('bare', 1000, display.display));
    const [updaterFlood, bareFlood] = await interleaved(clickRuns, () => clickRun('updater', 0, display.display),
      () => clickRun('bare', 0, display.display));
    say('clicks on the wizard\'s "Cancel" while flooding');
    const [flooded, calm] = await questionRuns(questionCount, display.display);
    say('logging and links');
    const logging = googleBenchmark('korvane_bench_logging');
    const links = googleBenchmark('korvane_bench_links');
    const ns = (list) => list.map((b) => b.real_time);
    const perSecond = (list) => list.map((b) => b.items_per_second);
    const us = (list) => list.map((b) => b.real_time / 1000);

    const relayComplete = updaterRelay.every((r) => r.complete) && bareRelay.every((r) => r.complete);
    const rows = [
      ...startupRows(updaterStart, bareStart),
      row('Silent run wall time', 'ms', updaterSilent.map((r) => r.wall), bareSilent.map((r) => r.wall),
        '≤ baseline + 30 ms', (s, b) => s.median - b.median <= 30),
      row('Silent run peak memory', 'MiB', updaterSilent.map((r) => r.rss), bareSilent.map((r) => r.rss),
        '≤ 20 MB', (s) => s.max * 2 ** 20 <= 20e6),
      row(`Relay, ${relayEvents} progress events into the page`, 'events/s', updaterRelay.map((r) => r.rate),
        bareRelay.map((r) => r.rate), '≥ 0.9 × baseline, last value, in order', (s, b, ratio) => ratio >= 0.9 && relayComplete,
        relayComplete ? 'the last value arrived, all in order' : 'LAST VALUE LOST OR OUT OF ORDER'),
      row('Click round trip, 1000 events/s flowing', 'ms', updaterSlow.flat(), bareSlow.flat(), '< 100 ms',
        (s) => s.max < 100),
      row('Click round trip, events flooding', 'ms', updaterFlood.flat(), bareFlood.flat(), '–', () => undefined),
      questionRow(flooded, calm),
      row('Log statement filtered out', 'ns', ns(logging.LogStatementFilteredOut),
        ns(logging.RawBoostLogFilteredOut), '≤ 5 ns', (s) => s.median <= 5),
      row('Log records written at an enabled level', 'records/s', perSecond(logging.LogStatementWritten),
        perSecond(logging.RawBoostLogWritten), '≥ 0.8 × raw Boost.Log', (s, b, ratio) => ratio >= 0.8),
      row('One link, all option files present', 'µs', us(links.BuildLink), us(links.ReadLinkFiles),
        'baseline: reading the same files', () => undefined),
    ];
    const text = table(rows);
    process.stdout.write(`${text}\n`);
    if (options.smoke) return;

    // Taken before anything is written, so that the commit's state is the run's own.
    const m = machine();
    const docs = path.join(root, 'docs');
    const png = path.join(docs, 'startup-phases.png');
    plotPhases(updaterStart.map((r) => r.phases), bareStart.map((r) => r.phases), png);
    const file = path.join(docs, 'benchmarks.md');
    const kept = findings(file);
    fs.writeFileSync(file, `# Benchmarks

Written by \`scripts/bench.sh\` (Release build in \`build-release/\`); the figures below are one
real run. Machine: ${m.host}, ${m.cpu}, ${m.memory}, ${m.system}; load average at the end
${m.load}. Date: ${m.date}. Commit: ${m.commit}.

Our machines are shared and busy, so every figure stands beside a bare baseline measured in
the same run, and the two take turns run by run after one warm-up of each. Start-up:
${runs} runs of each; silent run: ${runs + 3}; relay: ${relayRuns}; clicks: ${clickRuns} runs of
${clicksPerRun} clicks, and ${questionCount} of one click on the wizard's "Cancel"; logging and links:
${runs} repetitions of at least 1 s.

${text}

## How each figure is taken

- **Start-up** (Xvfb, one server for the whole run, simulated kernel \`${simulation}\`, a fresh
  home each run, so the language is detected as on a first start): from just before the
  process is spawned to what the person first sees: the window shown (the updater's "show
  window" record, \`KORVANE_LOG_LEVEL=Info\` for its time stamp) with the first scenario screen
  in it, the later of the two. The first scenario screen is the page's first \`SetView\` call,
  stamped as it arrives through the kernel's journal (a named pipe), or the first
  \`.view-welcome .screen\` element in the page, whichever comes first; a window shown before
  it would have shown the loading animation first, which the table reports. The earlier
  figures stand beside it: start to the "load finished" record, and start to the first
  scenario screen. Baseline: \`bench/bare_window\`, a frameless 782 x 618 window with one web
  view loading one page from a Qt resource and binding one object over the web channel, with
  the updater's web engine settings; it shows itself at load finished. Peak memory is
  \`VmHWM\` of the main process when the run ends.
- **Silent run**: \`korvaneupdater --silent\`, wall time and peak resident memory from
  \`bench/silent/MeasureRun\` (\`wait4\`). Baseline: \`bench/silent/BareKernelRun\`, which only
  loads the kernel library and runs the detected scenario through its interfaces.
- **Relay**: the updater with the simulated kernel's \`progress_events=${relayEvents}\`: the page
  calls \`Start\` and the kernel's run raises ${relayEvents} \`ProgressPositionChanged\` events
  (0, 1, 2, ...) from its own thread, as fast as it can. The page counts them
  and checks their order; the rate is events over the time from the page's \`Start\` call to the
  last arrival. Baseline: the bare window, the same number of queued signals from a worker
  thread. Clicks: a real mouse click (DevTools input) on a button put into the page, timed from
  the input event to the answer of a call through the channel (\`updater_kernel.GetView\`, the
  bare \`bench.Ping\`), ten clicks 100 ms apart while events flow at 1000/s
  (\`progress_rate=1000\`), and while they flood. The wizard's own "Cancel": the updater with
  \`scenario=Install,offer=0,progress_events=${relayEvents},progress_rate=0\`: the licence box and
  "Start Install" clicked, then, as soon as the program's log shows the page's \`Start\` call, one
  real mouse click where a calm run showed the progress view's "Cancel" (a flooded page answers
  the debugging connection only after the flood), timed from the input event to the first frame that shows the question's title;
  baseline: the same click during a normal run (\`step_ms=1000\`), when no events flood.
- **Logging** (\`bench/micro/LogBenchmark.cpp\`): the program's statement against
  \`BOOST_LOG_SEV\` with the same sink, rotation, collector limits, format, locale and attributes
  installed by hand, writing the same line.
- **Links** (\`bench/micro/LinkBenchmark.cpp\`): \`GetUlr(70)\` with the saved language, partner
  file, tracking file, installation identifier and first-run marker present; the baseline reads
  the same files as often.

![Start-up phases](startup-phases.png)
${kept ? `\n${kept}\n` : ''}`);
    say(`wrote ${path.relative(root, file)} and ${path.relative(root, png)}`);
  } finally {
    await display.stop();
    for (const folder of temporary) fs.rmSync(folder, { recursive: true, force: true });
  }
}

main().catch((error) => {
  process.stderr.write(`${error.stack || error}\n`);
  process.exit(1);
});
