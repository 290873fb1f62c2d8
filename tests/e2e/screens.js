'use strict';
// Takes a picture of every screen of the wizard from the real window with the simulated
// kernel, and writes them with an index page into the folder given (scripts/screens.sh).
const fs = require('node:fs');
const path = require('node:path');
const { startDisplay } = require('./support/display');
const { Updater } = require('./support/updater');
const { Steps } = require('./support/steps');

const out = path.resolve(process.argv[2] || 'docs/screens');

// Mid-run: the overall bar between a third and two thirds.
async function midRun(s) {
  await s.updater.waitFor(`(() => { const f = document.querySelector('.overall-fill');
    return !!f && parseFloat(f.style.width) >= 35; })()`, 'the run half done');
}

function completion(scenario, before, extra = '') {
  return {
    sim: `scenario=${scenario},step_ms=0${extra}`,
    run: async (s) => {
      if (before) await before(s);
      await s.waitRoute('#/detectComplete');
      await s.waitVisible('.view-complete .title');
    },
  };
}

const previous = (s) => s.click('.screen-previous .continue');

// group, file name, caption, simulation, steps to the screen
const SCREENS = [
  ['Welcome', 'welcome-install', 'Install', { sim: 'scenario=Install', run: (s) => s.waitVisible('.screen-install') }],
  ['Welcome', 'welcome-install-compatible', 'Install, incompatible software detected',
    { sim: 'scenario=Install,incompatibles=1', run: (s) => s.waitVisible('.screen-install .note') }],
  ['Welcome', 'welcome-previous-9', 'Previous version: Korvane 9', { sim: 'scenario=2', run: (s) => s.waitVisible('.screen-previous') }],
  ['Welcome', 'welcome-previous-10', 'Previous version: Korvane 10', { sim: 'scenario=3', run: (s) => s.waitVisible('.screen-previous') }],
  ['Welcome', 'welcome-previous-11', 'Previous version: Korvane 11', { sim: 'scenario=16', run: (s) => s.waitVisible('.screen-previous') }],
  ['Welcome', 'welcome-reboot', 'Reboot required', { sim: 'scenario=RebootRequired,reboot=1', run: (s) => s.waitVisible('.screen-reboot .reboot-now') }],
  ['Welcome', 'welcome-latest', 'Latest version', { sim: 'scenario=LatestVersion', run: (s) => s.waitVisible('.screen-latest') }],
  ['Welcome', 'welcome-corrupted', 'Old files', { sim: 'scenario=Corrupted', run: (s) => s.waitVisible('.screen-corrupted') }],
  ['Welcome', 'welcome-uninstall', 'Uninstall', { sim: 'scenario=Uninstall', run: (s) => s.waitVisible('.screen-uninstall') }],
  ['Welcome', 'welcome-change', 'Repair or remove', { sim: 'scenario=Change', run: (s) => s.waitVisible('.screen-change') }],
  ['Welcome', 'welcome-unknown', 'Unknown scenario', { sim: 'scenario=Unknown', run: (s) => s.waitVisible('.screen-unknown') }],

  ['Before the run', 'offer', 'Offer', { sim: 'scenario=Install', run: async (s) => {
    await s.acceptInstall();
    await s.waitRoute('#/detectOffers');
    await s.click('input.offer-yes + .radio');
  } }],
  ['Before the run', 'protection', 'Protection', { sim: 'scenario=Uninstall', run: async (s) => {
    await s.click('.screen-uninstall .remove');
    await s.waitVisible('.screen-protection');
  } }],

  ['Progress', 'progress-install', 'Install, mid-run', { sim: 'scenario=Install,offer=0,step_ms=150', run: async (s) => {
    await s.acceptInstall();
    await midRun(s);
  } }],
  ['Progress', 'progress-uninstall', 'Uninstall, mid-run', { sim: 'scenario=16,step_ms=150', run: async (s) => {
    await previous(s);
    await midRun(s);
  } }],
  ['Progress', 'progress-repair', 'Repair, mid-run', { sim: 'scenario=Repair,step_ms=150', run: midRun }],

  ['Completion', 'complete-install', 'Install', completion('Install', (s) => s.acceptInstall(), ',offer=0')],
  ['Completion', 'complete-update', 'Update', completion('Update')],
  ['Completion', 'complete-realtime', 'Real-Time protection', completion(7)],
  ['Completion', 'complete-network', 'Network protection', completion(8)],
  ['Completion', 'complete-features', 'Drivers', completion(17)],
  ['Completion', 'complete-avc', 'Active Virus Control', completion(11)],
  ['Completion', 'complete-repair', 'Repair', completion('Repair')],
  ['Completion', 'complete-uninstall', 'Uninstall, restart wanted', completion('Uninstall', async (s) => {
    await s.click('.screen-uninstall .remove');
    await s.click('.view-protection .skip');
  }, ',reboot=1')],
  ['Completion', 'complete-corrupted', 'Old files removed, restart wanted',
    completion('Corrupted', (s) => s.click('.screen-corrupted .remove-files'), ',reboot=1')],
  ['Completion', 'complete-previous-9', 'Korvane 9 removed, restart wanted', completion(2, previous, ',reboot=1')],
  ['Completion', 'complete-previous-11', 'Korvane 11 removed, restart wanted', completion(16, previous, ',reboot=1')],

  ['Interrupted and errors', 'interrupted-install', 'Install cancelled', { sim: 'scenario=Install,offer=0,step_ms=150', run: async (s) => {
    await s.acceptInstall();
    await s.waitVisible('.view-progress .cancel');
    await s.click('.view-progress .cancel');
    await s.answerDialog('.dialog-yes');
    await s.waitVisible('.view-interrupted .title');
  } }],
  ['Interrupted and errors', 'interrupted-repair', 'Repair cancelled', { sim: 'scenario=Repair,step_ms=150', run: async (s) => {
    await s.click('.view-progress .cancel');
    await s.answerDialog('.dialog-yes');
    await s.waitVisible('.view-interrupted .title');
  } }],
  ['Interrupted and errors', 'error-install', 'Install failed', { sim: 'scenario=Install,offer=0,outcome=error,step_ms=0', run: async (s) => {
    await s.acceptInstall();
    await s.waitVisible('.view-errors .title');
  } }],
  ['Interrupted and errors', 'error-corrupted', 'Old-files removal failed: the general error',
    { sim: 'scenario=Corrupted,outcome=error,step_ms=0', run: async (s) => {
      await s.click('.screen-corrupted .remove-files');
      await s.waitVisible('.view-errors .title');
    } }],
  ['Interrupted and errors', 'error-already-started', 'Already started', { sim: 'scenario=AlreadyStarted', run: (s) => s.waitVisible('.view-errors .title') }],
  ['Interrupted and errors', 'error-detected', 'Other product detected', { sim: 'scenario=VeltrionDetected', run: (s) => s.waitVisible('.view-errors .title') }],

  ['Dialogs', 'dialog-close-updater', 'Close the updater', { sim: 'scenario=Change', run: async (s) => {
    await s.click('.screen-change .cancel');
    await s.openDialogs();
  } }],
  ['Dialogs', 'dialog-compatible', 'Compatible mode', { sim: 'scenario=Install', run: async (s) => {
    await s.click('input.compatible + .box');
    await s.openDialogs();
  } }],
  ['Dialogs', 'dialog-offer', 'Browsers to be closed', { sim: 'scenario=Install', run: async (s) => {
    await s.acceptInstall();
    await s.click('input.offer-yes + .radio');
    await s.click('.view-offers .continue');
    await s.openDialogs();
  } }],
  ['Dialogs', 'dialog-uninstall', 'Uninstall question', { sim: 'scenario=Uninstall', run: async (s) => {
    await s.click('.screen-uninstall .remove');
    await s.click('.view-protection .next');
    await s.openDialogs();
  } }],
  ['Dialogs', 'dialog-cancel-installation', 'Cancel installation', { sim: 'scenario=Install,offer=0,step_ms=150', run: async (s) => {
    await s.acceptInstall();
    await s.click('.view-progress .cancel');
    await s.openDialogs();
  } }],
  ['Dialogs', 'dialog-reboot', 'Reboot', { sim: 'scenario=16,reboot=1,step_ms=0', run: async (s) => {
    await previous(s);
    await s.click('.view-complete .close');
    await s.openDialogs();
  } }],
  ['Dialogs', 'dialog-disk-space', 'Not enough disk space', { sim: 'scenario=Update,disk_full=1', run: (s) => s.openDialogs() }],
  ['Dialogs', 'dialog-busy', 'Another installation in progress', { sim: 'scenario=Update,busy=1', run: (s) => s.openDialogs() }],
];

function escape(text) {
  return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}

async function main() {
  fs.mkdirSync(out, { recursive: true });
  for (const name of fs.readdirSync(out)) if (name.endsWith('.png')) fs.rmSync(path.join(out, name));
  const display = await startDisplay();
  try {
    for (const [, file, caption, { sim, run }] of SCREENS) {
      const updater = await Updater.start({ display: display.display, simulation: sim });
      try {
        const steps = new Steps(updater);
        await run(steps);
        await steps.drawn();
        updater.screenshot(path.join(out, `${file}.png`));
        process.stdout.write(`${file}.png  ${caption}\n`);
      } finally {
        await updater.stop();
      }
    }
  } finally {
    await display.stop();
  }

  const sections = [];
  for (const [group, file, caption] of SCREENS) {
    if (!sections.length || sections[sections.length - 1].group !== group) sections.push({ group, items: [] });
    sections[sections.length - 1].items.push(`<figure><img src="${file}.png" alt="${escape(caption)}" width="391">`
      + `<figcaption>${escape(caption)}</figcaption></figure>`);
  }
  fs.writeFileSync(path.join(out, 'index.html'), `<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Korvane Updater: the wizard's screens</title>
<style>
body { font: 14px/1.4 sans-serif; margin: 24px; color: #2b3438; }
h2 { color: #0b6775; margin-top: 32px; }
.screens { display: flex; flex-wrap: wrap; gap: 16px; }
figure { margin: 0; }
img { border: 1px solid #d5dbdd; }
figcaption { margin-top: 4px; }
</style>
</head>
<body>
<h1>The wizard's screens</h1>
<p>Taken from the real window with the simulated kernel by <code>scripts/screens.sh</code>.</p>
${sections.map(({ group, items }) => `<h2>${escape(group)}</h2>\n<div class="screens">\n${items.join('\n')}\n</div>`).join('\n')}
</body>
</html>
`);
}

main().catch((error) => {
  process.stderr.write(`${error.stack || error}\n`);
  process.exit(1);
});
