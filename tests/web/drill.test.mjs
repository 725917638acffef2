// The drill from the keyboard and the mouse, as a pupil meets it: «Проверить» on right and wrong
// answers, read leniently and rewritten; «Следующий»; and fractions written with the separator
// of the browser's language.
import assert from 'node:assert/strict';
import { it } from 'node:test';
import { dialogText, focused, inEachBrowser, open, texts, type } from './browsers.mjs';

// For the problem 56 : 8: what the pupil types, what the box then shows, and which tally counts.
const answers = [
  ['7', '7', 'right'],
  ['07', '7', 'right'],
  ['7abc', '7', 'right'],
  [' 7', '7', 'right'],
  ['7.0', '7', 'right'],
  ['7,9', '7', 'right'],
  ['8', '8', 'wrong'],
  ['', '0', 'wrong'],
  ['пять', '0', 'wrong'],
];

async function problem(tab, a1, b1) {
  await type(tab, 'a1', a1);
  await type(tab, 'b1', b1);
}

// The form of the program each engine runs: the WebAssembly one wherever the engine compiles it
// under the page's policy, the JavaScript one in the engines before that.
const forms = { chromium: 'webassembly', firefox: 'webassembly', webkit: 'webassembly' };

inEachBrowser((session) => {
  it(`runs the drill in its ${forms[session.name] ?? 'javascript'} form`, async () => {
    const { tab } = await open(session);
    assert.equal(await tab.evaluate(() => document.documentElement.getAttribute('data-program')),
      forms[session.name] ?? 'javascript');
  });

  it('counts each answer in the right tally, rewritten as it was read', async () => {
    const { tab, record } = await open(session);
    await problem(tab, '56', '8');
    for (const [typed, shown, tally] of answers) {
      await type(tab, 'e', '3');
      await type(tab, 'f', '4');
      await type(tab, 'c1', typed);
      await tab.click('#Command1');
      assert.deepEqual(await texts(tab), {
        a1: '56', b1: '8', c1: shown, e: tally === 'right' ? '4' : '3', f: tally === 'wrong' ? '5' : '4',
      }, `«${typed}»`);
    }
    assert.equal(await dialogText(tab), null);
    assert.deepEqual(record.errors, []);
  });

  it('counts again on every press, from whatever the boxes hold', async () => {
    const { tab } = await open(session);
    await problem(tab, '63', '9');
    await type(tab, 'c1', '7');
    await tab.click('#Command1');
    await tab.click('#Command1');
    assert.deepEqual(await texts(tab), { a1: '63', b1: '9', c1: '7', e: '2', f: '' });
    // Tallies edited by hand are read leniently.
    for (const [typed, next] of [['abc', '1'], ['5x', '6']]) {
      await type(tab, 'e', typed);
      await tab.click('#Command1');
      assert.equal((await texts(tab)).e, next, `«${typed}»`);
    }
  });

  it('presses «Проверить» on Enter in any box, and a focused button on Enter and Space', async () => {
    const { tab } = await open(session);
    await problem(tab, '56', '8');
    await type(tab, 'c1', '7');
    await tab.keyboard.press('Enter');
    assert.equal((await texts(tab)).e, '1');
    await tab.focus('#b1');
    await tab.keyboard.press('Enter');
    assert.equal((await texts(tab)).e, '2');
    await tab.focus('#Command2');
    await tab.keyboard.press('Enter');
    assert.deepEqual([(await texts(tab)).c1, (await texts(tab)).e], ['0', '2']);
    await type(tab, 'c1', '9');
    await tab.focus('#Command2');
    await tab.keyboard.press(' ');
    assert.equal((await texts(tab)).c1, '0');
    assert.equal(await focused(tab), 'Command2');
  });

  it('poses a new problem on «Следующий», with 0 in the answer and the tallies kept', async () => {
    const { tab } = await open(session);
    await type(tab, 'e', '3');
    await type(tab, 'f', '4');
    const seen = new Set();
    for (let i = 0; i < 40; ++i) {
      await type(tab, 'c1', '12');
      await tab.click('#Command2');
      const { a1, b1, c1, e, f } = await texts(tab);
      assert.deepEqual([c1, e, f], ['0', '3', '4']);
      const [dividend, divisor] = [Number(a1), Number(b1)];
      assert.ok(/^\d+$/.test(a1) && /^\d+$/.test(b1) && divisor >= 2 && divisor <= 10 && dividend % divisor === 0
        && dividend / divisor >= 2 && dividend / divisor <= 10, `${a1} : ${b1}`);
      seen.add(`${a1}:${b1}`);
    }
    assert.ok(seen.size > 10, `only ${seen.size} problems in 40`);
  });
});

// The regional separator follows the browser's language, as it follows the regional settings on
// the desktop: a tally of 2.5 counts on to 3,5 in Russian and to 3.5 in English.
for (const [language, separator] of [['ru-RU', ','], ['en-US', '.']]) {
  inEachBrowser((session) => {
    it(`writes fractions with «${separator}»`, async () => {
      const { tab } = await open(session);
      await problem(tab, '56', '8');
      await type(tab, 'e', '2.5');
      await type(tab, 'c1', '7');
      await tab.click('#Command1');
      assert.equal((await texts(tab)).e, `3${separator}5`);
      // The strict reading of the problem takes the same separator; the lenient reading of the
      // tally stops at a comma, so 3,5 counts on as 3.
      await type(tab, 'a1', `7${separator}5`);
      await type(tab, 'b1', '2');
      await type(tab, 'c1', `3.75`);
      await tab.click('#Command1');
      assert.deepEqual([(await texts(tab)).c1, (await texts(tab)).e], [`3${separator}75`, separator === ',' ? '4' : '4.5']);
    });
  }, { language });
}
