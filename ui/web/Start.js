// SPDX-License-Identifier: GPL-3.0-or-later
// Wires the page once the program has built it: clicks, edits, the menu, keys, and the page's
// end (its ports are closed as it goes, so that a reload finds them free).
(function () {
  'use strict';
  const IDOK = 1;
  const page = Module.wbPage;

  function wireForm() {
    const form = document.getElementById('form');
    form.addEventListener('click', (e) => {
      const button = e.target.closest('button.push');
      if (button && !form.inert) {
        const id = Number(button.id.split('-')[1]);
        if (id === IDOK) exit();
        else page.call('wb_command', [id]);
      }
      const box = e.target.closest('input[type="checkbox"]');
      if (box && !form.inert) page.call('wb_command', [Number(box.id.split('-')[1])]);
    });
    // A double click on either symbol field opens the chooser, as the picture beside them does.
    form.addEventListener('dblclick', (e) => {
      if (!form.inert && (e.target.id === 'c0-1014' || e.target.id === 'c0-1015')) {
        page.call('wb_command', [1060]);
      }
    });
    const changed = () => page.call('wb_form_changed', []);
    form.addEventListener('input', (e) => { if (e.target.type === 'text') changed(); });
    form.addEventListener('change', (e) => {
      if (e.target.type === 'checkbox' || (e.target.tagName === 'SELECT' && e.target.id !== 'c0-1003')) {
        changed();
      }
    });
  }

  async function exit() {
    if (!(await page.call('wb_query_close', []))) return;
    Module.wbSerial.closeAll();
    window.close();
    // A tab the page did not open itself stays: say that the program has ended.
    document.getElementById('form').inert = true;
    document.getElementById('menu').inert = true;
    const notice = document.getElementById('notice');
    notice.textContent = 'WrenbeaconConfig has ended. Close this tab, or reload the page to start again.';
    notice.hidden = false;
  }

  function wireMenu() {
    const busy = () => !page.idle();
    document.getElementById('menu-open').addEventListener('click', () => {
      if (!busy()) WrenbeaconFiles.chooseToOpen();
    });
    document.getElementById('menu-save').addEventListener('click', () => {
      if (!busy()) WrenbeaconFiles.saveAs();
    });
    document.getElementById('menu-about').addEventListener('click', () => {
      if (!busy()) page.call('wb_about', []);
    });
    document.addEventListener('keydown', (e) => {
      if (!(e.ctrlKey || e.metaKey) || busy() || document.querySelector('dialog[open]')) return;
      if (e.key === 'o' || e.key === 'O') {
        e.preventDefault();
        WrenbeaconFiles.chooseToOpen();
      } else if (e.key === 's' || e.key === 'S') {
        e.preventDefault();
        WrenbeaconFiles.saveAs();
      }
    });
  }

  // The symbol's picture is drawn for the screen's pixels: again when they change (a zoom, a
  // window moved to another screen).
  function watchPixelRatio() {
    let ratio = 0;
    const check = () => {
      if (window.devicePixelRatio === ratio) return;
      if (ratio) page.call('wb_form_changed', []);
      ratio = window.devicePixelRatio;
      window.matchMedia('(resolution: ' + ratio + 'dppx)').addEventListener('change', check,
                                                                             { once: true });
    };
    window.addEventListener('resize', check);
    check();
  }

  function wireEnd() {
    window.addEventListener('pagehide', () => Module.wbSerial.closeAll());
    window.addEventListener('beforeunload', (e) => {
      if (!page.idle() || Module.ccall('wb_has_unsaved_changes', 'number', [], [])) {
        e.preventDefault();
        e.returnValue = '';
      }
    });
  }

  Module.postRun = [function () {
    wireForm();
    wireMenu();
    wireEnd();
    WrenbeaconFiles.start();
    WrenbeaconPorts.start();
    watchPixelRatio();
    document.body.dataset.readyAt = String(performance.now());
    document.body.dataset.ready = 'true';
  }];
})();
