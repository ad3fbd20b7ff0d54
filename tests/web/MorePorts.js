// SPDX-License-Identifier: GPL-3.0-or-later
// More granted ports beside the fake beacon's (FakeSerial.js), for the port list's tests. The
// page's own localStorage entry "test-ports" lists them in the browser's order: "beacon" for the
// simulated beacon's port, "vvvv:pppp" for an adapter with those USB ids that no program can open.
(() => {
  'use strict';
  const serial = navigator.serial;
  if (!serial) return;
  const beaconPorts = serial.getPorts;
  const others = new Map();

  function other(ids) {
    if (!others.has(ids)) {
      const [vendor, product] = ids.split(':').map((hex) => parseInt(hex, 16));
      const port = new EventTarget();
      port.getInfo = () => ({ usbVendorId: vendor, usbProductId: product });
      port.open = async () => {
        throw new DOMException('Failed to open serial port.', 'NetworkError');
      };
      others.set(ids, port);
    }
    return others.get(ids);
  }

  serial.getPorts = async () => {
    const order = JSON.parse(localStorage.getItem('test-ports') || '["beacon"]');
    const beacon = (await beaconPorts())[0];
    return order.map((name) => (name === 'beacon' ? beacon : other(name)));
  };
})();
