// SPDX-License-Identifier: GPL-3.0-or-later
// Open and Save As: the user's file goes into the program's memory under its own name and the
// program's loaders and writers take it from there; a saved file comes back out as a download.
var WrenbeaconFiles = (function () {
  'use strict';
  const kFolder = '/files';

  // One file name, without folders.
  function plainName(name) {
    return name.replace(/[\/\\\u0000]/g, '_') || 'wrenbeacon.toml';
  }

  function prepare() {
    try {
      FS.mkdir(kFolder);
    } catch (e) { /* already there */ }
    FS.chdir(kFolder);
  }

  async function open(file) {
    prepare();
    const name = plainName(file.name);
    FS.writeFile(name, new Uint8Array(await file.arrayBuffer()));
    try {
      await Module.wbPage.call('wb_open_config', [name]);
    } finally {
      FS.unlink(name);
    }
  }

  function askName() {
    return new Promise((resolve) => {
      const dialog = document.getElementById('save-dialog');
      const field = document.getElementById('save-name');
      const done = (name) => {
        dialog.close();
        resolve(name);
      };
      document.getElementById('save-ok').onclick = () => done(field.value.trim());
      document.getElementById('save-cancel').onclick = () => done('');
      dialog.oncancel = (e) => {
        e.preventDefault();
        done('');
      };
      field.onkeydown = (e) => {
        if (e.key === 'Enter') {
          e.preventDefault();
          done(field.value.trim());
        }
      };
      dialog.showModal();
      field.focus();
      field.setSelectionRange(0, field.value.lastIndexOf('.') > 0 ? field.value.lastIndexOf('.') : field.value.length);
    });
  }

  async function saveAs() {
    let name = await askName();
    if (!name) return;
    name = plainName(name);
    if (!/\.(toml|bin)$/i.test(name)) name += '.toml';
    document.getElementById('save-name').value = name;
    prepare();
    const failed = await Module.wbPage.call('wb_save_config', [name]);
    if (failed) return;
    const bytes = FS.readFile(name);
    FS.unlink(name);
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  function start() {
    const picker = document.getElementById('open-file');
    picker.addEventListener('change', () => {
      const file = picker.files && picker.files[0];
      picker.value = '';
      if (file) open(file);
    });
  }

  return {
    start: start,
    chooseToOpen() { document.getElementById('open-file').click(); },
    saveAs: saveAs,
  };
})();
