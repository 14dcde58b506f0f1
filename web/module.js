// Loaded first, in the page's head: the game's code is fetched and compiled
// from the start, and the game's script (brinefall.js, loaded async) sets
// up its threads and data while the terminal's scripts load. The game's
// main waits for the terminal (page.js calls terminalOpened).
'use strict';

const wasmCompiled = WebAssembly.compileStreaming(fetch('brinefall.wasm', { credentials: 'same-origin' }));
let terminalIsOpen = false;
let waitingForTerminal = false;

var Module = {
  instantiateWasm(imports, receive) {
    wasmCompiled
      .then(module => WebAssembly.instantiate(module, imports).then(instance => receive(instance, module)))
      .catch(error => console.error('brinefall: the game could not start:', error));
    return {};
  },
  preRun: [() => {
    if (terminalIsOpen) return;
    waitingForTerminal = true;
    addRunDependency('terminal');
  }],
  // The rest are called once the terminal is open.
  brinefallShow(bytes) { term.write(bytes); },
  brinefallEnded() { gameEnded(); },
  onRuntimeInitialized() { gameStarted(); },
};

function terminalOpened() {
  terminalIsOpen = true;
  if (waitingForTerminal) removeRunDependency('terminal');
  waitingForTerminal = false;
}
