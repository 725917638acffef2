// The guide's example configurations for nginx and Apache (docs/ru), each run as it stands on a
// real server on the loopback, over HTTPS with a certificate made for the test: the folder is
// served with the right types and with headers that let a new version through, and Chromium
// installs the page from it as an app and opens it again once the server is gone.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { chmodSync, cpSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { get } from 'node:https';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, it } from 'node:test';
import puppeteer from 'puppeteer-core';
import { ready, site, texts } from './browsers.mjs';

const guide = new URL('../../docs/ru/', import.meta.url).pathname;
const scratch = mkdtempSync(join(tmpdir(), 'zornet-servers-'));
// The servers' workers may run as another user: every folder on the way must let them in.
chmodSync(scratch, 0o755);
const www = join(scratch, 'www');
mkdirSync(www);
cpSync(site, join(www, 'zornet'), { recursive: true });
const cert = join(scratch, 'cert.pem');
const key = join(scratch, 'key.pem');
execFileSync('openssl', ['req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-days', '2', '-subj', '/CN=127.0.0.1',
  '-addext', 'subjectAltName=IP:127.0.0.1', '-keyout', key, '-out', cert], { stdio: 'pipe' });
chmodSync(key, 0o644);
// Chromium trusts this one key, as a school's devices trust the school's certificate.
const spki = execFileSync('sh', ['-c', `openssl x509 -in '${cert}' -pubkey -noout | openssl pkey -pubin -outform der | openssl dgst -sha256 -binary | base64`]).toString().trim();

const freePort = () => new Promise((resolve) => {
  const probe = createServer().listen(0, '127.0.0.1', () => { const { port } = probe.address(); probe.close(() => resolve(port)); });
});

// The example with only what names this machine changed: each such line must be there as the
// guide gives it, so that the example and its test cannot drift apart.
function adapted(file, replacements) {
  let text = readFileSync(join(guide, file), 'utf8');
  for (const [from, to] of replacements) {
    assert.ok(text.includes(from), `${file} no longer has «${from}»`);
    text = text.replaceAll(from, to);
  }
  return text;
}

const servers = {
  nginx: (port) => {
    const conf = join(scratch, 'nginx');
    mkdirSync(conf, { recursive: true });
    writeFileSync(join(conf, 'site.conf'), adapted('nginx.conf', [
      ['listen 443 ssl;', `listen 127.0.0.1:${port} ssl;`], ['listen [::]:443 ssl;', ''],
      ['/etc/ssl/certs/zornet.pem', cert], ['/etc/ssl/private/zornet.key', key],
      ['root /var/www;', `root ${www};`]]));
    writeFileSync(join(conf, 'nginx.conf'), `daemon off;
pid ${conf}/nginx.pid;
error_log ${conf}/error.log;
events {}
http {
    include /etc/nginx/mime.types;
    default_type application/octet-stream;
    access_log off;
    client_body_temp_path ${conf}/body;
    proxy_temp_path ${conf}/proxy;
    fastcgi_temp_path ${conf}/fastcgi;
    uwsgi_temp_path ${conf}/uwsgi;
    scgi_temp_path ${conf}/scgi;
    include ${conf}/site.conf;
}
`);
    return spawn('/usr/sbin/nginx', ['-p', conf, '-c', join(conf, 'nginx.conf')], { stdio: 'inherit' });
  },
  apache: (port) => {
    const conf = join(scratch, 'apache');
    mkdirSync(conf, { recursive: true });
    writeFileSync(join(conf, 'site.conf'), adapted('apache.conf', [
      ['<VirtualHost *:443>', `<VirtualHost 127.0.0.1:${port}>`],
      ['/etc/ssl/certs/zornet.pem', cert], ['/etc/ssl/private/zornet.key', key],
      ['/var/www/zornet/', `${www}/zornet/`]]));
    const modules = ['mpm_event', 'authz_core', 'mime', 'alias', 'dir', 'ssl', 'headers', 'socache_shmcb'];
    writeFileSync(join(conf, 'apache2.conf'), `ServerName 127.0.0.1
ServerRoot ${conf}
DefaultRuntimeDir ${conf}
PidFile ${conf}/apache2.pid
ErrorLog ${conf}/error.log
${process.getuid() === 0 ? 'User nobody\nGroup nogroup\n' : ''}Listen 127.0.0.1:${port}
${modules.map((name) => `LoadModule ${name}_module /usr/lib/apache2/modules/mod_${name}.so`).join('\n')}
TypesConfig /etc/mime.types
Include ${conf}/site.conf
`);
    return spawn('/usr/sbin/apache2', ['-f', join(conf, 'apache2.conf'), '-DFOREGROUND'], { stdio: 'inherit' });
  },
};

// What each file of the folder must come with: its type, and a cache that asks the server again.
const files = [
  ['', /^text\/html/],
  ['index.html', /^text\/html/],
  ['manifest.webmanifest', /^application\/manifest\+json/],
  ['sw.js', /^(text|application)\/javascript/],
  ['icons/zornet.svg', /^image\/svg\+xml/],
  ['icons/zornet-512.png', /^image\/png/],
];

const fetchHead = (url) => new Promise((resolve, reject) => {
  get(url, { ca: readFileSync(cert) }, (response) => {
    response.resume();
    response.on('end', () => resolve({ status: response.statusCode, headers: response.headers }));
  }).on('error', reject);
});

async function whenUp(url) {
  for (let attempt = 0; attempt < 100; ++attempt) {
    try {
      return await fetchHead(url);
    } catch {
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
  throw new Error(`no server answered at ${url}`);
}

after(() => rmSync(scratch, { recursive: true, force: true }));

for (const [name, start] of Object.entries(servers)) {
  describe(`the example for ${name}`, () => {
    let server;
    let url;
    before(async () => {
      const port = await freePort();
      server = start(port);
      url = `https://127.0.0.1:${port}/zornet/`;
      await whenUp(url);
    });
    after(() => server?.kill());

    it('serves the folder with its types, and asks for the page afresh on every visit', async () => {
      for (const [file, type] of files) {
        const { status, headers } = await fetchHead(url + file);
        assert.equal(status, 200, file);
        assert.match(headers['content-type'], type, file);
        if (/^(|index\.html|manifest\.webmanifest|sw\.js)$/.test(file)) assert.equal(headers['cache-control'], 'no-cache', file);
      }
    });

    it('lets Chromium install the page as an app and open it with the server gone', async () => {
      const browser = await puppeteer.launch({
        executablePath: process.env.ZORNET_CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
          '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage', `--ignore-certificate-errors-spki-list=${spki}`],
      });
      try {
        const tab = await browser.newPage();
        await tab.goto(url, { waitUntil: 'load' });
        await ready(tab);
        await tab.evaluate(async () => {
          await navigator.serviceWorker.ready;
          if (!navigator.serviceWorker.controller)
            await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
        });
        const devtools = await tab.createCDPSession();
        const { installabilityErrors } = await devtools.send('Page.getInstallabilityErrors');
        assert.deepEqual(installabilityErrors, []);
        server.kill();
        await new Promise((resolve) => server.once('exit', resolve));
        await tab.reload({ waitUntil: 'load' });
        await ready(tab);
        assert.match((await texts(tab)).b1, /^\d+$/);
      } finally {
        await browser.close();
      }
    });
  });
}
