'use strict';
// Links opened from the real window reach the desktop's opener with every parameter:
// a fake xdg-open first on PATH records what it is asked to open.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { startDisplay } = require('./support/display');
const { Updater, waitFor } = require('./support/updater');

const options = '.local/share/korvane/korvane antivirus/Options';

let display;
test.before(async () => { display = await startDisplay(); });
test.after(async () => { await display.stop(); });

test('the licence link carries the link id, the user flow and the partner, escaped', async () => {
  const updater = await Updater.start({
    display: display.display,
    simulation: 'scenario=Install',
    files: {
      [`${options}/Partner.xml`]: '<params><value name="partner" data="acme &amp; co"/></params>',
      [`${options}/lang`]: '1',
    },
  });
  try {
    await updater.waitFor("!!document.querySelector('.license')", 'the install screen');
    await updater.click('.license');
    const opened = path.join(updater.home, 'opened.txt');
    const link = (await waitFor(() => fs.existsSync(opened) && fs.readFileSync(opened, 'utf8'), 'the opener')).trim();
    const url = new URL(link);
    assert.equal(url.origin + url.pathname, 'https://redirect.korvane.com/redirect.php');
    assert.equal(url.searchParams.get('LID'), 'LID090');
    assert.equal(url.searchParams.get('userflow'), 'installation');
    assert.equal(url.searchParams.get('mvt-inter'), 'acme & co');
    assert.match(link, /&mvt-inter=acme%20%26%20co&/);
    assert.equal(url.searchParams.get('culture'), 'de');
    assert.equal(url.searchParams.get('lang'), 'de');
    assert.equal(url.searchParams.get('version'), '12.10.151.0');
    assert.deepEqual([...url.searchParams.keys()], ['LID', 'userflow', 'culture', 'utm_source', 'utm_medium',
      'utm_campaign', 'time', 'InstallDate', 'mvt-inter', 'IGUID', 'version', 'lang']);
    assert.match(updater.log(), /\]: exec url\. lid=90\n/);
  } finally {
    await updater.stop();
  }
});
