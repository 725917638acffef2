// The browser engines the page is tested in, each behind one small adapter with the same face, so
// that one test says what a pupil does and sees and every engine carries it out:
//   puppeteer   Debian's Chromium and Firefox ESR (puppeteer-core's own Page is the tab);
//   devtools    old Chromium builds carried inside npm packages (oldchromium.mjs), over the raw
//               DevTools protocol, which puppeteer no longer speaks to them;
//   webdriver   WebKitGTK, WebKit as Safari has it, through Debian's WebKitWebDriver on Xvfb.
// A tab offers evaluate(fn, ...args), click(selector), focus(selector), keyboard.press/type/
// down/up(key), waitForFunction(fn), and record: the console errors the page printed. A driver
// under it gives evaluate, clickAt(x, y), key(name, 'down' | 'up'), character(c) and close.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { get, request } from 'node:http';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import WebSocket from 'ws';

// Keys as both protocols name them: DevTools wants the key, its code and the Windows key code (and
// the text it types); WebDriver a code point of its own for each key that types nothing.
const keys = {
  Enter: { code: 'Enter', keyCode: 13, text: '\r', webdriver: '\uE007' },
  Tab: { code: 'Tab', keyCode: 9, webdriver: '\uE004' },
  Shift: { code: 'ShiftLeft', keyCode: 16, webdriver: '\uE008' },
  Delete: { code: 'Delete', keyCode: 46, webdriver: '\uE017' },
  Escape: { code: 'Escape', keyCode: 27, webdriver: '\uE00C' },
  ' ': { code: 'Space', keyCode: 32, text: ' ', webdriver: ' ' },
};

const call = (fn, args) => `(${fn}).apply(null, ${JSON.stringify(args)})`;

// Notes a console error or warning in `record`, but the one the page expects: an engine that does
// not know the policy's 'wasm-unsafe-eval' (Chrome before 97, Safari before 16) says it ignores
// it, and then runs the JavaScript form.
export function noteError(record, text) {
  if (!/invalid source: ''wasm-unsafe-eval''/.test(text)) record.errors.push(text);
}

function fetchJson(url, method = 'GET', body = undefined) {
  return new Promise((resolve, reject) => {
    const out = request(url, { method, headers: { 'Content-Type': 'application/json' } }, (response) => {
      let text = '';
      response.setEncoding('utf8');
      response.on('data', (chunk) => { text += chunk; });
      response.on('end', () => {
        try {
          resolve(text ? JSON.parse(text) : null);
        } catch {
          reject(new Error(`${method} ${url}: ${response.statusCode} ${text.slice(0, 200)}`));
        }
      });
    });
    out.on('error', reject);
    out.end(body === undefined ? undefined : JSON.stringify(body));
  });
}

// Starts `command` and waits for the first line of its standard error that matches `pattern`.
function start(command, args, env, pattern, what) {
  const child = spawn(command, args, { env, stdio: ['ignore', 'ignore', 'pipe'] });
  return new Promise((resolve, reject) => {
    let seen = '';
    const timer = setTimeout(() => { child.kill('SIGKILL'); reject(new Error(`${what} did not start:\n${seen}`)); }, 30000);
    child.stderr.setEncoding('utf8');
    child.stderr.on('data', (chunk) => {
      seen += chunk;
      const match = pattern.exec(seen);
      if (match) {
        clearTimeout(timer);
        child.stderr.removeAllListeners('data');
        child.stderr.resume();
        resolve({ child, match });
      }
    });
    child.on('exit', (code) => { clearTimeout(timer); reject(new Error(`${what} ended with ${code}:\n${seen}`)); });
  });
}

// The first truthy value of condition(), asked every 50 ms.
async function settle(condition, timeout, what) {
  const until = Date.now() + timeout;
  for (;;) {
    const value = await condition();
    if (value) return value;
    if (Date.now() > until) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// The parts of a tab that follow from evaluate, key and pointer in any protocol.
function tabOf(driver) {
  const tab = {
    record: driver.record,
    evaluate: (fn, ...args) => driver.evaluate(typeof fn === 'function' ? fn : `() => (${fn})`, args),
    focus: (selector) => driver.evaluate((s) => document.querySelector(s).focus(), [selector]),
    // At the element's centre, as a pointer does: onto whatever lies on top there.
    click: async (selector) => driver.clickAt(...await driver.evaluate((s) => {
      const box = document.querySelector(s).getBoundingClientRect();
      return [Math.round(box.left + box.width / 2), Math.round(box.top + box.height / 2)];
    }, [selector])),
    keyboard: {
      down: (key) => driver.key(key, 'down'),
      up: (key) => driver.key(key, 'up'),
      press: async (key) => { await tab.keyboard.down(key); await tab.keyboard.up(key); },
      type: async (text) => {
        for (const character of text) await (keys[character] ? tab.keyboard.press(character) : driver.character(character));
      },
    },
    waitForFunction: (fn, { timeout = 10000 } = {}) => settle(() => tab.evaluate(fn), timeout, `${fn}`),
    close: () => driver.close(),
  };
  return tab;
}

// An old Chromium, { executable, libraries } as oldchromium.mjs unpacks it, over the DevTools
// protocol: one WebSocket for each tab.
export async function devtools({ executable, libraries }, { language }) {
  const profile = mkdtempSync(join(tmpdir(), 'zornet-chromium-'));
  const env = { ...process.env, LD_LIBRARY_PATH: libraries ?? '', LANGUAGE: language.replace('-', '_'), LANG: `${language.replace('-', '_')}.UTF-8` };
  const { child, match } = await start(executable, ['--headless', '--no-sandbox', '--no-zygote', '--disable-gpu',
    '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--disable-dev-shm-usage', `--lang=${language}`, `--user-data-dir=${profile}`, '--remote-debugging-port=0', 'about:blank'],
  env, /DevTools listening on ws:\/\/([\d.]+:\d+)\//, executable);
  // A test runner that dies leaves no browser behind.
  process.once('exit', () => child.kill('SIGKILL'));
  const host = `http://${match[1]}`;

  return {
    async newTab() {
      // A GET, which these builds take for a new target (later ones want a PUT).
      const target = await fetchJson(`${host}/json/new?about:blank`);
      const socket = new WebSocket(target.webSocketDebuggerUrl, { perMessageDeflate: false });
      await new Promise((resolve, reject) => { socket.once('open', resolve); socket.once('error', reject); });
      let next = 0;
      const waiting = new Map();
      const listeners = new Map();
      socket.on('message', (data) => {
        const message = JSON.parse(data);
        if (message.id !== undefined) {
          const { resolve, reject } = waiting.get(message.id);
          waiting.delete(message.id);
          if (message.error) reject(new Error(`${message.error.message} ${message.error.data ?? ''}`));
          else resolve(message.result);
        } else {
          for (const listener of listeners.get(message.method) ?? []) listener(message.params);
        }
      });
      const send = (method, params = {}) => new Promise((resolve, reject) => {
        const id = ++next;
        waiting.set(id, { resolve, reject });
        socket.send(JSON.stringify({ id, method, params }));
      });
      const on = (method, listener) => listeners.set(method, [...(listeners.get(method) ?? []), listener]);

      const record = { errors: [] };
      on('Runtime.exceptionThrown', ({ exceptionDetails }) =>
        noteError(record, exceptionDetails.exception?.description ?? exceptionDetails.text));
      on('Runtime.consoleAPICalled', ({ type, args }) => {
        if (type === 'error' || type === 'warning') noteError(record, args.map((arg) => arg.value ?? arg.description).join(' '));
      });
      on('Log.entryAdded', ({ entry }) => {
        if (entry.level === 'error' || entry.level === 'warning') noteError(record, entry.text);
      });
      await Promise.all(['Page.enable', 'Runtime.enable', 'Log.enable'].map((method) => send(method)));
      // Headless builds take no language from the command line: the page is told it here.
      await send('Network.setUserAgentOverride', {
        userAgent: (await send('Browser.getVersion')).userAgent, acceptLanguage: language,
      });
      await send('Emulation.setLocaleOverride', { locale: language.replace('-', '_') }).catch(() => {});
      // A window as large as the one a pupil has, so that everything is in view.
      await send('Emulation.setDeviceMetricsOverride', { width: 1024, height: 768, deviceScaleFactor: 1, mobile: false });

      const modifiers = { Shift: false };
      const driver = {
        record,
        async evaluate(fn, args) {
          const { result, exceptionDetails } = await send('Runtime.evaluate', {
            expression: call(fn, args), awaitPromise: true, returnByValue: true,
          });
          if (exceptionDetails) throw new Error(exceptionDetails.exception?.description ?? exceptionDetails.text);
          return result.value;
        },
        async clickAt(x, y) {
          for (const type of ['mousePressed', 'mouseReleased'])
            await send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
        },
        async key(name, direction) {
          const key = keys[name];
          if (name === 'Shift') modifiers.Shift = direction === 'down';
          await send('Input.dispatchKeyEvent', {
            type: direction === 'down' ? (key.text ? 'keyDown' : 'rawKeyDown') : 'keyUp',
            key: name, code: key.code, windowsVirtualKeyCode: key.keyCode, nativeVirtualKeyCode: key.keyCode,
            modifiers: modifiers.Shift ? 8 : 0, ...(direction === 'down' && key.text ? { text: key.text, unmodifiedText: key.text } : {}),
          });
        },
        async character(character) {
          await send('Input.dispatchKeyEvent', { type: 'keyDown', key: character, text: character, unmodifiedText: character });
          await send('Input.dispatchKeyEvent', { type: 'keyUp', key: character });
        },
        async close() {
          socket.close();
          await new Promise((resolve) => get(`${host}/json/close/${target.id}`, (response) => { response.resume(); response.on('end', resolve); }).on('error', resolve));
        },
      };
      const tab = tabOf(driver);
      // The protocol itself, for what only DevTools can do (a benchmark's timings, say).
      tab.send = send;
      tab.goto = async (url) => {
        const loaded = new Promise((resolve) => on('Page.loadEventFired', resolve));
        await send('Page.navigate', { url });
        await loaded;
      };
      return tab;
    },
    async close() {
      child.kill('SIGKILL');
      await new Promise((resolve) => (child.exitCode === null ? child.once('exit', resolve) : resolve()));
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// WebKitGTK's MiniBrowser through WebKitWebDriver, on an Xvfb display of its own. MiniBrowser
// takes its language from the environment.
export async function webdriver({ language }) {
  const display = await start('Xvfb', ['-displayfd', '2', '-nolisten', 'tcp', '-screen', '0', '1280x1024x24'],
    process.env, /^(\d+)\n/m, 'Xvfb');
  // MiniBrowser speaks the language of its locale, which the system may not have: it is made in
  // a folder of its own (localedef, with the definitions of Debian's locales package).
  const locale = `${language.replace('-', '_')}.UTF-8`;
  const locales = mkdtempSync(join(tmpdir(), 'zornet-locale-'));
  execFileSync('localedef', ['-i', language.replace('-', '_'), '-f', 'UTF-8', join(locales, locale)], { stdio: 'ignore' });
  const env = { ...process.env, DISPLAY: `:${display.match[1]}`, LOCPATH: locales, LANGUAGE: language.replace('-', '_'), LANG: locale, LC_ALL: locale };
  const port = 4400 + Math.floor(Math.random() * 1000);
  const driverProcess = spawn('WebKitWebDriver', [`--port=${port}`], { env, stdio: 'ignore' });
  process.once('exit', () => { driverProcess.kill('SIGKILL'); display.child.kill('SIGKILL'); });
  const base = `http://127.0.0.1:${port}`;
  let session;
  await settle(async () => {
    try {
      session = await fetchJson(`${base}/session`, 'POST', {
        capabilities: {
          alwaysMatch: {
            'webkitgtk:browserOptions': {
              binary: process.env.ZORNET_MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
              args: ['--automation'],
            },
          },
        },
      });
      return true;
    } catch {
      return false;
    }
  }, 30000, 'WebKitWebDriver');
  if (!session?.value?.sessionId) throw new Error(`WebKitWebDriver gave no session: ${JSON.stringify(session)}`);
  const url = `${base}/session/${session.value.sessionId}`;
  const command = async (method, path, body) => {
    const answer = await fetchJson(`${url}${path}`, method, body);
    if (answer?.value?.error) throw new Error(`${path}: ${answer.value.error}: ${answer.value.message}`);
    return answer?.value;
  };

  return {
    async newTab() {
      // WebDriver shows no console: a page error would still leave its mark in what the test sees.
      const record = { errors: [] };
      const driver = {
        record,
        async evaluate(fn, args) {
          const answer = await command('POST', '/execute/async', {
            script: `var done = arguments[arguments.length - 1];
              Promise.resolve().then(function () { return ${call(fn, args)}; })
                .then(function (value) { done({ value: value === undefined ? null : value }); },
                      function (error) { done({ error: String(error && error.stack || error) }); });`,
            args: [],
          });
          if (answer.error) throw new Error(answer.error);
          return answer.value;
        },
        clickAt: (x, y) => command('POST', '/actions', {
            actions: [{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [
              { type: 'pointerMove', x, y, origin: 'viewport', duration: 0 },
              { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }],
        }),
        key: (name, direction) => command('POST', '/actions', {
          actions: [{ type: 'key', id: 'keyboard', actions: [{ type: direction === 'down' ? 'keyDown' : 'keyUp', value: keys[name].webdriver }] }],
        }),
        character: (character) => command('POST', '/actions', {
          actions: [{ type: 'key', id: 'keyboard', actions: [{ type: 'keyDown', value: character }, { type: 'keyUp', value: character }] }],
        }),
        close: async () => {},
      };
      const tab = tabOf(driver);
      tab.goto = (address) => command('POST', '/url', { url: address });
      return tab;
    },
    async close() {
      await fetchJson(url, 'DELETE').catch(() => {});
      driverProcess.kill();
      display.child.kill();
      rmSync(locales, { recursive: true, force: true });
    },
  };
}
