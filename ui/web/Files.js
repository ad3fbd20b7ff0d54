// SPDX-License-Identifier: GPL-3.0-or-later
// Open and Save As: the user's file goes into the program's memory under its own name and the
// program's loaders and writers take it from there. Where the browser lets the page pick files
// (the File System Access API), Open and Save As use its pickers and Save As writes the file the
// user picked; elsewhere a file input opens, and a saved file comes out as a download.
var WrenbeaconFiles = (function () {
  'use strict';
  const kFolder = '/files';
  // The kinds of file offered, the first chosen at first, and the extension a name without a
  // known one gets: the program's own (PageMenu.cpp).
  const kinds = [];
  let defaultExtension = '';
  const canPick = () => typeof window.showOpenFilePicker === 'function' &&
                        typeof window.showSaveFilePicker === 'function';
  const cancelled = (e) => e && e.name === 'AbortError';
  const reason = (e) => (e && e.message) || (e && e.name) || String(e);

  // One file name, without folders.
  function plainName(name) {
    return name.replace(/[\/\\\u0000]/g, '_') || 'wrenbeacon.' + defaultExtension;
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

  // The program writes `name` in its memory; the bytes, or null when it refused.
  async function written(name) {
    prepare();
    const failed = await Module.wbPage.call('wb_save_config', [name]);
    if (failed) return null;
    const bytes = FS.readFile(name);
    FS.unlink(name);
    return bytes;
  }

  // The kinds as the browser's pickers take them.
  function types() {
    return kinds.map((kind) => ({
      description: kind.name,
      accept: { 'application/octet-stream': kind.extensions },
    }));
  }

  // A name the program's writers take: a picked file without a known extension gets the default.
  function writerName(name) {
    const plain = plainName(name);
    const known = kinds.some((kind) => kind.extensions.some(
        (extension) => plain.toLowerCase().endsWith(extension.toLowerCase())));
    return known ? plain : plain + '.' + defaultExtension;
  }

  async function pickToOpen() {
    let handles;
    try {
      handles = await window.showOpenFilePicker({ types: types(), multiple: false });
    } catch (e) {
      if (!cancelled(e)) document.getElementById('open-file').click();
      return;
    }
    let file;
    try {
      file = await handles[0].getFile();
    } catch (e) {
      await Module.wbPage.call('wb_file_not_read', [handles[0].name, reason(e)]);
      return;
    }
    await open(file);
  }

  async function pickToSave() {
    const field = document.getElementById('save-name');
    let handle;
    try {
      handle = await window.showSaveFilePicker({ suggestedName: field.value, types: types() });
    } catch (e) {
      if (!cancelled(e)) await saveAsDownload();
      return;
    }
    const bytes = await written(writerName(handle.name));
    if (!bytes) return;
    try {
      const out = await handle.createWritable();
      await out.write(bytes);
      await out.close();
      field.value = handle.name;
    } catch (e) {
      await Module.wbPage.call('wb_file_not_written', [handle.name, reason(e)]);
    }
  }

  async function saveAsDownload() {
    let name = await askName();
    if (!name) return;
    name = writerName(name);
    document.getElementById('save-name').value = name;
    const bytes = await written(name);
    if (!bytes) return;
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
    addKind(name, extensions) {
      kinds.push({ name: name, extensions: extensions });
      if (kinds.length === 1) document.getElementById('open-file').accept = extensions.join(',');
    },
    setDefaultExtension(extension) {
      defaultExtension = extension;
      document.getElementById('save-name').value = 'wrenbeacon.' + extension;
    },
    chooseToOpen() {
      if (canPick()) pickToOpen();
      else document.getElementById('open-file').click();
    },
    saveAs() { return canPick() ? pickToSave() : saveAsDownload(); },
  };
})();
