// SPDX-License-Identifier: GPL-3.0-or-later
// navigator.serial for the page's tests, injected before the page's scripts run: one USB port
// (0403:6001) whose far end is the simulated beacon, strict about line settings and pace as the
// device is. window.fakeSerial lets a test make the port busy, pull it after some bytes, or
// reach the beacon; `?noserial` in the page's address takes navigator.serial away instead.
(() => {
  'use strict';
  if (location.search.includes('noserial')) {
    delete Navigator.prototype.serial;
    return;
  }
  const state = { busy: false, unplugAfter: -1, port: null, opens: [] };

  function makePort() {
    // The page defines the simulated beacon's port; it is there once the page has loaded.
    const timers = {
      after: (ms, cancel) => new Promise((resolve) => {
        const t = setTimeout(resolve, ms);
        if (cancel) cancel(() => { clearTimeout(t); resolve(); });
      }),
    };
    const port = new WrenbeaconSimulatedPort(WrenbeaconSimulator(), timers);
    port.getInfo = () => ({ usbVendorId: 0x0403, usbProductId: 0x6001 });
    const open = port.open.bind(port);
    port.open = async (options) => {
      state.opens.push(options);
      if (state.busy) throw new DOMException('Failed to open serial port.', 'NetworkError');
      await open(options);
      if (state.unplugAfter < 0) return;
      const inner = port.writable.getWriter();
      let count = 0;
      port.writable = new WritableStream({
        async write(chunk) {
          count += chunk.length;
          if (count > state.unplugAfter) {
            port.lose();
            throw new DOMException('The device has been lost.', 'NetworkError');
          }
          await inner.write(chunk);
        },
      });
    };
    return port;
  }

  const serial = new EventTarget();
  serial.getPorts = async () => {
    if (!state.port) state.port = makePort();
    return [state.port];
  };
  serial.requestPort = async () => serial.getPorts().then((p) => p[0]);
  Object.defineProperty(Navigator.prototype, 'serial', { get: () => serial, configurable: true });
  window.fakeSerial = state;
})();
