// The page's half of the web shell, run before the program's own glue (--pre-js): it wires the
// buttons and the keyboard to the drill's entry points once the program is ready, and shows a
// run-time error in the page's own modal dialog. Nothing here keeps any state of the drill's:
// that lives, as on the desktop, in the texts of the boxes.
//
// The program is the drill compiled to plain JavaScript, which every browser since 2017 runs as it
// is, under a policy that allows no eval: no engine has to accept a WebAssembly module, and none
// has to support WebAssembly's own exceptions. It starts while the page is parsed, so the first
// problem is there when the page is first drawn. Where a browser lacks something this file would
// use (the modal <dialog>, Intl's formatToParts, overscroll-behavior), it finds out by trying,
// once, and does the same another way.

var Module = {
  // The decimal separator of the browser's language, which stands for the regional settings a
  // desktop has: a comma in Russian, a point in English. Read on first use, and again when the
  // language changes.
  decimalSeparator: function () {
    if (separator === null) separator = readSeparator(navigator.language) || readSeparator(undefined) || '.';
    return separator;
  },

  onRuntimeInitialized: function () {
    var check = byId('Command1');
    check.addEventListener('click', function () { _zornet_check(); });
    byId('Command2').addEventListener('click', function () { _zornet_next(); });

    document.addEventListener('keydown', function (event) {
      if (isOpen(report)) {
        if (!report.showModal) keepInReport(event);
        return;
      }
      // Enter anywhere presses «Проверить», as a dialog's default button does. A focused button
      // takes Enter and Space itself.
      if (event.key !== 'Enter' || event.isComposing || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey)
        return;
      if (event.target instanceof HTMLButtonElement) return;
      event.preventDefault();
      check.click();
    });

    _zornet_load();
  },

  // «Ошибка выполнения N» in a modal dialog, as the desktop's message box says it. Closing it
  // gives the focus back to where the pupil was; the boxes are as the error left them.
  reportError: function (number, description) {
    returnFocus = document.activeElement;
    byId('report-text').textContent = 'Ошибка выполнения ' + number + '.\n' + description;
    if (report.showModal) {
      report.showModal();
    } else {
      // An engine without <dialog> (Safari before 15.4, Firefox before 98): the same element as an
      // alert dialog of the page's own, over a shade of the window. Clicks meant for the window
      // are stopped, and the keyboard and the focus stay inside it (keepInReport, below).
      report.setAttribute('role', 'alertdialog');
      report.setAttribute('aria-modal', 'true');
      report.setAttribute('open', '');
      byId('report-ok').focus();
    }
  },
};

var separator = null;
var returnFocus = null;
var report = byId('report');

function byId(id) {
  return document.getElementById(id);
}

function isOpen(dialog) {
  return dialog.hasAttribute('open');
}

// The separator as `language` writes one and a half, or null where the engine cannot say.
// formatToParts (Chrome 64, Firefox 58, Safari 13) names it; before it, it is what stands between
// the digits of 1.5 written without grouping.
function readSeparator(language) {
  try {
    var format = new Intl.NumberFormat(language, { useGrouping: false });
    if (format.formatToParts) {
      var parts = format.formatToParts(1.5);
      for (var i = 0; i < parts.length; ++i) {
        if (parts[i].type === 'decimal') return parts[i].value;
      }
      return null;
    }
    var written = format.format(1.5);
    return written.length > 2 ? written.slice(1, -1) : null;
  } catch (e) {
    // A language tag the engine does not know: the caller asks for the default language.
    return null;
  }
}

function closeReport() {
  if (!isOpen(report)) return;
  if (report.close) report.close();
  else report.removeAttribute('open');
  restoreFocus();
}

function restoreFocus() {
  var focus = returnFocus;
  returnFocus = null;
  if (focus && focus !== document.body && focus.focus) focus.focus();
}

// The page's own modal takes Enter and Escape to close, and keeps Tab on its one button.
function keepInReport(event) {
  if (event.key === 'Enter' || event.key === 'Escape' || event.key === 'Esc' || event.key === ' ' || event.key === 'Spacebar') {
    event.preventDefault();
    closeReport();
  } else if (event.key === 'Tab') {
    event.preventDefault();
    byId('report-ok').focus();
  }
}

// Escape closes the <dialog> by itself. The focus goes back once the dialog has let it go: some
// engines move it to the body as the dialog closes.
report.addEventListener('close', function () { setTimeout(restoreFocus, 0); });
byId('report-ok').addEventListener('click', closeReport);
// While the page's own modal is open, nothing outside it takes a click, and focus that escapes
// it (a screen reader's cursor, say) is brought back to its button.
function outsideOwnModal(event) {
  return !report.showModal && isOpen(report) && !report.contains(event.target);
}
document.addEventListener('focusin', function (event) {
  if (outsideOwnModal(event)) byId('report-ok').focus();
});
document.addEventListener('click', function (event) {
  if (outsideOwnModal(event)) {
    event.preventDefault();
    event.stopPropagation();
  }
}, true);
window.addEventListener('languagechange', function () { separator = null; });

// A pull down on a tablet must not reload the page and wipe the tallies. Where the engine has no
// overscroll-behavior (Chrome before 63, Safari before 16), a downward pull at the top of the page
// is not handed to the browser.
if (!(window.CSS && CSS.supports && CSS.supports('overscroll-behavior', 'none'))) {
  var pullFrom = 0;
  document.addEventListener('touchstart', function (event) {
    if (event.touches.length === 1) pullFrom = event.touches[0].clientY;
  }, { passive: true });
  document.addEventListener('touchmove', function (event) {
    if (event.cancelable && event.touches.length === 1 && window.pageYOffset <= 0 && event.touches[0].clientY > pullFrom)
      event.preventDefault();
  }, { passive: false });
}

// Served from a web server, the page as an installable app keeps itself for use offline; opened
// as a file it has no manifest, and nothing to register.
if (document.querySelector('link[rel="manifest"]') && 'serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
  window.addEventListener('load', function () {
    navigator.serviceWorker.register('sw.js').catch(function (error) {
      console.warn('Зорнет will not open offline:', error);
    });
  });
}
