// The first lines of the page's program: which of its two forms this browser runs. The WebAssembly
// form, the drill compiled to WebAssembly with its own exceptions, is the quicker to start; an
// engine compiles it only where the page's policy lets it compile WebAssembly and it knows
// WebAssembly's exceptions (Chrome 97, Firefox 100, Safari 16 and later). Elsewhere guard.js starts
// the JavaScript form, the same drill compiled to plain JavaScript, which every browser since 2017
// runs. makepage.py puts the WebAssembly form's glue in startWebAssembly(program) below this, and
// the JavaScript form, as text, in the page's element #program-js after this script: an engine
// that runs one form never reads the other.

// The WebAssembly form's module, compiled, or null where this engine cannot compile it.
function compileWebAssembly() {
  if (typeof WebAssembly !== 'object') return null;
  try {
    // An engine whose policy refuses all WebAssembly says so at the smallest module there is,
    // before the program's is decoded.
    new WebAssembly.Module(new Uint8Array([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));
    var text = document.getElementById('program-binary').textContent;
    var bytes;
    if (Uint8Array.fromBase64) {
      bytes = Uint8Array.fromBase64(text);
    } else {
      var raw = atob(text);
      bytes = new Uint8Array(raw.length);
      for (var i = 0; i < raw.length; ++i) bytes[i] = raw.charCodeAt(i);
    }
    return new WebAssembly.Module(bytes);
  } catch (error) {
    // Refused by the policy ("Wasm code generation disallowed"), or a CompileError from an engine
    // without WebAssembly's exceptions.
    return null;
  }
}

var program = compileWebAssembly();
// Which form answers here, for guard.js, and for whoever looks into the page.
document.documentElement.setAttribute('data-program', program ? 'webassembly' : 'javascript');
if (program) startWebAssembly(program);
