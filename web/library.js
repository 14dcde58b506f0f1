// The page's side of the game's calls (src/web/WebPage.cpp). Each runs on
// the page's own thread; the game's thread waits until it returns, and
// where the browser answers later, for the answer in `done` (1 yes, 2 no).
mergeInto(LibraryManager.library, {
  // The game goes on while the page shows what it drew: the bytes are a
  // copy the page frees.
  brinefall_show__proxy: 'async',
  brinefall_show__sig: 'vii',
  brinefall_show__deps: ['free'],
  brinefall_show: function (bytes, length) {
    Module.brinefallShow(HEAPU8.slice(bytes, bytes + length));
    _free(bytes);
  },

  // A save counts as written once the browser's store holds it.
  brinefall_sync_saves__proxy: 'sync',
  brinefall_sync_saves__sig: 'vi',
  brinefall_sync_saves: function (done) {
    FS.syncfs(false, function (error) {
      if (error) console.warn('brinefall: the saves could not be stored:', error);
      else Module.brinefallSavesStored = (Module.brinefallSavesStored || 0) + 1;  // for the browser test
      Atomics.store(HEAP32, done >> 2, error ? 2 : 1);
    });
  },

  // A game's Web Lock, named after its player; this tab holds at most one.
  $brinefallLock: function (name) {
    var lockName = 'brinefall:' + name;
    return { name: lockName, here: !!Module.brinefallHeld && Module.brinefallHeld.name === lockName };
  },

  // One tab per game: the lock of its name, held until released or the tab goes.
  brinefall_claim__deps: ['$brinefallLock'],
  brinefall_claim__proxy: 'sync',
  brinefall_claim__sig: 'vii',
  brinefall_claim: function (name, done) {
    var wanted = brinefallLock(UTF8ToString(name));
    if (wanted.here) {
      Atomics.store(HEAP32, done >> 2, 1);
      return;
    }
    if (Module.brinefallHeld) Module.brinefallHeld.release();
    Module.brinefallHeld = null;
    navigator.locks.request(wanted.name, { ifAvailable: true }, function (lock) {
      if (!lock) {
        Atomics.store(HEAP32, done >> 2, 2);
        return;
      }
      return new Promise(function (release) {
        Module.brinefallHeld = { name: wanted.name, release: release };
        Atomics.store(HEAP32, done >> 2, 1);
      });
    }).catch(function (error) {
      console.warn('brinefall: no lock for the game:', error);
      Atomics.store(HEAP32, done >> 2, 1);  // play on: the saves say what fails
    });
  },

  brinefall_release__proxy: 'sync',
  brinefall_release__sig: 'v',
  brinefall_release: function () {
    if (Module.brinefallHeld) Module.brinefallHeld.release();
    Module.brinefallHeld = null;
  },

  // Whether another tab plays the game of that name: its lock is held, and
  // not by this tab.
  brinefall_held__deps: ['$brinefallLock'],
  brinefall_held__proxy: 'sync',
  brinefall_held__sig: 'vii',
  brinefall_held: function (name, done) {
    var wanted = brinefallLock(UTF8ToString(name));
    if (wanted.here) {
      Atomics.store(HEAP32, done >> 2, 2);
      return;
    }
    navigator.locks.query().then(function (state) {
      var held = state.held.some(function (lock) { return lock.name === wanted.name; });
      Atomics.store(HEAP32, done >> 2, held ? 1 : 2);
    }).catch(function () {
      Atomics.store(HEAP32, done >> 2, 2);  // unknown: no mark
    });
  },

  // The program ends from the game's thread, as a return from main would:
  // the runtime's exit unwinds that thread and ends the runtime on the
  // page's, which expects it there. Ended on the page's thread by a call
  // proxied to it, the runtime's end would be thrown as an uncaught error.
  brinefall_exit__sig: 'v',
  brinefall_exit: function () {
    exit(0);
  },

  brinefall_ended__proxy: 'sync',
  brinefall_ended__sig: 'v',
  brinefall_ended: function () {
    if (Module.brinefallHeld) Module.brinefallHeld.release();
    Module.brinefallHeld = null;
    Module.brinefallEnded();
  },
});
