// Times Зорнет's page from navigation until a1 and b1 hold the first problem, beside the same page
// without its program, which shows the same 13 controls and nothing more (the floor for any page
// that shows them); alternating runs, medians: in Debian's Chromium at full speed and with its
// CPU slowed down 4 times (as Lighthouse slows it for a phone), and in the oldest Chromium the
// tests run (65). With a BEFORE page (an earlier build), that page is timed in the same runs.
// Then the size of the one-file page, and Lighthouse's performance, accessibility and
// best-practices scores for the folder as a web server serves it.
// Usage: node page.mjs PAGE.html SITE_FOLDER [RUNS] [BEFORE.html]
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import lighthouse from 'lighthouse';
import puppeteer from 'puppeteer-core';
import { devtools } from '../../tests/web/engines.mjs';
import { oldChromiums, unpack } from '../../tests/web/oldchromium.mjs';
import { serve } from '../../tests/web/serve.mjs';

const [page, site, runs = '21', before] = process.argv.slice(2);
const scratch = mkdtempSync(join(tmpdir(), 'zornet-bench-'));
const floor = join(scratch, 'floor.html');
// Every script element goes: the program's two forms and its start, and the guard.
writeFileSync(floor, readFileSync(page, 'utf8').replace(/<script[^>]*>[\s\S]*?<\/script>/g, ''));
const pages = [['page', page], ['floor', floor], ...(before ? [['before', before]] : [])];

// When the page's boxes first hold a problem: a1 is written last. The floor page has no program,
// so it is ready once it has loaded.
const watch = `(function () {
  var value = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
  Object.defineProperty(HTMLInputElement.prototype, 'value', {
    set: function (text) { value.set.call(this, text); if (this.id === 'a1' && text && !window.__posed) window.__posed = performance.now(); },
    get: value.get,
  });
})();`;
const whenReady = (name) => (name === 'floor'
  ? () => { const entry = performance.getEntriesByType('navigation')[0]; return entry && entry.loadEventEnd; }
  : () => window.__posed);

const flags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage'];
const median = (values) => values.sort((x, y) => x - y)[Math.floor(values.length / 2)];

// Alternating runs of every page through `time(file, name)`; the first round only warms up.
// `earlier`: whether the earlier page runs there at all.
async function measure(label, time, { earlier = true } = {}) {
  const timed = pages.filter(([name]) => earlier || name !== 'before');
  const times = Object.fromEntries(timed.map(([name]) => [name, []]));
  for (let run = 0; run < Number(runs); ++run) {
    for (const [name, file] of timed) {
      const ready = await time(pathToFileURL(file).href, name);
      if (run > 0) times[name].push(ready);
    }
  }
  const [posed, loaded] = [median(times.page), median(times.floor)];
  let line = `${label}: first problem ${posed.toFixed(1)} ms, the page without its program ${loaded.toFixed(1)} ms, ratio ${(posed / loaded).toFixed(2)}`;
  if (times.before) line += `; before: ${median(times.before).toFixed(1)} ms, ratio ${(median(times.before) / loaded).toFixed(2)}`;
  console.log(`${line} (medians of ${times.page.length})`);
  return posed / loaded;
}

const chromium = await puppeteer.launch({ executablePath: process.env.ZORNET_CHROMIUM || '/usr/bin/chromium', headless: true, args: flags });
const ratios = {};
for (const slowdown of [1, 4]) {
  ratios[slowdown] = await measure(`Chromium ${(await chromium.version()).split('/')[1]}, CPU ${slowdown}x slower`, async (url, name) => {
    const tab = await chromium.newPage();
    if (slowdown > 1) await tab.emulateCPUThrottling(slowdown);
    await tab.evaluateOnNewDocument(watch);
    await tab.goto(url, { waitUntil: 'load' });
    const ready = await tab.waitForFunction(whenReady(name)).then((handle) => handle.jsonValue());
    await tab.close();
    return ready;
  });
}
await chromium.close();

const old = await devtools(unpack(oldChromiums[0]), { language: 'ru-RU' });
await measure(`Chromium ${oldChromiums[0].split('-')[1]}`, async (url, name) => {
  const tab = await old.newTab();
  await tab.send('Page.addScriptToEvaluateOnNewDocument', { source: watch });
  await tab.goto(url);
  const ready = await tab.waitForFunction(whenReady(name));
  await tab.close();
  return ready;
}, { earlier: false }); // the earlier page posed nothing there
await old.close();

const raw = readFileSync(page);
const gzipped = gzipSync(raw, { level: 9 }).length;
console.log(`${page}: ${raw.length} bytes, ${gzipped} gzipped (${(gzipped / 1024).toFixed(1)} KiB of the 96 KiB allowed)`);

const server = await serve(site);
const audited = await puppeteer.launch({ executablePath: process.env.ZORNET_CHROMIUM || '/usr/bin/chromium', headless: true, args: flags });
try {
  const result = await lighthouse(server.url, {
    port: Number(new URL(audited.wsEndpoint()).port), output: 'json', logLevel: 'error',
    onlyCategories: ['performance', 'accessibility', 'best-practices'],
  });
  const scores = Object.values(result.lhr.categories).map((category) => `${category.title} ${Math.round(category.score * 100)}`);
  console.log(`Lighthouse ${result.lhr.lighthouseVersion}: ${scores.join(', ')}`);
} finally {
  await audited.close();
  await server.stop();
}
const failures = [];
if (gzipped > 96 * 1024) failures.push('the page is over its size budget');
for (const [slowdown, ratio] of Object.entries(ratios)) {
  if (ratio > 1.3) failures.push(`the first problem is ${ratio.toFixed(2)} times as late as the page without its program (CPU ${slowdown}x slower), over 1.3`);
}
if (failures.length) {
  console.log(failures.join('\n'));
  process.exit(1);
}
