'use strict';
// Opens the real wizard page in headless Chromium against the fake channel and drives it.
const assert = require('node:assert/strict');
const { chromium } = require('playwright-core');
const { startServer } = require('./server');
const { templatesScript } = require('../../../html/tools/templates');

const chromiumPath = process.env.KORVANE_CHROMIUM || '/usr/bin/chromium';

// One browser and one page server per test file.
async function startBrowser() {
  const server = await startServer();
  const browser = await chromium.launch({
    executablePath: chromiumPath,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--no-first-run'],
  });
  return {
    server,
    browser,
    stop: async () => {
      await browser.close();
      await server.close();
    },
  };
}

// "SetView(\"License\")" for the kernel facade, "window_helpers.Close()" for the others.
function callText({ object, method, args }) {
  const name = object === 'updater_kernel' ? method : `${object}.${method}`;
  return `${name}(${args.map((arg) => JSON.stringify(arg)).join(', ')})`;
}

class Wizard {
  // answers: channel answers by "object.method"; bindDelayMs: when the channel binds
  // (-1: at once); route: the address's hash part; clock: the page's timers run on
  // Playwright's fake clock (page.clock), which the test can pause and advance.
  // `hold`: a file of the page (e.g. a catalog, or 'templates/header.template.html', which
  // is then requested instead of taken from the template cache) held back until
  // wizard.release(); the page is then not settled on opening.
  static async open(env, { answers = {}, bindDelayMs = 0, route = '', clock = false, hold = null } = {}) {
    const context = await env.browser.newContext({ viewport: { width: 782, height: 588 } });
    const page = await context.newPage();
    const wizard = new Wizard(context, page, env.server);
    if (hold) {
      const released = new Promise((resolve) => { wizard.release = resolve; });
      await page.route(`**/html/angular/${hold}`, async (request) => {
        await released;
        await request.continue();
      });
      // A held template is left out of the template cache, so that the page requests it.
      if (hold.startsWith('templates/')) {
        await page.route('**/html/angular/lib/templates.js', (request) => request.fulfill({
          contentType: 'text/javascript; charset=utf-8', body: templatesScript([hold]),
        }));
      }
    }
    await page.addInitScript((setup) => { window.fakeChannelSetup = setup; }, { answers, bindDelayMs });
    if (clock) await page.clock.install();
    await page.goto(env.server.url + route);
    await page.waitForFunction(() => window.angular && angular.element(document.documentElement).injector());
    if (!hold) await wizard.settle();
    return wizard;
  }

  constructor(context, page, server) {
    this.context = context;
    this.page = page;
    this.server = server;
    this.errors = [];
    page.on('pageerror', (error) => this.errors.push(error.message));
    page.on('console', (message) => {
      if (message.type() === 'error' || message.type() === 'warning') this.errors.push(message.text());
    });
  }

  // Waits until every answer and signal has been delivered and the framework has no
  // template request or timeout outstanding, twice in a row a task apart. Every delivery
  // of the fake channel and every deferred task of the framework is counted, so one turn
  // of the event loop between the looks is enough.
  settle() {
    return this.page.evaluate(() => new Promise((resolve) => {
      const injector = angular.element(document.documentElement).injector();
      const browser = injector.get('$browser');
      let quiet = 0;
      (function check() {
        if (window.fakeChannel.pending > 0) {
          quiet = 0;
          setTimeout(check, 0);
          return;
        }
        browser.notifyWhenNoOutstandingRequests(() => setTimeout(() => {
          quiet = window.fakeChannel.pending === 0 ? quiet + 1 : 0;
          if (quiet >= 2) resolve();
          else check();
        }, 0));
      }());
    }));
  }

  // The page's calls, without its one request for the window at its first screen, which
  // the start-up tests follow on their own.
  async calls() {
    return (await this.page.evaluate(() => window.fakeChannel.calls))
      .filter(({ object, method }) => !(object === 'window_helpers' && method === 'Show')).map(callText);
  }

  async clearCalls() {
    await this.page.evaluate(() => { window.fakeChannel.calls.length = 0; });
  }

  // Raises a signal of the program, e.g. emit('updater_kernel', 'ScenarioDetectedSignal', 5).
  async emit(object, signal, ...args) {
    const handlers = await this.page.evaluate(([o, s, a]) => window.fakeChannel.emit(o, s, ...a), [object, signal, args]);
    if (!handlers) throw new Error(`nothing is connected to ${object}.${signal}`);
    await this.settle();
  }

  async detect(scenario) {
    await this.emit('updater_kernel', 'ScenarioDetectedSignal', scenario);
  }

  // Opens a view for a scenario as the wizard would: GetScenario set, then the route.
  async show(route, scenario) {
    await this.page.evaluate(([r, s]) => {
      const injector = angular.element(document.documentElement).injector();
      const root = injector.get('$rootScope');
      root.$apply(() => {
        root.GetScenario = s;
        injector.get('$location').path(r);
      });
    }, [route, scenario]);
    await this.settle();
  }

  async click(selector) {
    await this.page.click(selector);
    await this.settle();
  }

  async press(key) {
    await this.page.keyboard.press(key);
    await this.settle();
  }

  evaluate(fn, arg) {
    return this.page.evaluate(fn, arg);
  }

  route() {
    return this.page.evaluate(() => location.hash);
  }

  scope(expression) {
    return this.page.evaluate((e) => angular.element(document.documentElement).scope().$eval(e), expression);
  }

  async text(selector) {
    return (await this.page.locator(selector).innerText()).trim().replace(/\s+/g, ' ');
  }

  // The texts of the paragraphs in a view, blanks folded as text() folds them.
  paragraphs(view) {
    return this.page.$$eval(`${view} p`, (ps) => ps.map((p) => p.innerText.trim().replace(/\s+/g, ' ')));
  }

  visible(selector) {
    return this.page.locator(selector).isVisible();
  }

  // The dialogs that are open and not on their way out.
  openDialogs() {
    return this.page.evaluate(() => Array.from(document.querySelectorAll('.ngdialog:not(.ngdialog-closing)'))
      .map((dialog) => dialog.querySelector('.dialog-title').textContent.trim()));
  }

  // Answers the open dialog in one of the ways a user can.
  async answerDialog(how) {
    const dialog = '.ngdialog:not(.ngdialog-closing)';
    if (how === 'escape') await this.press('Escape');
    else if (how === 'overlay') {
      await this.page.click(`${dialog} .ngdialog-overlay`, { position: { x: 8, y: 8 } });
      await this.settle();
    } else await this.click(`${dialog} ${how}`);
  }

  async close() {
    await this.context.close();
  }
}

// Sets up a test file: one browser for its tests, and a check at the end that the page
// never asked for a file the bundle does not hold. Returns withWizard(options, body),
// which opens a fresh page, runs body and fails on any error in the web console.
function pageTests(test) {
  let env;
  test.before(async () => { env = await startBrowser(); });
  test.after(async () => {
    await env.stop();
    assert.deepEqual(env.server.missing, [], 'the page asked for files that do not exist');
  });
  return async function withWizard(options, body) {
    const wizard = await Wizard.open(env, options);
    try {
      await body(wizard);
      assert.deepEqual(wizard.errors, [], 'errors in the web console');
    } finally {
      await wizard.close();
    }
  };
}

module.exports = { pageTests, Wizard };
