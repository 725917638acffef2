// The two web deliverables as a school uses them: Зорнет.html opened straight from the disk, and
// the folder served by a web server, which installs as an app and opens offline after the first
// visit.
import assert from 'node:assert/strict';
import { it } from 'node:test';
import { inEachBrowser, modern, open, pageUrl, ready, site, texts } from './browsers.mjs';
import { serve } from './serve.mjs';

inEachBrowser((session) => {
  it('works as one file opened from the disk, asking for nothing else', async () => {
    const { tab, record } = await open(session, pageUrl);
    const { a1, b1 } = await texts(tab);
    assert.ok(Number(a1) % Number(b1) === 0, `${a1} : ${b1}`);
    assert.deepEqual(record.requests.filter((url) => url !== pageUrl && !url.startsWith('data:')), []);
    assert.deepEqual(record.errors, []);
  });

  it('opens offline from the folder once it has been visited', async () => {
    const server = await serve(site);
    try {
      const { tab, record } = await open(session, server.url);
      await tab.evaluate(async () => {
        await navigator.serviceWorker.ready;
        if (!navigator.serviceWorker.controller)
          await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
      });
      assert.ok(record.requests.every((url) => url.startsWith(server.url) || url.startsWith('data:')), `${record.requests}`);
      await server.stop();
      const served = server.served.length;
      await tab.reload({ waitUntil: 'load' });
      await ready(tab);
      assert.match((await texts(tab)).b1, /^\d+$/);
      assert.equal(server.served.length, served);
      assert.deepEqual(record.errors, []);
    } finally {
      await server.stop();
    }
  });
}, { only: modern });

inEachBrowser((session) => {
  it('installs as an app by Chromium\'s own verdict, with its Russian name', async () => {
    const server = await serve(site);
    try {
      const { tab } = await open(session, server.url, { shared: true });
      await tab.evaluate(() => navigator.serviceWorker.ready);
      const devtools = await tab.createCDPSession();
      const { errors, manifest } = await devtools.send('Page.getAppManifest').then(async ({ errors: parse, data }) => ({
        errors: [...parse, ...(await devtools.send('Page.getInstallabilityErrors')).installabilityErrors],
        manifest: JSON.parse(data),
      }));
      assert.deepEqual(errors, []);
      assert.equal(manifest.name, 'Зорнет');
      assert.equal(manifest.lang, 'ru');
      assert.equal(manifest.display, 'standalone');
    } finally {
      await server.stop();
    }
  });
}, { only: ['chromium'] });
