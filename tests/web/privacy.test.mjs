// A page for children keeps to itself: after it has loaded it asks no origin for anything, sets
// no cookie and stores nothing, and axe-core finds nothing in it that shuts a pupil out.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { it } from 'node:test';
import { inEachBrowser, modern, open, site, type } from './browsers.mjs';
import { serve } from './serve.mjs';

const axe = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// A short lesson: an answer, a wrong one, an error and its dialog closed, the next problem.
async function lesson(tab) {
  await type(tab, 'a1', '56');
  await type(tab, 'b1', '8');
  await type(tab, 'c1', '7');
  await tab.click('#Command1');
  await type(tab, 'c1', '9');
  await tab.keyboard.press('Enter');
  await type(tab, 'b1', '0');
  await tab.click('#Command1');
  await tab.keyboard.press('Enter');
  await tab.click('#Command2');
}

// What the page keeps, as the page itself can see it.
const stored = (tab) => tab.evaluate(async () => ({
  cookie: document.cookie,
  local: localStorage.length,
  session: sessionStorage.length,
  databases: indexedDB.databases ? (await indexedDB.databases()).length : 0,
  caches: 'caches' in self ? (await caches.keys()).filter((name) => !name.startsWith('zornet-')) : [],
}));
const nothing = { cookie: '', local: 0, session: 0, databases: 0, caches: [] };

async function violations(tab) {
  await tab.evaluate(axe);
  return tab.evaluate(async () => (await window.axe.run(document)).violations.map((violation) =>
    `${violation.id}: ${violation.nodes.map((node) => node.target.join(' ')).join(', ')}`));
}

inEachBrowser((session) => {
  it('asks nothing of any origin after loading, and stores nothing', async () => {
    const server = await serve(site);
    try {
      const { tab, record } = await open(session, server.url);
      await tab.evaluate(() => navigator.serviceWorker.ready);
      assert.ok(record.requests.every((url) => url.startsWith(server.url) || url.startsWith('data:')), `${record.requests}`);
      const loaded = record.requests.length;
      await lesson(tab);
      assert.deepEqual(record.requests.slice(loaded), []);
      assert.deepEqual(await stored(tab), nothing);
      assert.deepEqual(await tab.browserContext().cookies?.() ?? [], []);
      assert.deepEqual(record.errors, []);
    } finally {
      await server.stop();
    }
  });

  it('has nothing axe-core objects to, before, during and after an error', async () => {
    const { tab } = await open(session);
    assert.deepEqual(await violations(tab), []);
    await type(tab, 'a1', '56');
    await type(tab, 'b1', '8');
    await type(tab, 'c1', '7');
    await tab.click('#Command1');
    await type(tab, 'c1', '8');
    await tab.click('#Command1');
    assert.deepEqual(await violations(tab), [], 'with both tallies counted');
    await type(tab, 'b1', '');
    await tab.click('#Command1');
    assert.deepEqual(await violations(tab), [], 'with the error dialog open');
  });
}, { only: modern });
