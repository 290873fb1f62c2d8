'use strict';
// The three progress views: each scenario's screen and run start, the progress handlers,
// the compatible-mode counting of the uninstall view, the cancel questions, the feature
// slides and the move to the completion view.
const test = require('node:test');
const assert = require('node:assert/strict');
const { pageTests } = require('./support/wizard');

const withWizard = pageTests(test);

const CANCEL_INSTALL = 'Are you sure you want to cancel installation?';
const CANCEL_UNINSTALL = 'Are you sure you want to cancel uninstallation?';
const CANCEL_UPDATE = 'Are you sure you want to cancel update?';
const CANCEL_REPAIR = 'Are you sure you want to cancel repair?';

test('each progress view: title, screen name and start per scenario; "Unknown error" for the rest', async (t) => {
  // route, scenario, title, SetView sent, cancel question (null: unknown screen, no start)
  const table = [
    ['/detectInstall', 5, 'Installing...', 'Installing', CANCEL_INSTALL],
    ['/detectInstall', 6, 'Updating...', 'Installing', CANCEL_INSTALL],
    ['/detectInstall', 11, 'Installing...', 'Installing', CANCEL_INSTALL],
    ['/detectInstall', 7, 'Installing...', 'Installing', CANCEL_INSTALL],
    ['/detectInstall', 8, 'Installing Drivers...', 'Installing Drivers...', CANCEL_INSTALL],
    ['/detectInstall', 17, 'Installing Drivers...', 'Installing Drivers...', CANCEL_INSTALL],
    ['/detectInstall', 9, 'Unknown error', 'InstallError', null],
    ['/detectInstall', 0, 'Unknown error', 'InstallError', null],
    ['/detectInstall', 30, 'Unknown error', 'InstallError', null],
    ['/detectUninstall', 2, 'Uninstalling...', null, CANCEL_UNINSTALL],
    ['/detectUninstall', 3, 'Uninstalling...', null, CANCEL_UNINSTALL],
    ['/detectUninstall', 16, 'Updating...', null, CANCEL_UPDATE],
    ['/detectUninstall', 9, 'Uninstalling...', null, CANCEL_UNINSTALL],
    ['/detectUninstall', 15, 'Removing previous Korvane Antivirus files...', null, CANCEL_UNINSTALL],
    ['/detectUninstall', 5, 'Unknown error', null, null],
    ['/detectUninstall', 0, 'Unknown error', null, null],
    ['/detectRepair', 12, 'Repairing...', 'Installing', CANCEL_REPAIR],
    ['/detectRepair', 13, 'Unknown error', null, null],
    ['/detectRepair', 0, 'Unknown error', null, null],
  ];
  for (const [route, scenario, title, view, question] of table) {
    await t.test(`${route} for scenario ${scenario}`, () => withWizard({}, async (wizard) => {
      await wizard.clearCalls();
      await wizard.show(route, scenario);
      const calls = await wizard.calls();
      const expected = [];
      if (view) expected.push(`SetView(${JSON.stringify(view)})`);
      if (question) expected.push('Start()');
      assert.deepEqual(calls.filter((c) => c.startsWith('SetView') || c === 'Start()'), expected);
      if (!question) {
        assert.equal(await wizard.text('.view-progress .screen-unknown'), 'Unknown error');
        assert.equal(await wizard.visible('.view-progress .cancel'), false);
        assert.equal(await wizard.visible('.screen-progress'), false);
        return;
      }
      assert.equal(await wizard.text('.progress-title'), title);
      // Before the first progress signal.
      assert.equal(await wizard.text('.progress-component'), 'Initializing...');
      assert.equal(await wizard.text('.progress-description'), route === '/detectRepair' ? 'Initializing...' : '');
      assert.deepEqual(await wizard.page.$$eval('.bar-fill', (bars) => bars.map((b) => b.getBoundingClientRect().width)), [0, 0]);

      // "Cancel" asks; only "Yes" interrupts, and the window stays open.
      await wizard.clearCalls();
      await wizard.click('.view-progress .cancel');
      assert.deepEqual(await wizard.openDialogs(), ['Cancel']);
      assert.equal(await wizard.text('.ngdialog .dialog-text'), question);
      await wizard.answerDialog('.dialog-no');
      await wizard.click('.view-progress .cancel');
      await wizard.answerDialog('.dialog-yes');
      assert.deepEqual(await wizard.calls(), ['Interrupt()']);
      assert.equal(await wizard.route(), `#${route}`);
    }));
  }
});

test('the progress handlers: bars take the percentage as received, unknown texts show "Initializing..."', async (t) => {
  for (const route of ['/detectInstall', '/detectUninstall', '/detectRepair']) {
    await t.test(route, () => withWizard({}, async (wizard) => {
      await wizard.show(route, { '/detectInstall': 5, '/detectUninstall': 9, '/detectRepair': 12 }[route]);
      const widths = () => wizard.page.$$eval('.bar', (bars) => bars.map((bar) =>
        bar.querySelector('.bar-fill').getBoundingClientRect().width / bar.getBoundingClientRect().width));
      assert.equal(await wizard.page.$eval('.bar', (bar) => bar.getBoundingClientRect().width), 600);

      await wizard.emit('updater_kernel', 'ComponentsProgressPositionChangedSignal', 42.5);
      await wizard.emit('updater_kernel', 'ProgressPositionChangedSignal', 7.25);
      assert.deepEqual(await widths(), [0.425, 0.0725]);
      await wizard.emit('updater_kernel', 'ProgressPositionChangedSignal', 100);
      assert.deepEqual(await widths(), [0.425, 1]);

      const texts = [
        ['ProgressComponentChangedSignal', 2, '.progress-component', 'Korvane Anti-Malware Engine'],
        ['ProgressComponentChangedSignal', 13, '.progress-component', 'Initializing...'],
        ['ProgressComponentChangedSignal', 99, '.progress-component', 'Initializing...'],
        ['ProgressComponentChangedSignal', 9, '.progress-component', 'Korvane Antivirus application'],
        ['ProgressDescriptionChangedSignal', 'Copying new files', '.progress-description', 'Copying new files'],
        ['ProgressDescriptionChangedSignal', 'copying new files', '.progress-description', 'Initializing...'],
        ['ProgressDescriptionChangedSignal', 'Publishing product information', '.progress-description', 'Initializing...'],
        ['ProgressDescriptionChangedSignal', 'Rolling back action:', '.progress-description', 'Rolling back action:'],
      ];
      for (const [signal, value, selector, shown] of texts) {
        await wizard.emit('updater_kernel', signal, value);
        assert.equal(await wizard.text(selector), shown, `${signal} ${value}`);
      }
    }));
  }
});

test('the uninstall view keeps compatible mode on until a full-protection component is reported', async (t) => {
  // components reported, the kernel's compatible setting after each
  const table = [
    [[2, 9], [true, true]],
    [[3, 2, 9], [false, false, false]],
    [[2, 3, 9, 10], [true, false, false, false]],
    [[5], [false]],
    [[6], [false]],
    [[8], [false]],
    [[7, 4, 0, 1], [true, true, true, true]],
  ];
  for (const [components, settings] of table) {
    await t.test(components.join(', '), () => withWizard({}, async (wizard) => {
      await wizard.show('/detectUninstall', 9);
      await wizard.clearCalls();
      for (const component of components) await wizard.emit('updater_kernel', 'ProgressComponentChangedSignal', component);
      assert.deepEqual(await wizard.calls(), settings.map((on) => `SetCompatibleInstall(${on})`));
    }));
  }
  await t.test('the install and repair views leave the setting alone', () => withWizard({}, async (wizard) => {
    await wizard.show('/detectInstall', 5);
    await wizard.clearCalls();
    await wizard.emit('updater_kernel', 'ProgressComponentChangedSignal', 3);
    assert.deepEqual(await wizard.calls(), []);
  }));
});

test('CompleteSignal leads to the completion view; only a completed Install reports "InstallComplete"', async (t) => {
  const table = [
    ['/detectInstall', 5, ['SetView("InstallComplete")']],
    ['/detectInstall', 6, []],
    ['/detectInstall', 8, []],
    ['/detectUninstall', 16, []],
    ['/detectRepair', 12, []],
  ];
  for (const [route, scenario, views] of table) {
    await t.test(`${route} for scenario ${scenario}`, () => withWizard({}, async (wizard) => {
      await wizard.show(route, scenario);
      await wizard.clearCalls();
      await wizard.emit('updater_kernel', 'CompleteSignal');
      assert.equal(await wizard.route(), '#/detectComplete');
      assert.deepEqual((await wizard.calls()).filter((c) => c.startsWith('SetView')), views);
      assert.ok(!(await wizard.calls()).includes('Start()'), 'the run is not started again');
    }));
  }
});

test('the feature slides: slide 1 at the opening, then 2 to 6 and round again from 2 every 8 seconds', () =>
  withWizard({ clock: true }, async (wizard) => {
    await wizard.show('/detectInstall', 5);
    const { page } = wizard;
    await page.clock.pauseAt(await page.evaluate(() => Date.now() + 1000));
    const shown = () => page.$$eval('.slide', (slides) => slides
      .map((slide, i) => (slide.classList.contains('slide-visible') ? i + 1 : 0)).filter(Boolean));
    assert.deepEqual(await shown(), [1]);
    assert.equal(await page.$eval('.slide-visible .slide-heading', (h) => h.textContent), 'Award winning antivirus protection');
    // The fade: opacity over half a second, linear.
    assert.deepEqual(await page.$$eval('.slide', (slides) => slides.map((s) => {
      const style = getComputedStyle(s);
      return [style.transitionProperty.split(', ')[0], style.transitionDuration.split(', ')[0],
        style.transitionTimingFunction.split(', ')[0]];
    })), Array(6).fill(['opacity', '0.5s', 'linear']));
    // The clock paused a little after the opening: the first change comes within 8 s,
    // then one change every 8 s.
    let waited = 0;
    while ((await shown())[0] === 1) {
      assert.ok(waited < 8000, 'slide 1 still shown after 8 s');
      await page.clock.runFor(250);
      waited += 250;
    }
    const seen = await shown();
    for (let change = 1; change < 7; change += 1) {
      await page.clock.runFor(8000);
      seen.push(...(await shown()));
    }
    assert.deepEqual(seen, [2, 3, 4, 5, 6, 2, 3]);

    // Leaving the view stops the rotation: once the completion view has settled, no timer
    // wakes the page any more.
    await page.clock.resume();
    await wizard.show('/detectComplete', 5);
    await page.clock.pauseAt(await page.evaluate(() => Date.now() + 100));
    await page.evaluate(() => {
      window.digestCount = 0;
      angular.element(document.documentElement).injector().get('$rootScope').$watch(() => { window.digestCount += 1; });
    });
    await page.clock.runFor(1);
    await page.evaluate(() => { window.digestCount = 0; });
    await page.clock.runFor(16000);
    assert.equal(await page.evaluate(() => window.digestCount), 0, 'no timer digests after the view is left');
  }));
