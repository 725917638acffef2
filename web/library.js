// The browser's side of the web shell: each function here is one `extern "C"` declaration of
// webshell.cpp, under a comment with its C prototype. Texts cross as UTF-16 in the module's
// memory, the form the drill works in, so a pasted megabyte is copied once each way and never
// re-encoded; control names are ASCII C strings.

mergeInto(LibraryManager.library, {
  // int js_text(const char *name, char16_t **text, size_t *length);
  // The page's text boxes are found by id, which is the control's name. Anything else the
  // handlers might ask for is not there (1), and they raise the control-access error for it; a
  // text too long for the memory the program can have (2) is the out-of-memory error.
  js_text__deps: ['malloc'],
  js_text: function (name, text, length) {
    var box = document.getElementById(UTF8ToString(name));
    if (!(box instanceof HTMLInputElement)) return 1;
    var value = box.value;
    var buffer = _malloc(value.length * 2 + 2);
    if (!buffer) return 2;
    var at = buffer >> 1;
    for (var i = 0; i < value.length; ++i) HEAPU16[at + i] = value.charCodeAt(i);
    HEAPU32[text >> 2] = buffer;
    HEAPU32[length >> 2] = value.length;
    return 0;
  },

  // bool js_set_text(const char *name, const char16_t *text, size_t length);
  // Built in slices: String.fromCharCode takes its units as arguments, and a pasted megabyte
  // would overflow the call stack in one call.
  js_set_text: function (name, text, length) {
    var box = document.getElementById(UTF8ToString(name));
    if (!(box instanceof HTMLInputElement)) return 0;
    var parts = [];
    for (var i = 0; i < length; i += 8192) {
      var end = Math.min(length, i + 8192);
      parts.push(String.fromCharCode.apply(null, HEAPU16.subarray((text >> 1) + i, (text >> 1) + end)));
    }
    box.value = parts.join('');
    return 1;
  },

  // double js_time_of_day();
  js_time_of_day: function () {
    var now = new Date();
    return ((now.getHours() * 60 + now.getMinutes()) * 60 + now.getSeconds()) + now.getMilliseconds() / 1000;
  },

  // uint32_t js_random_word();
  js_random_word: function () {
    return crypto.getRandomValues(new Uint32Array(1))[0];
  },

  // size_t js_decimal_separator(char16_t *out, size_t capacity);
  // page.js knows the browser's language; this only copies its answer.
  js_decimal_separator: function (out, capacity) {
    var separator = Module.decimalSeparator();
    var count = Math.min(separator.length, capacity);
    for (var i = 0; i < count; ++i) HEAPU16[(out >> 1) + i] = separator.charCodeAt(i);
    return count;
  },

  // void js_report_error(int number, const char *description);
  // page.js owns the dialog; this only hands it the two parts of the message.
  js_report_error: function (number, description) {
    Module.reportError(number, UTF8ToString(description));
  },
});
