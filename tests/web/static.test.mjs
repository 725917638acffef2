// What can be proven of the built page without running it, for the engines no test here can run
// (Safari 11 to 15, Firefox 52 to 101): every script in it parses as the JavaScript of 2017, which
// those engines speak, the JavaScript form too; the one WebAssembly module it carries asks for
// nothing newer than WebAssembly's first instructions and its exceptions, so that an engine either
// compiles it whole or refuses it at once and runs the JavaScript form; and its policy stays locked.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, relative } from 'node:path';
import { it } from 'node:test';
import { parse } from 'acorn';
import { page, site } from './browsers.mjs';

const files = (folder) => readdirSync(folder).flatMap((name) => {
  const path = join(folder, name);
  return statSync(path).isDirectory() ? files(path) : [path];
});
const pages = [page, join(site, 'index.html')];
const html = (path) => readFileSync(path, 'utf8');
// The scripts an engine runs: those of the page, and the JavaScript form, which start.js runs.
const scripts = (text) => [...text.matchAll(/<script(?: type="text\/plain" id="program-js")?>([\s\S]*?)<\/script>/g)].map((match) => match[1]);
const block = (text, id) => new RegExp(`<script type="text/plain" id="${id}">([^<]*)</script>`).exec(text)[1];
const policy = (text) => /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(text)[1].replaceAll('&#x27;', "'");

// Chrome 57, Safari 11 and Firefox 52 all parse ECMAScript 2017, and nothing later.
it('parses as ECMAScript 2017, every script of both forms and the service worker', () => {
  const all = [...pages.flatMap((path) => scripts(html(path)).map((text, i) => [`${path} script ${i + 1}`, text])),
    [join(site, 'sw.js'), readFileSync(join(site, 'sw.js'), 'utf8')]];
  assert.equal(all.length, 2 * 3 + 1);
  for (const [where, text] of all) {
    assert.doesNotThrow(() => parse(text, { ecmaVersion: 2017, sourceType: 'script' }), where);
  }
  // And the guard that starts the JavaScript form, or says a browser is too old, is of the oldest
  // JavaScript there is.
  for (const path of pages) assert.doesNotThrow(() => parse(scripts(html(path)).at(-1), { ecmaVersion: 3 }), path);
});

it('carries one WebAssembly module, of the first instructions and exceptions alone, and none in the JavaScript form', () => {
  const scratch = mkdtempSync(join(tmpdir(), 'zornet-static-'));
  try {
    for (const path of pages) {
      const module = join(scratch, 'program.wasm');
      writeFileSync(module, Buffer.from(block(html(path), 'program-binary'), 'base64'));
      // wabt's validator with every feature after the first turned off but exceptions.
      execFileSync('wasm-validate', ['--enable-exceptions', '--disable-mutable-globals', '--disable-saturating-float-to-int',
        '--disable-sign-extension', '--disable-simd', '--disable-multi-value', '--disable-bulk-memory',
        '--disable-reference-types', module], { stdio: 'inherit' });
      // "\0asm", the start of every module, in each of base64's three alignments: nowhere but there.
      const magic = /AGFzb|Bhc20|AYXNt/;
      for (const text of scripts(html(path))) assert.doesNotMatch(text, magic, path);
    }
    assert.deepEqual(files(site).filter((path) => path.endsWith('.wasm')).map((path) => relative(site, path)), []);
  } finally {
    rmSync(scratch, { recursive: true, force: true });
  }
});

it("allows no eval, no inline code but its own and no origin, and WebAssembly from the page's own bytes", () => {
  for (const path of pages) {
    const sources = policy(html(path)).split(';').flatMap((directive) => directive.trim().split(/\s+/).slice(1));
    const allowed = sources.filter((source) => !/^'sha256-[A-Za-z0-9+/]+=*'$/.test(source));
    const expected = ["'none'", "'wasm-unsafe-eval'", 'data:', ...(path === page ? [] : ["'self'"])];
    assert.deepEqual([...new Set(allowed)].sort(), expected.sort(), path);
  }
});
