// The page's half of the web shell, run before the program's own glue (--pre-js): it wires the
// buttons and the keyboard to the drill's entry points once the program is ready, and shows a
// run-time error in the page's own modal dialog. Nothing here keeps any state of the drill's:
// that lives, as on the desktop, in the texts of the boxes.

var Module = {
  // The program itself, carried in the page (makepage.py writes it in for the placeholder), so
  // that it loads from a file, a stick or a share as it does from a server, and asks for nothing.
  wasmBinary: (function (text) {
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes;
  })(atob('@ZORNET_WASM_BASE64@')),

  // The decimal separator of the browser's language, which stands for the regional settings a
  // desktop has: a comma in Russian, a point in English. The first use of Intl takes tens of
  // milliseconds, so it is read while the program compiles (below), and again when the language
  // changes.
  decimalSeparator: function () {
    if (separator === null) {
      separator = '.';
      try {
        new Intl.NumberFormat(navigator.language).formatToParts(1.5).forEach(function (part) {
          if (part.type === 'decimal') separator = part.value;
        });
      } catch (e) {
        // A language tag Intl does not know keeps the point.
      }
    }
    return separator;
  },

  onRuntimeInitialized: function () {
    var check = document.getElementById('Command1');
    check.addEventListener('click', function () { _zornet_check(); });
    document.getElementById('Command2').addEventListener('click', function () { _zornet_next(); });

    // Enter anywhere presses «Проверить», as a dialog's default button does. A focused button
    // takes Enter and Space itself, and the error dialog takes them while it is open.
    document.addEventListener('keydown', function (event) {
      if (event.key !== 'Enter' || event.isComposing || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey)
        return;
      if (document.getElementById('report').open || event.target instanceof HTMLButtonElement)
        return;
      event.preventDefault();
      check.click();
    });

    _zornet_load();
  },

  // «Ошибка выполнения N» in a modal dialog, as the desktop's message box says it. Closing it
  // gives the focus back to where the pupil was; the boxes are as the error left them.
  reportError: function (number, description) {
    var dialog = document.getElementById('report');
    var focus = document.activeElement;
    document.getElementById('report-text').textContent = 'Ошибка выполнения ' + number + '.\n' + description;
    dialog.addEventListener('close', function () {
      if (focus && focus !== document.body) focus.focus();
    }, { once: true });
    dialog.showModal();
  },
};

var separator = null;
// A task, not a microtask: by then the glue has handed the program to the browser's compiler,
// which works on another thread meanwhile.
setTimeout(Module.decimalSeparator, 0);
window.addEventListener('languagechange', function () { separator = null; });

document.getElementById('report-ok').addEventListener('click', function () {
  document.getElementById('report').close();
});

// Served from a web server, the page as an installable app keeps itself for use offline; opened
// as a file it has no manifest, and nothing to register.
if (document.querySelector('link[rel="manifest"]') && 'serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
  window.addEventListener('load', function () {
    navigator.serviceWorker.register('sw.js').catch(function (error) {
      console.warn('Зорнет will not open offline:', error);
    });
  });
}
