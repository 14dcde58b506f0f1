// Before the game starts, on the page's thread: the saves' folder on the
// browser's IndexedDB, filled from what the browser kept.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.mkdir('/saves');
  FS.mount(IDBFS, {}, '/saves');
  addRunDependency('saves');
  FS.syncfs(true, function (error) {
    if (error) console.warn('brinefall: the saved games could not be read:', error);
    removeRunDependency('saves');
  });
  // The page's ?tick=MS sets the clock's period, as the terminal's test variable does.
  var tick = new URLSearchParams(location.search).get('tick');
  if (tick && /^[1-9][0-9]*$/.test(tick)) ENV.BRINEFALL_TEST_TICK_MS = tick;
});
