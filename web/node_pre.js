// The node runner reads its WebAssembly from disk beside this file: node 20 has fetch, and the
// default loader would try to fetch the .wasm by its path, which is not a URL.
Module['wasmBinary'] = require('fs').readFileSync(__filename.replace(/\.js$/, '.wasm'));
// The program sees Emscripten's own environment, not the process's: pass on the one variable the
// digest comparison sets (see rand_marker.c).
Module['preRun'] = [function () {
  if (process.env.LUMEN_MARK_RAND !== undefined) {
    ENV['LUMEN_MARK_RAND'] = process.env.LUMEN_MARK_RAND;
  }
}];
