// Times Зорнет's page from navigation until a1 and b1 hold the first problem, beside the same page
// without its program, which shows the same 13 controls and nothing more (the floor for any page
// that shows them); alternating runs in Debian's Chromium, medians. Then the size of the one-file
// page, and Lighthouse's performance, accessibility and best-practices scores for the folder as a
// web server serves it. Usage: node page.mjs PAGE.html SITE_FOLDER [RUNS]
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import lighthouse from 'lighthouse';
import puppeteer from 'puppeteer-core';
import { serve } from '../../tests/web/serve.mjs';

const [page, site, runs = '21'] = process.argv.slice(2);
const html = readFileSync(page, 'utf8');
const scratch = mkdtempSync(join(tmpdir(), 'zornet-bench-'));
const floor = join(scratch, 'floor.html');
writeFileSync(floor, html.replace(/<script>[\s\S]*<\/script>/, ''));

// When the page's boxes first hold a problem: a1 is written last. The floor page has no program,
// so it is ready once it has loaded.
const watch = `(() => {
  const set = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value').set;
  Object.defineProperty(HTMLInputElement.prototype, 'value', {
    set(text) { set.call(this, text); if (this.id === 'a1' && text && !window.__posed) window.__posed = performance.now(); },
    get: Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value').get,
  });
})();`;

const flags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage'];
const browser = await puppeteer.launch({ executablePath: process.env.ZORNET_CHROMIUM || '/usr/bin/chromium', headless: true, args: flags });
const median = (values) => values.sort((x, y) => x - y)[Math.floor(values.length / 2)];
const times = { page: [], floor: [] };
for (let run = 0; run < Number(runs); ++run) {
  for (const [name, file] of [['page', page], ['floor', floor]]) {
    const tab = await browser.newPage();
    await tab.evaluateOnNewDocument(watch);
    await tab.goto(pathToFileURL(file).href, { waitUntil: 'load' });
    const ready = name === 'page'
      ? await tab.waitForFunction(() => window.__posed).then((handle) => handle.jsonValue())
      : await tab.evaluate(() => performance.getEntriesByType('navigation')[0].loadEventEnd);
    if (run > 0) times[name].push(ready); // the first round warms the disk cache and the browser
    await tab.close();
  }
}
await browser.close();
const [posed, loaded] = [median(times.page), median(times.floor)];
console.log(`first problem: ${posed.toFixed(1)} ms (median of ${times.page.length}); the page without its program: ${loaded.toFixed(1)} ms; ratio ${(posed / loaded).toFixed(2)}`);

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
if (gzipped > 96 * 1024) {
  console.log('the page is over its size budget');
  process.exit(1);
}
