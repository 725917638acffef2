// The page is the window: every control where the window's one description puts it, in its font
// and colours, the focus order, and the first problem, in each browser.
import assert from 'node:assert/strict';
import { it } from 'node:test';
import { focused, inEachBrowser, layout, modern, open, texts } from './browsers.mjs';

const css = (rgb) => `rgb(${rgb.join(', ')})`;

inEachBrowser((session) => {
  it('places every control as the description does, in its font and colour', async () => {
    const { tab, record } = await open(session);
    const drawn = await tab.evaluate(async (embeddedFamily) => {
      await document.fonts.ready;
      const client = document.getElementById('window').getBoundingClientRect();
      const controls = {};
      Array.prototype.forEach.call(document.querySelectorAll('#window > [id]:not(#title)'), (element) => {
        const box = element.getBoundingClientRect();
        const style = getComputedStyle(element);
        const label = element.getAttribute('aria-label');
        controls[element.id] = {
          tag: element.tagName.toLowerCase(), text: element.tagName === 'INPUT' ? element.value : element.textContent,
          left: box.left - client.left, top: box.top - client.top, width: box.width, height: box.height,
          fontSize: style.fontSize, weight: style.fontWeight, family: style.fontFamily, italic: style.fontStyle,
          align: style.textAlign, background: style.backgroundColor, readOnly: element.readOnly,
          accessibleName: label !== null ? label : element.tagName === 'BUTTON' ? element.textContent : null,
        };
      });
      // The stand-in for Times New Roman that rides inside the page, in both weights: where the
      // device has neither face (a Chromebook, a tablet) the texts are drawn in it.
      const embedded = await Promise.all(['400', '700'].map((weight) => document.fonts.load(`${weight} 16px "${embeddedFamily}"`, 'Зорнет 0123456789:=')
        .then((fonts) => fonts.map((font) => `${font.family.split('"').join('')} ${font.weight} ${font.status}`).join())));
      const label = document.getElementById('Label1');
      return {
        title: document.title,
        lang: document.documentElement.lang,
        client: { width: client.width, height: client.height, background: getComputedStyle(document.getElementById('window')).backgroundColor },
        controls,
        embedded,
        // The leading blank of « Выполните зорнет» shows, as on the desktop.
        labelKeepsBlank: label.scrollWidth > 0 && getComputedStyle(label).whiteSpace === 'pre',
      };
    }, layout.fonts.at(-1));
    assert.equal(drawn.title, layout.title);
    assert.equal(drawn.lang, 'ru');
    assert.deepEqual([drawn.client.width, drawn.client.height], [layout.width, layout.height]);
    assert.equal(drawn.client.background, css(layout.colour));

    const tags = { label: 'div', textbox: 'input', button: 'button' };
    const families = layout.fonts.map((family) => `"${family}"`).join(', ') + ', serif';
    assert.equal(Object.keys(drawn.controls).length, layout.controls.length);
    for (const control of layout.controls) {
      const shown = drawn.controls[control.name];
      assert.ok(shown, `${control.name} is on the page`);
      const where = `${control.name} in ${session.name}`;
      assert.deepEqual([shown.left, shown.top, shown.width, shown.height],
        [control.left, control.top, control.width, control.height], `${where}: place`);
      assert.equal(shown.tag, tags[control.kind], where);
      assert.equal(shown.fontSize, `${control.fontSize}px`, where);
      assert.equal(Number(shown.weight), control.weight, where);
      // Engines differ only in which names they quote.
      assert.equal(shown.family.replace(/['"]/g, ''), families.replace(/"/g, ''), where);
      assert.equal(shown.italic, 'normal', where);
      assert.equal(shown.align, 'center', where);
      if (control.kind !== 'label') assert.equal(shown.accessibleName, control.accessibleName, where);
      if (control.kind === 'textbox') assert.equal(shown.readOnly, false, where);
      if (control.fill === 'rgb') assert.equal(shown.background, css(control.rgb), where);
      if (control.fill === 'window') assert.equal(shown.background, css(layout.colour), where);
      if (control.name === 'a1' || control.name === 'b1') continue; // the first problem, below
      assert.equal(shown.text, control.text, where);
    }
    assert.ok(drawn.labelKeepsBlank);
    const embedded = layout.fonts.at(-1);
    assert.deepEqual(drawn.embedded, [`${embedded} 400 loaded`, `${embedded} 700 loaded`]);
    assert.deepEqual(record.errors, []);
  });

  it('starts with a problem, the focus in the dividend and the answer and tallies empty', async () => {
    const { tab } = await open(session);
    const { a1, b1, c1, e, f } = await texts(tab);
    assert.match(a1, /^\d+$/);
    assert.match(b1, /^\d+$/);
    const quotient = Number(a1) / Number(b1);
    assert.ok(Number(b1) >= 2 && Number(b1) <= 10 && Number.isInteger(quotient) && quotient >= 2 && quotient <= 10, `${a1} : ${b1}`);
    assert.deepEqual([c1, e, f], ['', '', '']);
    // autofocus takes effect when the browser next draws the page, which may be after the problem.
    await tab.waitForFunction(() => document.activeElement && document.activeElement.id === 'a1', { timeout: 3000 });
  });

  it('moves the focus in the window\'s tab order', async () => {
    const { tab } = await open(session);
    const order = layout.controls.filter((control) => control.kind !== 'label')
      .sort((x, y) => x.tabIndex - y.tabIndex).map((control) => control.name);
    await tab.focus(`#${order[0]}`);
    const reached = [await focused(tab)];
    for (let i = 1; i < order.length; ++i) {
      await tab.keyboard.press('Tab');
      reached.push(await focused(tab));
    }
    assert.deepEqual(reached, order);
    for (let i = order.length - 2; i >= 0; --i) {
      await tab.keyboard.down('Shift');
      await tab.keyboard.press('Tab');
      await tab.keyboard.up('Shift');
      assert.equal(await focused(tab), order[i]);
    }
  });
});

inEachBrowser((session) => {
  it('fits a phone\'s width without sideways scrolling', async () => {
    const { tab } = await open(session);
    await tab.setViewport({ width: 320, height: 568, isMobile: session.name === 'chromium', hasTouch: session.name === 'chromium' });
    const widths = await tab.evaluate(() => [document.documentElement.scrollWidth, window.innerWidth]);
    assert.ok(widths[0] <= widths[1], `${widths}`);
  });
}, { only: modern });
