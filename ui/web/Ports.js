// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's serial ports for the program's port list (PagePorts.cpp; the list and the port
// it starts on are the program's): the ports this page may already use, in the order
// navigator.serial.getPorts() gives them, each with a number of its own for as long as the page
// lives; the browser's chooser; and the simulated beacon. The ports are read again when the
// browser reports one plugged in or out, and when the pointer or the focus comes to the list,
// before it drops down; the program lists them again when they changed.
var WrenbeaconPorts = (function () {
  'use strict';
  const kNoSerial =
    'This browser cannot reach serial ports: Chrome, Edge, Opera and the other Chromium ' +
    'browsers on a desktop computer can (Web Serial). The simulated beacon and the files work ' +
    'here too.';
  const kGone = 'The adapter is no longer there: plug it in again and choose it in the port list.';
  const kNoPort = "No port is chosen: choose the beacon's adapter in the port list.";
  const IDC_COM_PORT = 1003;

  const keys = new WeakMap();  // port -> its number
  const ports = new Map();     // number -> port
  let nextKey = 1;
  let granted = [];            // the numbers of the ports the page may use, in the browser's order
  let simulated = null;
  let labels = new Map();      // device name -> what the program's list shows for it

  function keyOf(port) {
    let key = keys.get(port);
    if (!key) {
      key = nextKey++;
      keys.set(port, key);
      ports.set(key, port);
    }
    return key;
  }

  // True when the ports differ from the last reading.
  async function read() {
    let now = [];
    try {
      now = navigator.serial ? (await navigator.serial.getPorts()).map(keyOf) : [];
    } catch (e) {
      now = [];
    }
    const changed = now.length !== granted.length || now.some((key, i) => key !== granted[i]);
    granted = now;
    return changed;
  }

  async function readAndList() {
    if (await read()) Module.wbPage.call('wb_ports_changed', []);
  }

  // The program's port list starts with the ports the page may use: read before it starts.
  Module.preRun = (Module.preRun || []).concat([function () {
    Module.addRunDependency('wb-ports');
    read().finally(() => Module.removeRunDependency('wb-ports'));
  }]);

  function simulatedPort() {
    if (!simulated) simulated = new WrenbeaconSimulatedPort(WrenbeaconSimulator(), Module.wbSerial.timers);
    return simulated;
  }

  // What the channel opens for an entry's device name (BrowserPorts.cpp), with the name the
  // list shows for it; or why nothing.
  function resolve(device) {
    const name = labels.get(String(device));
    if (device === 'simulated') return { port: simulatedPort(), name: name };
    const match = /^port:(\d+)$/.exec(String(device));
    if (!match) return kNoPort;
    const key = Number(match[1]);
    return granted.includes(key) ? { port: ports.get(key), name: name } : kGone;
  }

  function start() {
    Module.wbSerial.resolvePort = resolve;
    const select = Module.wbPage.element(IDC_COM_PORT);
    if (navigator.serial) {
      navigator.serial.addEventListener('connect', readAndList);
      navigator.serial.addEventListener('disconnect', readAndList);
      select.addEventListener('focus', readAndList);
      select.addEventListener('pointerenter', readAndList);
    } else {
      const notice = document.getElementById('notice');
      notice.textContent = kNoSerial;
      notice.hidden = false;
    }
    select.addEventListener('change', () => Module.wbPage.call('wb_port_selected', []));
  }

  return {
    start: start,
    simulatedPort: simulatedPort,
    canAsk() { return !!navigator.serial; },
    // What the program's list shows for each device name, for what the channel tells.
    setLabels(entries) { labels = new Map(entries); },
    addLabel(device, label) { labels.set(device, label); },
    // The ports the page may use, as the program lists them.
    granted() {
      return granted.map((key) => {
        const info = (ports.get(key).getInfo && ports.get(key).getInfo()) || {};
        const id = (n) => (Number.isInteger(n) && n >= 0 ? n : -1);
        return { key: key, usbVendorId: id(info.usbVendorId), usbProductId: id(info.usbProductId) };
      });
    },
    // The browser's chooser: the number of the port chosen, or 0.
    async ask() {
      try {
        const port = await navigator.serial.requestPort();
        await read();
        return keyOf(port);
      } catch (e) {
        return 0;  // nothing chosen
      }
    },
  };
})();
