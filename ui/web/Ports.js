// SPDX-License-Identifier: GPL-3.0-or-later
// The port list: the ports this page may already use (as navigator.serial.getPorts() gives them),
// "Choose a port..." (the browser's chooser, which adds the chosen port), and "Simulated beacon".
// Entry n - 1 is COMn for the channel, which takes COM1 to COM4: at most two of the browser's
// ports are listed, and a newly chosen port takes the place of the second.
var WrenbeaconPorts = (function () {
  'use strict';
  const kChoose = 'Choose a port...';
  const kSimulated = 'Simulated beacon';
  const kMaxListed = 2;
  const kNoSerial =
    'This browser cannot reach serial ports: Chrome, Edge, Opera and the other Chromium ' +
    'browsers on a desktop computer can (Web Serial). The simulated beacon and the files work ' +
    'here too.';
  const IDC_COM_PORT = 1003;

  let listed = [];  // the browser's ports shown, in order
  let simulated = null;
  let entries = [];
  let current = null;  // the entry selected last, kept across a rebuild

  function nameOf(port) {
    const info = port.getInfo ? port.getInfo() : {};
    const hex = (n) => ('000' + n.toString(16)).slice(-4);
    return info && info.usbVendorId !== undefined && info.usbProductId !== undefined
      ? 'USB serial ' + hex(info.usbVendorId) + ':' + hex(info.usbProductId)
      : 'Serial port';
  }

  function rebuild() {
    const select = Module.wbPage.element(IDC_COM_PORT);
    entries = listed.map((port) => ({ kind: 'port', port: port, name: nameOf(port) }));
    if (navigator.serial) entries.push({ kind: 'choose', name: kChoose });
    entries.push({ kind: 'simulated', name: kSimulated });
    select.replaceChildren();
    for (const entry of entries) {
      const option = document.createElement('option');
      option.textContent = entry.name;
      select.append(option);
    }
    let at = entries.findIndex((e) => current && (e.port ? e.port === current.port : e.kind === current.kind));
    if (at < 0) at = 0;
    if (entries[at].kind === 'choose') at = entries.length - 1;
    select.selectedIndex = at;
    current = entries[at];
  }

  async function choose() {
    const select = Module.wbPage.element(IDC_COM_PORT);
    try {
      const port = await navigator.serial.requestPort();
      if (!listed.includes(port)) {
        if (listed.length >= kMaxListed) listed[kMaxListed - 1] = port;
        else listed.push(port);
      }
      current = { kind: 'port', port: port };
    } catch (e) {
      // Nothing chosen: the list stays on the entry it had.
    }
    rebuild();
    select.focus();
  }

  function simulatedPort() {
    if (!simulated) simulated = new WrenbeaconSimulatedPort(WrenbeaconSimulator(), Module.wbSerial.timers);
    return simulated;
  }

  async function start() {
    Module.wbSerial.resolvePort = resolve;
    const select = Module.wbPage.element(IDC_COM_PORT);
    if (navigator.serial) {
      try {
        listed = (await navigator.serial.getPorts()).slice(0, kMaxListed);
      } catch (e) {
        listed = [];
      }
      navigator.serial.addEventListener('connect', async () => {
        const ports = await navigator.serial.getPorts();
        for (const port of ports) {
          if (!listed.includes(port) && listed.length < kMaxListed) listed.push(port);
        }
        rebuild();
      });
      navigator.serial.addEventListener('disconnect', (e) => {
        listed = listed.filter((port) => port !== e.target && port !== e.port);
        rebuild();
      });
    } else {
      const notice = document.getElementById('notice');
      notice.textContent = kNoSerial;
      notice.hidden = false;
    }
    current = null;
    rebuild();
    select.addEventListener('change', () => {
      const entry = entries[select.selectedIndex];
      if (entry && entry.kind === 'choose') {
        choose();
      } else {
        current = entry || null;
      }
    });
  }

  // COMn for the channel: the port and its name in the list, or why there is none.
  function resolve(n) {
    const entry = entries[n - 1];
    if (!entry) return 'There is no such entry in the port list.';
    if (entry.kind === 'choose') {
      return 'No port is chosen: pick "' + kChoose + '" in the port list and choose the ' +
             "beacon's adapter.";
    }
    return { port: entry.kind === 'simulated' ? simulatedPort() : entry.port, name: entry.name };
  }

  return { start: start, simulatedPort: simulatedPort };
})();
