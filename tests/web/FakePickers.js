// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's file pickers for the page's tests, injected before the page's scripts run: a
// headless browser cannot show them. With `?pickers` in the page's address they are fakes that
// window.pickers steers and records; without it they are taken away, so that the page uses its
// file input and downloads.
(() => {
  'use strict';
  if (!location.search.includes('pickers')) {
    for (const name of ['showOpenFilePicker', 'showSaveFilePicker']) {
      delete window[name];
      delete Window.prototype[name];
    }
    return;
  }
  const state = {
    save: 'picked.toml',  // the name the user picks, or null to cancel
    saved: null,          // what the page wrote to it, as text
    suggested: null,
    types: null,          // the kinds of file the last picker offered
    refuseWrite: false,
    open: null,           // [name, text] of the file to open
  };
  const aborted = () => new DOMException('The user aborted a request.', 'AbortError');
  function handle(name, text) {
    return {
      kind: 'file',
      name: name,
      getFile: async () => new File([text], name),
      createWritable: async () => {
        if (state.refuseWrite) throw new DOMException('Writing was not allowed.', 'NotAllowedError');
        const parts = [];
        return {
          write: async (data) => { parts.push(data); },
          close: async () => { state.saved = await new Blob(parts).text(); },
        };
      },
    };
  }
  window.showSaveFilePicker = async (options) => {
    state.suggested = options && options.suggestedName;
    state.types = options && options.types;
    if (!state.save) throw aborted();
    return handle(state.save, '');
  };
  window.showOpenFilePicker = async () => {
    if (!state.open) throw aborted();
    return [handle(state.open[0], state.open[1])];
  };
  window.pickers = state;
})();
