// The engines that cannot be had here (Safari 11 to 15, Firefox 52 to 101), stood in for by the
// current ones with what those lack taken away before the page runs: the page must give the same
// drill by other means, and a browser that cannot run it at all must say so in Russian.
import assert from 'node:assert/strict';
import { it } from 'node:test';
import { dialogText, focused, inEachBrowser, modern, open, texts, type } from './browsers.mjs';

const remove = {
  // Safari 11 to 15.3 and Firefox before 98 have no <dialog>.
  dialog: `delete HTMLDialogElement.prototype.showModal; delete HTMLDialogElement.prototype.close;`,
  // Chrome before 64, Firefox before 58 (and Safari before 13) cannot split a number into parts.
  formatToParts: `delete Intl.NumberFormat.prototype.formatToParts;`,
  // Chrome before 63 and Safari before 16 have no overscroll-behavior.
  overscroll: `CSS.supports = function () { return false; };`,
  // Chrome before 97 and Safari before 16 know no 'wasm-unsafe-eval', so the page's policy keeps
  // them from compiling any WebAssembly.
  webAssembly: `WebAssembly.Module = function () { throw new WebAssembly.CompileError('Wasm code generation disallowed by embedder'); };`,
  // Firefox before 100 compiles WebAssembly, but not the program's, which needs its exceptions.
  exceptions: `(function () {
    var Module = WebAssembly.Module;
    WebAssembly.Module = function (bytes) {
      if (bytes.length > 8) throw new WebAssembly.CompileError('invalid section code: 13 (exceptions)');
      return new Module(bytes);
    };
  })();`,
};

// What each old engine lacks of all that, at once.
const profiles = [
  ['Safari 11 and 12', [remove.dialog, remove.formatToParts, remove.overscroll, remove.webAssembly]],
  ['Safari 15.2', [remove.dialog, remove.overscroll, remove.webAssembly]],
  ['Firefox 52 to 57', [remove.dialog, remove.formatToParts, remove.overscroll, remove.exceptions]],
  ['Chrome 57 to 62', [remove.formatToParts, remove.overscroll, remove.webAssembly]],
];

for (const [language, separator] of [['ru-RU', ','], ['en-US', '.']]) {
  inEachBrowser((session) => {
    for (const [engine, lacks] of profiles) {
      it(`gives the whole drill as ${engine} would run it`, async () => {
        const { tab, record } = await open(session, undefined, { beforeScripts: lacks });
        assert.equal(await tab.evaluate(() => document.documentElement.getAttribute('data-program')), 'javascript');
        // A right answer, and a tally with a fraction, written with the language's separator.
        await type(tab, 'a1', '56');
        await type(tab, 'b1', '8');
        await type(tab, 'c1', '7');
        await type(tab, 'e', '2.5');
        await tab.keyboard.press('Enter');
        assert.deepEqual(await texts(tab), { a1: '56', b1: '8', c1: '7', e: `3${separator}5`, f: '' });
        // The error report, modal, and nothing lost.
        await type(tab, 'b1', '0');
        await tab.click('#Command1');
        assert.equal(await dialogText(tab), 'Ошибка выполнения 11.\nДеление на ноль');
        assert.equal(await focused(tab), 'report-ok');
        if (lacks.includes(remove.dialog)) {
          await tab.keyboard.press('Tab');
          assert.equal(await focused(tab), 'report-ok', 'Tab stays in the report');
        }
        await tab.keyboard.press('Enter');
        assert.equal(await dialogText(tab), null);
        assert.equal(await focused(tab), 'Command1');
        assert.deepEqual(await texts(tab), { a1: '56', b1: '0', c1: '7', e: `3${separator}5`, f: '' });
        await tab.click('#Command2');
        assert.match((await texts(tab)).a1, /^\d+$/);
        assert.deepEqual(record.errors, []);
      });
    }
  }, { language, only: modern });
}

inEachBrowser((session) => {
  it('shows its own report as an alert dialog that holds the keyboard and the pointer', async () => {
    const { tab, record } = await open(session, undefined, { beforeScripts: [remove.dialog] });
    await type(tab, 'b1', '');
    await type(tab, 'c1', '5');
    await tab.keyboard.press('Enter');
    const shown = await tab.evaluate(() => {
      const report = document.getElementById('report');
      const box = report.getBoundingClientRect();
      const over = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
      return { role: report.getAttribute('role'), modal: report.getAttribute('aria-modal'), onTop: report.contains(over) };
    });
    assert.deepEqual(shown, { role: 'alertdialog', modal: 'true', onTop: true });
    const before = await texts(tab);
    for (const selector of ['#Command1', '#Command2', '#c1']) await tab.click(selector);
    assert.deepEqual(await texts(tab), before, 'clicks behind the report reach nothing');
    assert.equal(await focused(tab), 'report-ok');
    await tab.keyboard.down('Shift');
    await tab.keyboard.press('Tab');
    await tab.keyboard.up('Shift');
    assert.equal(await focused(tab), 'report-ok');
    // Escape closes it as well as Enter and its button.
    await tab.keyboard.press('Escape');
    assert.equal(await dialogText(tab), null);
    assert.equal(await focused(tab), 'c1');
    await tab.keyboard.press('Enter');
    await tab.click('#report-ok');
    assert.equal(await dialogText(tab), null);
    assert.equal(await focused(tab), 'c1');
    assert.deepEqual(record.errors, []);
  });

  // A device that cannot give the page more than 64 MiB of memory in one piece, whichever form
  // the page runs there.
  const small = `(function () {
    var limit = 64 * 1024 * 1024;
    var Real = ArrayBuffer;
    window.ArrayBuffer = function ArrayBuffer(length) {
      if (length > limit) throw new RangeError('Array buffer allocation failed');
      return new Real(length);
    };
    window.ArrayBuffer.prototype = Real.prototype;
    window.ArrayBuffer.isView = Real.isView;
    var grow = WebAssembly.Memory.prototype.grow;
    WebAssembly.Memory.prototype.grow = function (pages) {
      if (this.buffer.byteLength + pages * 65536 > limit) throw new RangeError('WebAssembly.Memory.grow(): Maximum memory size exceeded');
      return grow.call(this, pages);
    };
  })();`;
  for (const [form, lacks] of [['webassembly', []], ['javascript', [remove.webAssembly]]]) {
    it(`reports a paste too long for the memory a tablet can give as error 7, and loses nothing (${form})`, async () => {
      const { tab, record } = await open(session, undefined, { beforeScripts: [small, ...lacks] });
      assert.equal(await tab.evaluate(() => document.documentElement.getAttribute('data-program')), form);
      await type(tab, 'e', '3');
      const pasted = await tab.evaluate(() => {
        document.getElementById('c1').value = '7'.repeat(40 * 1024 * 1024);
        document.getElementById('Command1').click();
        return document.getElementById('c1').value.length;
      });
      assert.equal(await dialogText(tab), 'Ошибка выполнения 7.\nНедостаточно памяти');
      await tab.keyboard.press('Enter');
      assert.equal(await dialogText(tab), null);
      assert.equal(pasted, 40 * 1024 * 1024);
      assert.equal(await tab.evaluate(() => document.getElementById('c1').value.length), pasted);
      assert.equal((await texts(tab)).e, '3');
      // With a short answer the lesson goes on.
      await type(tab, 'c1', '7');
      await tab.click('#Command1');
      assert.match((await texts(tab)).e + (await texts(tab)).f, /^(4|3\d)$/);
      assert.deepEqual(record.errors, []);
    });
  }

  it('says in Russian that the browser is too old when the program cannot run', async () => {
    // An engine without typed arrays stands for one too old for the program.
    const { tab } = await open(session, undefined, { beforeScripts: ['delete window.Int32Array;'], posed: false });
    const shown = await tab.evaluate(() => [getComputedStyle(document.getElementById('window')).display,
      document.getElementById('unsupported').offsetHeight > 0, document.getElementById('unsupported').textContent]);
    assert.equal(shown[0], 'none');
    assert.equal(shown[1], true);
    assert.match(shown[2], /слишком старый.*Chrome.*Firefox 52.*Safari 11/);
  });
}, { only: modern });

inEachBrowser((session) => {
  it('says in Russian that JavaScript is off, instead of showing a window that cannot answer', async () => {
    const { tab } = await open(session, undefined, { javaScript: false, posed: false });
    await tab.setJavaScriptEnabled(true);
    const shown = await tab.evaluate(() => [getComputedStyle(document.getElementById('window')).display,
      document.querySelector('noscript').textContent]);
    assert.equal(shown[0], 'none');
    assert.match(shown[1], /выключен JavaScript/);
  });

  it('keeps a pull down at the top of the page from reaching the browser, which would reload it', async () => {
    for (const [lacks, expected] of [[[], 'none'], [[remove.overscroll], 'held']]) {
      const { tab } = await open(session, undefined, { beforeScripts: lacks });
      const outcome = await tab.evaluate(() => {
        const pulled = [];
        window.addEventListener('touchmove', (event) => pulled.push(event.defaultPrevented));
        const box = document.getElementById('Label1');
        const touch = (y) => new Touch({ identifier: 1, target: box, clientX: 100, clientY: y });
        box.dispatchEvent(new TouchEvent('touchstart', { bubbles: true, touches: [touch(10)] }));
        box.dispatchEvent(new TouchEvent('touchmove', { bubbles: true, cancelable: true, touches: [touch(90)] }));
        return { behaviour: getComputedStyle(document.documentElement).overscrollBehaviorY, held: pulled[0] };
      });
      // With overscroll-behavior the browser keeps the pull to itself; without it the page does.
      assert.equal(expected === 'none' ? outcome.behaviour : outcome.held ? 'held' : 'passed on', expected);
    }
  });
}, { only: ['chromium'] });
