// What can be proven of the built page without running it, for the engines no test here can run
// (Safari 11 to 15, Firefox 52 to 101): every script in it parses as the JavaScript of 2017, which
// those engines speak; it carries no WebAssembly for them to refuse; and its policy stays locked.
import assert from 'node:assert/strict';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join, relative } from 'node:path';
import { it } from 'node:test';
import { parse } from 'acorn';
import { page, site } from './browsers.mjs';

const files = (folder) => readdirSync(folder).flatMap((name) => {
  const path = join(folder, name);
  return statSync(path).isDirectory() ? files(path) : [path];
});
const pages = [page, join(site, 'index.html')];
const scripts = (html) => [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((match) => match[1]);
const policy = (html) => /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(html)[1].replaceAll('&#x27;', "'");

// Chrome 57, Safari 11 and Firefox 52 all parse ECMAScript 2017, and nothing later.
it('parses as ECMAScript 2017, every script of both forms and the service worker', () => {
  const all = [...pages.flatMap((path) => scripts(readFileSync(path, 'utf8')).map((text, i) => [`${path} script ${i + 1}`, text])),
    [join(site, 'sw.js'), readFileSync(join(site, 'sw.js'), 'utf8')]];
  assert.ok(all.length >= 5, `${all.length} scripts`);
  for (const [where, text] of all) {
    assert.doesNotThrow(() => parse(text, { ecmaVersion: 2017, sourceType: 'script' }), where);
  }
  // And the guard that says a browser is too old is of the oldest JavaScript there is.
  for (const path of pages) assert.doesNotThrow(() => parse(scripts(readFileSync(path, 'utf8')).at(-1), { ecmaVersion: 3 }), path);
});

it('carries no WebAssembly for an engine to compile or refuse', () => {
  // "\0asm", the start of every module, in each of base64's three alignments.
  const magic = /AGFzb|Bhc20|AYXNt/;
  for (const path of [page, ...files(site)]) {
    assert.ok(!path.endsWith('.wasm'), relative(site, path));
    if (/\.(html|js)$/.test(path)) assert.doesNotMatch(readFileSync(path, 'latin1'), magic, path);
  }
});

it('allows no eval, no inline code but its own and no origin', () => {
  for (const path of pages) {
    const sources = policy(readFileSync(path, 'utf8')).split(';').flatMap((directive) => directive.trim().split(/\s+/).slice(1));
    const allowed = sources.filter((source) => !/^'sha256-[A-Za-z0-9+/]+=*'$/.test(source));
    assert.deepEqual([...new Set(allowed)].sort(), path === page ? ["'none'", 'data:'] : ["'none'", "'self'", 'data:'], path);
  }
});
