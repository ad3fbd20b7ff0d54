// SPDX-License-Identifier: GPL-3.0-or-later
// A Web Serial port for the tests under node, in place of the ports navigator.serial hands the
// page: the interface the page's transport uses (open, readable, writable, close, getInfo, the
// 'disconnect' event), with a far end that the test plays (WebLine.cpp). Its refusals follow the
// browser: a port held by another program fails to open with a NetworkError, a port this page
// holds already with an InvalidStateError, and a write the device does not take stays pending
// until the stream is aborted.
Module['wbFakeLine'] = (function () {
  'use strict';
  const lost = () => new DOMException('The device has been lost.', 'NetworkError');

  class FakePort extends EventTarget {
    constructor() {
      super();
      this.readable = null;
      this.writable = null;
      this.controller = null;
      this.arrivals = [];  // [time, byte] for every byte the host wrote, as the far end saw it
      this.opens = [];     // the options of every open that succeeded
      this.heldElsewhere = false;
      this.gone = false;
      this.stalled = false;
      this.slowHandOver = false;  // every other byte takes 3 ms to hand over
      this.pending = new Set();  // scheduled sends and hang-ups
    }

    getInfo() { return { usbVendorId: 0x0403, usbProductId: 0x6001 }; }

    async open(options) {
      if (this.readable) throw new DOMException('The port is already open.', 'InvalidStateError');
      if (this.gone) throw new DOMException('The device is not there.', 'NotFoundError');
      if (this.heldElsewhere) throw new DOMException('Failed to open serial port.', 'NetworkError');
      this.opens.push(options);
      this.readable = new ReadableStream({ start: (c) => { this.controller = c; } });
      this.writable = new WritableStream({
        write: (chunk, controller) => {
          if (this.gone) throw lost();
          if (this.stalled) {
            return new Promise((resolve, reject) => {
              controller.signal.addEventListener('abort', () => reject(controller.signal.reason));
            });
          }
          if (this.slowHandOver && this.arrivals.length % 2 === 0) {
            // A busy machine can hold the page up while it hands a byte over.
            const until = performance.now() + 3;
            while (performance.now() < until) { /* 3 ms */ }
          }
          for (const byte of chunk) this.arrivals.push([performance.now(), byte]);
          return undefined;
        },
      });
    }

    async close() {
      if (!this.readable) throw new DOMException('The port is already closed.', 'InvalidStateError');
      if (this.readable.locked || this.writable.locked) {
        throw new TypeError('Cannot close a port whose streams are locked.');
      }
      await Promise.allSettled([this.readable.cancel(), this.writable.abort()]);
      this.readable = null;
      this.writable = null;
      this.controller = null;
    }

    later(ms, what) {
      const t = setTimeout(() => { this.pending.delete(t); what(); }, ms);
      this.pending.add(t);
    }

    // Bytes to the host: the first `after` ms from now, the others `gap` ms apart; all at once
    // as one chunk when both are 0. Bytes sent while the port is closed are lost.
    send(bytes, after, gap) {
      const enqueue = (chunk) => {
        if (this.controller) this.controller.enqueue(chunk);
      };
      if (after === 0 && gap === 0) {
        enqueue(Uint8Array.from(bytes));
        return;
      }
      const start = performance.now();
      bytes.forEach((byte, i) => {
        this.later(Math.max(0, start + after + i * gap - performance.now()),
                   () => enqueue(Uint8Array.of(byte)));
      });
    }

    // The adapter is pulled: the read stream fails, writes fail, the port says so.
    hangUp(after) {
      this.later(after, () => {
        this.gone = true;
        if (this.controller) {
          try { this.controller.error(lost()); } catch (e) { /* already closed */ }
        }
        this.dispatchEvent(new Event('disconnect'));
      });
    }

    forget() {
      for (const t of this.pending) clearTimeout(t);
      this.pending.clear();
    }
  }

  const lines = new Map();
  let next = 1;
  return {
    // A new line; the transport's COM1 is its port while it lives, with the name the page's list
    // would give it.
    make() {
      const id = next++;
      const port = new FakePort();
      lines.set(id, port);
      Module.wbSerial.resolvePort = (n) =>
        n === 1 ? { port: port, name: 'USB serial 0403:6001' } : 'There is no such entry in the port list.';
      return id;
    },
    get(id) { return lines.get(id); },
    drop(id) {
      const port = lines.get(id);
      if (port) port.forget();
      lines.delete(id);
      Module.wbSerial.resolvePort = null;
    },
  };
})();
