'use strict';
// The WCAG 2.1 A and AA rules of axe-core (pinned in package.json), run on the page as it
// stands once its fades and transitions have ended (a box half faded in has no contrast to
// speak of): the violations as "rule: element" lines.
const fs = require('node:fs');

const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const WCAG_TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'];

async function accessibilityViolations(page) {
  await page.evaluate(() => Promise.all(document.getAnimations()
    .filter((animation) => animation.effect.getComputedTiming().endTime !== Infinity)
    .map((animation) => animation.finished.catch(() => {}))));
  if (!(await page.evaluate(() => typeof window.axe === 'object'))) await page.evaluate(axeSource);
  const violations = await page.evaluate((tags) => window.axe.run(document, {
    runOnly: { type: 'tag', values: tags },
    resultTypes: ['violations'],
  }).then((result) => result.violations.map((v) => ({
    id: v.id,
    targets: v.nodes.map((node) => node.target.join(' ')),
  }))), WCAG_TAGS);
  return violations.flatMap(({ id, targets }) => targets.map((target) => `${id}: ${target}`));
}

module.exports = { accessibilityViolations };
