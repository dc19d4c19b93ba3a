// Script mode reads the environment as the native game does (QUILLON_DATA_DIR, the locale).
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  Object.assign(ENV, process.env);
});
