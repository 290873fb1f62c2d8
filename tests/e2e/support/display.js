'use strict';
// One virtual X display for a test file, on a display number the server picks itself,
// and a window manager for the tests that need one (minimizing, the system's close command).
// The server does not reset when its last client leaves: a reset closes every connection,
// so a client that connects while the previous test's web engine processes are still
// leaving would lose its display.
const { spawn, execFileSync } = require('node:child_process');

async function startDisplay() {
  const server = spawn('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp', '-noreset'], {
    stdio: ['ignore', 'pipe', 'ignore'],
  });
  const number = await new Promise((resolve, reject) => {
    let text = '';
    server.stdout.on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n')) resolve(text.trim());
    });
    server.on('exit', (code) => reject(new Error(`Xvfb ended with ${code}`)));
  });
  return {
    display: `:${number}`,
    stop: () => new Promise((resolve) => {
      if (server.exitCode !== null) return resolve();
      server.on('exit', resolve);
      server.kill();
    }),
  };
}

// Openbox on the display until stop(); ready once it answers as the display's manager.
// One that ends before it takes the display is started once more (its words go to the
// test's output), so a display that dropped a new connection does not fail the test.
async function startWindowManager(display) {
  try {
    return await runWindowManager(display);
  } catch (error) {
    if (!error.endedEarly) throw error;
    console.error(`# ${error.message}; starting it again`);
    return runWindowManager(display);
  }
}

async function runWindowManager(display) {
  const env = { ...process.env, DISPLAY: display };
  const manager = spawn('openbox', ['--sm-disable'], { env, stdio: ['ignore', 'ignore', 'pipe'] });
  let said = '';
  manager.stderr.on('data', (chunk) => { said += chunk; });
  const exited = new Promise((resolve) => manager.on('close', resolve)); // after its error output
  const deadline = Date.now() + 15000;
  for (;;) {
    if (manager.exitCode !== null) {
      await exited;
      throw Object.assign(new Error(`openbox ended with ${manager.exitCode}: ${said.trim()}`), { endedEarly: true });
    }
    try {
      if (/Name: Openbox/.test(execFileSync('wmctrl', ['-m'], { env, stdio: ['ignore', 'pipe', 'ignore'] }).toString())) break;
    } catch {
      // not managing the display yet
    }
    if (Date.now() > deadline) {
      manager.kill();
      await exited;
      throw new Error('openbox did not take the display');
    }
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  return {
    stop: () => {
      if (manager.exitCode === null && manager.signalCode === null) manager.kill();
      return exited;
    },
  };
}

module.exports = { startDisplay, startWindowManager };
