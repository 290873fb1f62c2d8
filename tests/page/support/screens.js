'use strict';
// Every screen of the wizard, reached with the fake channel: name -> how to get there.
const K = 'updater_kernel';
const progress = async (wizard) => {
  await wizard.emit(K, 'ProgressComponentChangedSignal', 4);
  await wizard.emit(K, 'ProgressDescriptionChangedSignal', 'Writing system registry values');
  await wizard.emit(K, 'ProgressPositionChangedSignal', 70);
  await wizard.emit(K, 'ComponentsProgressPositionChangedSignal', 40);
};
const offerAnswers = { [`${K}.IsTsOfferAvailable`]: true, [`${K}.GetTsOfferHomepageAndSearch`]: 2 };

const screens = [
  ['welcome-install', {}, (w) => w.detect(5)],
  ['welcome-install-compatible', { [`${K}.IncompatiblesDetected`]: true }, (w) => w.detect(5)],
  ['welcome-previous-9', {}, (w) => w.detect(2)],
  ['welcome-previous-10', {}, (w) => w.detect(3)],
  ['welcome-previous-11', {}, (w) => w.detect(16)],
  ['welcome-reboot', { [`${K}.RebootRequired`]: true }, (w) => w.detect(1)],
  ['welcome-latest', {}, (w) => w.detect(4)],
  ['welcome-corrupted', {}, (w) => w.detect(15)],
  ['welcome-uninstall', {}, (w) => w.detect(9)],
  ['welcome-change', {}, (w) => w.detect(13)],
  ['welcome-unknown', {}, (w) => w.detect(0)],
  ['offer', offerAnswers, async (w) => {
    await w.show('/detectOffers', 5);
    await w.click('input.offer-yes + .radio');
  }],
  ['protection', {}, (w) => w.show('/detectProtection', 9)],
  ['progress-install', {}, async (w) => { await w.show('/detectInstall', 5); await progress(w); }],
  ['progress-uninstall', {}, async (w) => { await w.show('/detectUninstall', 16); await progress(w); }],
  ['progress-repair', {}, async (w) => { await w.show('/detectRepair', 12); await progress(w); }],
  ...[['install', 5], ['update', 6], ['realtime', 7], ['network', 8], ['features', 17], ['avc', 11],
    ['repair', 12], ['uninstall', 9], ['corrupted', 15], ['previous-9', 2], ['previous-11', 16]]
    .map(([name, scenario]) => [`complete-${name}`, { [`${K}.RebootRequired`]: true },
      (w) => w.show('/detectComplete', scenario)]),
  ['interrupted-install', {}, (w) => w.show('/detectInterrupted', 5)],
  ['interrupted-repair', {}, (w) => w.show('/detectInterrupted', 12)],
  ['error-install', {}, (w) => w.show('/detectErrors', 5)],
  ['error-corrupted', {}, (w) => w.show('/detectErrors', 15)],
  ['error-already-started', {}, (w) => w.show('/detectErrors', 10)],
  ['error-detected', {}, (w) => w.show('/detectErrors', 14)],
  ['dialog-close-updater', {}, async (w) => { await w.detect(13); await w.click('.screen-change .cancel'); }],
  ['dialog-compatible', {}, async (w) => { await w.detect(5); await w.click('input.compatible + .box'); }],
  ['dialog-offer', offerAnswers, async (w) => {
    await w.show('/detectOffers', 5);
    await w.click('input.offer-yes + .radio');
    await w.click('.view-offers .continue');
  }],
  ['dialog-uninstall', {}, async (w) => { await w.show('/detectProtection', 9); await w.click('.view-protection .next'); }],
  ['dialog-cancel-installation', {}, async (w) => { await w.show('/detectInstall', 5); await w.click('.view-progress .cancel'); }],
  ['dialog-reboot', { [`${K}.RebootRequired`]: true }, async (w) => {
    await w.show('/detectComplete', 16);
    await w.click('.view-complete .close');
  }],
  ['dialog-busy', {}, async (w) => { await w.detect(5); await w.emit(K, 'AnotherInstallationInProgressSignal'); }],
  ['dialog-disk-space', {}, async (w) => { await w.detect(5); await w.emit(K, 'NotEnoughDiskSpaceSignal'); }],
].map(([name, answers, open]) => ({ name, answers, open }));

// The page's languages with the locale ids the program saves for them.
const { languages } = require('../../../html/tools/languages');

// Texts that do not fit their box: content wider or taller than the element, or an
// element reaching outside the page's 782 x 588 area.
function findOverflow() {
  const problems = [];
  const selector = 'button, .button, .title, h1, h2, h3, p, label, .dialog-title, .dialog-text, .link, ' +
    '.language-select, .description, .component';
  for (const element of document.querySelectorAll(selector)) {
    const style = getComputedStyle(element);
    const box = element.getBoundingClientRect();
    if (style.visibility === 'hidden' || box.width === 0 || box.height === 0) continue;
    // The logo's text is there for screen readers only; the picture stands in for it.
    if (element.closest('.ngdialog-closing') || element.classList.contains('logo')) continue;
    const name = `${element.tagName.toLowerCase()}.${[...element.classList].join('.')} "${element.textContent.trim().slice(0, 60)}"`;
    if (style.display !== 'inline' && (element.scrollWidth > element.clientWidth + 1 || element.scrollHeight > element.clientHeight + 1)) {
      problems.push(`${name} overflows its box (${element.scrollWidth}x${element.scrollHeight} in ${element.clientWidth}x${element.clientHeight})`);
    }
    if (box.left < -0.5 || box.top < -0.5 || box.right > 782.5 || box.bottom > 588.5) {
      problems.push(`${name} is cut off at the page's edge`);
    }
  }
  return problems;
}

module.exports = { screens, languages, findOverflow };
