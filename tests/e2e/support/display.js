'use strict';
// One virtual X display for a test file, on a display number the server picks itself.
const { spawn } = require('node:child_process');

async function startDisplay() {
  const server = spawn('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'], {
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

module.exports = { startDisplay };
