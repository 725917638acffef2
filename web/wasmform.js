// The WebAssembly form's part of the page (--pre-js after page.js): its glue instantiates the module
// that start.js compiled, `program`, which reaches it as the parameter of startWebAssembly.
Module.instantiateWasm = function (imports, receiveInstance) {
  var instance = new WebAssembly.Instance(program, imports);
  receiveInstance(instance, program);
  return instance.exports;
};
