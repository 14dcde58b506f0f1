// The page around the game: its terminal (xterm.js), the keys and the
// clipboard as a browser player expects them, and the calls the game makes
// (web/library.js, through module.js). Loaded after xterm.js.
'use strict';

// The console's 16 colours, as the game means them.
const theme = {
  background: '#000000', foreground: '#aaaaaa', cursor: '#aaaaaa',
  black: '#000000', red: '#aa0000', green: '#00aa00', yellow: '#aa5500',
  blue: '#0000aa', magenta: '#aa00aa', cyan: '#00aaaa', white: '#aaaaaa',
  brightBlack: '#555555', brightRed: '#ff5555', brightGreen: '#55ff55', brightYellow: '#ffff55',
  brightBlue: '#5555ff', brightMagenta: '#ff55ff', brightCyan: '#55ffff', brightWhite: '#ffffff',
};
// A steady cursor: a blinking one redraws the page many times a second.
const term = new Terminal({ scrollback: 0, theme, fontFamily: 'monospace', fontSize: 16, cursorBlink: false });
const fit = new FitAddon.FitAddon();
term.loadAddon(fit);
term.open(document.getElementById('screen'));
fit.fit();
term.focus();

let playing = false;  // the game reads keys
const encoder = new TextEncoder();
function send(text) {
  if (!playing) return;
  for (const byte of encoder.encode(text)) Module._brinefall_type(byte);
  Module._brinefall_typed();
}
term.onData(send);
term.onTitleChange(title => { document.title = title; });

// ---- copying: the text as printed ----
// The text area's width, and what stands around it on each row: the margin,
// the frame's edge, the scroll bar.
const kTextWidth = 77;
const frameRow = /^ *[╔╠╚]/;
const rowEdges = row => row.replace(/^ *║/, '').replace(/[▒↑↓█]?║ *$/, '').trimEnd();
// Rows the game wrapped join again: a row ends early when the next row's
// first word would have fitted on it, so a row that could not take it was
// wrapped there.
function plainText(selection) {
  const rows = selection.split('\n').filter(row => !frameRow.test(row)).map(rowEdges);
  let text = '';
  rows.forEach((row, i) => {
    text += row;
    if (i + 1 === rows.length) return;
    const next = rows[i + 1];
    const firstWord = next.trimStart().split(' ')[0];
    const wrapped = row !== '' && firstWord !== '' && row.length + 1 + firstWord.length > kTextWidth;
    text += wrapped ? ' ' : '\n';
  });
  return text;
}
function copySelection() {
  if (term.hasSelection()) navigator.clipboard.writeText(plainText(term.getSelection()));
}
// Any copy (the menu's, Ctrl+Insert) of the terminal's selection takes the plain text.
document.addEventListener('copy', event => {
  if (!term.hasSelection()) return;
  event.clipboardData.setData('text/plain', plainText(term.getSelection()));
  event.preventDefault();
  event.stopImmediatePropagation();
}, true);

// ---- keys ----
// The number pad sends what xterm's does in application keypad mode, so
// that the game tells it from the main digits; xterm.js would not.
const pad = { NumpadAdd: 'k', NumpadSubtract: 'm', NumpadEnter: 'M' };
for (let d = 0; d <= 9; ++d) pad['Numpad' + d] = String.fromCharCode(112 + d);  // p..y
// The browser's own: reload, find, the address bar, select all, paste.
const browserCtrlKeys = new Set(['r', 'f', 'l', 'a', 'v']);
term.attachCustomKeyEventHandler(event => {
  const ctrl = (event.ctrlKey || event.metaKey) && !event.altKey;
  const key = event.key.toLowerCase();
  if (ctrl && key === 'c' && !event.shiftKey) {
    // A browser's Ctrl+C copies; the game ends only by its own commands.
    if (event.type === 'keydown') copySelection();
    return false;
  }
  // Left to the browser: xterm.js would take them for the game.
  if (event.key === 'F5' || (ctrl && !event.shiftKey && browserCtrlKeys.has(key))) return false;
  if (!(event.code in pad) || event.ctrlKey || event.altKey || event.metaKey) return true;
  if (event.type === 'keydown') send('\x1bO' + pad[event.code]);
  event.preventDefault();
  return false;
});

// The wheel scrolls the game's text, reported as xterm reports it.
document.getElementById('screen').addEventListener('wheel', event => {
  event.preventDefault();
  event.stopPropagation();
  if (event.deltaY !== 0) send(event.deltaY < 0 ? '\x1b[<64;1;1M' : '\x1b[<65;1;1M');
}, { passive: false, capture: true });

function reportSize() {
  fit.fit();
  if (playing) Module._brinefall_size(term.cols, term.rows);
}
window.addEventListener('resize', reportSize);

document.getElementById('again').addEventListener('click', () => location.reload());

// ---- a hidden tab: the game saved, its clock held ----
// Hidden (another tab, a minimised window, the tab closing) the game saves
// as the autosave does and time stands still until the tab shows again.
// On pagehide the save may not reach the browser's store before the page
// goes: the visibilitychange before it has usually saved already.
function reportVisibility() {
  if (playing) Module._brinefall_hidden(document.visibilityState === 'hidden' ? 1 : 0);
}
document.addEventListener('visibilitychange', reportVisibility);
window.addEventListener('pagehide', () => { if (playing) Module._brinefall_hidden(1); });
window.addEventListener('pageshow', reportVisibility);

// Saves kept for good, unless the player clears them: the browser may
// otherwise evict its store when space runs short.
async function keepSaves() {
  const said = document.getElementById('storage');
  if (!navigator.storage || !navigator.storage.persist) {
    said.textContent = 'This browser may clear them when it runs short of space.';
    return;
  }
  try {
    const kept = await navigator.storage.persisted() || await navigator.storage.persist();
    said.textContent = kept ? 'The browser keeps them for good.'
      : 'The browser may clear them when it runs short of space.';
  } catch (error) {
    console.warn('brinefall: no persistent storage:', error);
  }
}
keepSaves();

// The game's calls (module.js).
function gameStarted() {
  playing = true;
  reportSize();
  reportVisibility();
}
function gameEnded() {
  // The last screen stays; a new game starts with the page.
  playing = false;
  document.getElementById('again').style.display = 'inline';
}
terminalOpened();

// After the first visit the page loads and plays offline (service-worker.js).
if ('serviceWorker' in navigator) {
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('service-worker.js')
      .catch(error => console.warn('brinefall: no offline play:', error));
  });
}
