// What every browser test shares: Debian's Chromium and Firefox ESR started headless from
// puppeteer-core, the page's paths as CTest passes them, and a record of every request and
// console message a page makes, so that a test can say none was unexpected.
import { readFileSync } from 'node:fs';
import { after, before, describe } from 'node:test';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

export const page = process.env.ZORNET_PAGE; // Зорнет.html
export const site = process.env.ZORNET_SITE; // the folder for a web server
export const layout = JSON.parse(readFileSync(process.env.ZORNET_LAYOUT, 'utf8'));
export const pageUrl = pathToFileURL(page).href;

// Each browser by the language it is asked to speak; Chromium's flags keep it from reaching the
// network on its own (updates, sync, safe browsing), which the privacy test would otherwise see.
const launchers = {
  chromium: (language) => puppeteer.launch({
    browser: 'chrome',
    executablePath: process.env.ZORNET_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--disable-default-apps', '--disable-dev-shm-usage',
      `--lang=${language}`, `--accept-lang=${language}`],
    env: { ...process.env, LANGUAGE: language.replace('-', '_') },
  }),
  firefox: (language) => puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.ZORNET_FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
    extraPrefsFirefox: {
      'intl.accept_languages': language,
      'intl.locale.requested': language,
      'network.captive-portal-service.enabled': false,
      'network.connectivity-service.enabled': false,
      'browser.safebrowsing.update.enabled': false,
    },
  }),
};
export const browserNames = Object.keys(launchers);

// Defines the tests of define(session) once for each browser, under its name: the browser starts
// once, speaking `language`, and each test opens its tabs in a context of its own.
export function inEachBrowser(define, { language = 'ru-RU', only = browserNames } = {}) {
  for (const name of only) {
    describe(`${name}, ${language}`, () => {
      const session = { name, language, browser: null };
      before(async () => { session.browser = await launchers[name](language); });
      after(async () => { await session.browser?.close(); });
      define(session);
    });
  }
}

// A new tab at url in a fresh context, with every request and every console error or page error
// it then makes. `shared`: in the browser's own profile instead, where an app can be installed.
export async function open(session, url = pageUrl, { shared = false } = {}) {
  const context = shared ? session.browser.defaultBrowserContext() : await session.browser.createBrowserContext();
  const tab = await context.newPage();
  const record = { requests: [], errors: [] };
  tab.on('request', (request) => record.requests.push(request.url()));
  tab.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn') record.errors.push(message.text());
  });
  tab.on('pageerror', (error) => record.errors.push(String(error)));
  await tab.goto(url, { waitUntil: 'load' });
  await ready(tab);
  return { tab, record, context };
}

// The program has posed its first problem.
export async function ready(tab) {
  await tab.waitForFunction(() => document.getElementById('b1').value !== '', { timeout: 10000 });
}

export const texts = (tab) => tab.evaluate(() => Object.fromEntries(
  ['a1', 'b1', 'c1', 'e', 'f'].map((name) => [name, document.getElementById(name).value])));

// As a pupil does it: click into the box, select what is there, type over it.
export async function type(tab, name, text) {
  await tab.click(`#${name}`);
  await tab.evaluate((id) => document.getElementById(id).select(), name);
  await tab.keyboard.press('Delete');
  if (text) await tab.keyboard.type(text);
}

export const focused = (tab) => tab.evaluate(() => document.activeElement && document.activeElement.id);
export const dialogText = (tab) => tab.evaluate(() => {
  const dialog = document.getElementById('report');
  return dialog.open ? document.getElementById('report-text').textContent : null;
});
