// What every browser test shares: the engines (engines.mjs) started headless, the page's paths as
// CTest passes them, and a record of the console errors (and, where the protocol shows them, the
// requests) a page makes, so that a test can say none was unexpected. Code that a test runs inside
// the page is written in the JavaScript of 2017, which the oldest engines parse.
import { readFileSync } from 'node:fs';
import { after, before, describe } from 'node:test';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { devtools, noteError, webdriver } from './engines.mjs';
import { oldChromiums, unpack } from './oldchromium.mjs';

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
  webkit: (language) => webdriver({ language }),
  ...Object.fromEntries(oldChromiums.map((name) => [name, (language) => devtools(unpack(name), { language })])),
};
// The current engines, which puppeteer drives with all it offers (requests, viewports, contexts).
export const modern = ['chromium', 'firefox'];
// ZORNET_ENGINES, a comma-separated list, runs the tests in some of them only.
export const engines = process.env.ZORNET_ENGINES ? process.env.ZORNET_ENGINES.split(',') : Object.keys(launchers);

// Defines the tests of define(session) once for each engine, under its name: the browser starts
// once, speaking `language`, and each test opens its tabs afresh.
export function inEachBrowser(define, { language = 'ru-RU', only = engines } = {}) {
  for (const name of only.filter((engine) => engines.includes(engine))) {
    describe(`${name}, ${language}`, () => {
      const session = { name, language, browser: null, tab: null };
      before(async () => { session.browser = await launchers[name](language); });
      after(async () => { await session.browser?.close(); });
      define(session);
    });
  }
}

// A new tab at url (in a fresh context where the engine has them), with every console error or
// page error it then makes, and, in the current engines, every request. `shared`: in the
// browser's own profile instead, where an app can be installed.
// `beforeScripts` run in the page before its own (to take features away); `javaScript: false`
// opens it with JavaScript off; `posed: false` does not wait for the first problem.
export async function open(session, url = pageUrl, { shared = false, beforeScripts = [], javaScript = true, posed = true } = {}) {
  if (!modern.includes(session.name)) {
    // One tab at a time: the previous test's is closed.
    await session.tab?.close();
    const tab = session.tab = await session.browser.newTab();
    await tab.goto(url);
    await ready(tab);
    return { tab, record: tab.record };
  }
  const context = shared ? session.browser.defaultBrowserContext() : await session.browser.createBrowserContext();
  const tab = await context.newPage();
  const record = { requests: [], errors: [] };
  tab.on('request', (request) => record.requests.push(request.url()));
  tab.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn') noteError(record, message.text());
  });
  tab.on('pageerror', (error) => noteError(record, String(error)));
  for (const script of beforeScripts) await tab.evaluateOnNewDocument(script);
  if (!javaScript) await tab.setJavaScriptEnabled(false);
  await tab.goto(url, { waitUntil: 'load' });
  if (posed) await ready(tab);
  return { tab, record, context };
}

// The program has posed its first problem.
export async function ready(tab) {
  await tab.waitForFunction(() => document.getElementById('b1').value !== '', { timeout: 10000 });
}

export const texts = (tab) => tab.evaluate(() => {
  const texts = {};
  ['a1', 'b1', 'c1', 'e', 'f'].forEach((name) => { texts[name] = document.getElementById(name).value; });
  return texts;
});

// As a pupil does it: click into the box, select what is there, type over it.
export async function type(tab, name, text) {
  await tab.click(`#${name}`);
  await tab.evaluate((id) => document.getElementById(id).select(), name);
  await tab.keyboard.press('Delete');
  if (text) await tab.keyboard.type(text);
}

export const focused = (tab) => tab.evaluate(() => document.activeElement && document.activeElement.id);
// The error report's text while it is open, or null. The page's own modal (where the engine has
// no <dialog>) is open by the same attribute.
export const dialogText = (tab) => tab.evaluate(() => {
  const dialog = document.getElementById('report');
  return dialog.hasAttribute('open') ? document.getElementById('report-text').textContent : null;
});
