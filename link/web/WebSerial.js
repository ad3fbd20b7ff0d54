// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's half of the serial backend (SerialBackendWeb.cpp): Web Serial ports, or anything
// with the same interface (the simulated beacon, a test's fake), opened with the beacon's line
// settings. One reader loop per open port fills a byte queue that reads take from, so bytes
// beyond a read's count stay for the next read. Waits use timers that a hidden tab does not slow
// down where the browser allows it (a worker's), so that the pacing and the read limits stay as
// the beacon needs them.
Module['wbSerial'] = (function () {
  'use strict';
  const kLine = { baudRate: 4800, dataBits: 8, parity: 'none', stopBits: 1, flowControl: 'none' };
  const kBusy =
    'The port is in use: another program, browser tab or window has it open. Close that one and ' +
    'try again.';
  const kGone = 'The adapter is no longer there: plug it in again and choose it in the port list.';

  const now = () => performance.now();

  // Timers in a worker keep their time in a hidden tab, where a page's own are held to about one
  // a second; where no worker can be made, the page's timers serve.
  const timers = (function () {
    const kLead = 1;
    let worker = null;
    const waiting = new Map();
    let next = 1;
    try {
      if (typeof Worker === 'function' && typeof Blob === 'function' && typeof URL === 'function') {
        // A timer fires a millisecond or so late, and the worker's message takes a while to
        // reach the page: the worker wakes a little early and answers a millisecond before the
        // time, and the page waits out the rest. So the 10 ms pause after each byte stays near
        // 10 ms, and never shorter.
        const source =
          'const clock = () => performance.timeOrigin + performance.now();' +
          'onmessage = (e) => { const wait = () => { const left = e.data.at - clock();' +
          ' if (left > 2) { setTimeout(wait, left - 1.5); return; }' +
          ' while (clock() < e.data.at) {} postMessage(e.data.id); }; wait(); };';
        worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
        worker.onmessage = (e) => {
          const done = waiting.get(e.data);
          waiting.delete(e.data);
          if (done) done();
        };
        worker.onerror = () => { worker = null; };
      }
    } catch (e) {
      worker = null;
    }
    return {
      // Resolves no sooner than `ms` from now; `cancel` (optional) gets a function that ends
      // the wait early.
      after(ms, cancel) {
        return new Promise((resolve) => {
          if (worker) {
            const id = next++;
            const due = performance.now() + Math.max(0, ms);
            waiting.set(id, () => {
              while (performance.now() < due) { /* less than a millisecond */ }
              resolve();
            });
            worker.postMessage({ id: id, at: performance.timeOrigin + due - kLead });
            if (cancel) cancel(() => { waiting.delete(id); resolve(); });
          } else {
            const t = setTimeout(resolve, Math.max(0, ms));
            if (cancel) cancel(() => { clearTimeout(t); resolve(); });
          }
        });
      },
      usesWorker() { return worker !== null; },
    };
  })();

  const open = new Map();  // handle -> state of an open port
  let nextHandle = 1;

  function wake(state) {
    const w = state.wake;
    state.wake = null;
    if (w) w();
  }

  async function readLoop(state) {
    for (;;) {
      let chunk;
      try {
        chunk = await state.reader.read();
      } catch (e) {
        state.lost = true;
        break;
      }
      if (chunk.done) {
        if (!state.closing) state.lost = true;
        break;
      }
      for (const byte of chunk.value) state.queue.push(byte);
      state.arrival = now();
      wake(state);
    }
    wake(state);
  }

  function put(text, pointer, size) {
    stringToUTF8(text, pointer, size);
  }

  const api = {
    // Set by the page: the port for COMn, or a text that says why there is none.
    resolvePort: null,
    line: kLine,
    timers: timers,
    now: now,

    async open(number, reasonPointer, reasonSize) {
      const port = api.resolvePort ? api.resolvePort(number) : 'No port list is set up.';
      if (typeof port === 'string' || !port) {
        put(port || 'No port is chosen.', reasonPointer, reasonSize);
        return 0;
      }
      try {
        await port.open(kLine);
      } catch (e) {
        const name = e && e.name;
        put(name === 'NotFoundError' ? kGone : kBusy, reasonPointer, reasonSize);
        return 0;
      }
      const state = {
        port: port, queue: [], arrival: 0, lost: false, closing: false, wake: null,
        reader: port.readable.getReader(), writer: port.writable.getWriter(), loop: null,
      };
      state.forget = () => { state.lost = true; wake(state); };
      if (port.addEventListener) port.addEventListener('disconnect', state.forget);
      state.loop = readLoop(state);
      const handle = nextHandle++;
      open.set(handle, state);
      return handle;
    },

    usable(handle) {
      const state = open.get(handle);
      return !!state && !state.lost;
    },

    // 1: written; 0: not taken within `limit` ms; -1: the port failed.
    async write(handle, byte, limit) {
      const state = open.get(handle);
      if (!state || state.lost) return -1;
      let stop = null;
      const written = state.writer.write(Uint8Array.of(byte)).then(() => 1, () => -1);
      const late = timers.after(limit, (c) => { stop = c; }).then(() => 0);
      const result = await Promise.race([written, late]);
      if (stop) stop();
      if (result < 0) state.lost = true;
      return result;
    },

    // Up to `count` queued bytes into `buffer`, waiting until `deadline` (performance.now() time)
    // for the first; 0 when none came, -1 when the port failed.
    async take(handle, buffer, count, deadline) {
      const state = open.get(handle);
      if (!state) return -1;
      for (;;) {
        if (state.queue.length > 0) {
          const bytes = state.queue.splice(0, count);
          HEAPU8.set(bytes, buffer);
          return bytes.length;
        }
        if (state.lost) return -1;
        const left = deadline - now();
        if (left <= 0) return 0;
        let stop = null;
        const timeUp = timers.after(left, (c) => { stop = c; });
        await Promise.race([new Promise((resolve) => { state.wake = resolve; }), timeUp]);
        state.wake = null;
        if (stop) stop();
      }
    },

    lastArrival(handle) {
      const state = open.get(handle);
      return state ? state.arrival : 0;
    },

    // 1: closed. A port that is gone counts as closed; one that refuses to close stays open.
    async close(handle) {
      const state = open.get(handle);
      if (!state) return 0;
      state.closing = true;
      try {
        await state.reader.cancel();
      } catch (e) { /* the loop ends either way */ }
      await state.loop;
      try { state.reader.releaseLock(); } catch (e) { /* already released */ }
      try { state.writer.releaseLock(); } catch (e) { /* a write still pending */ }
      if (state.port.removeEventListener) {
        state.port.removeEventListener('disconnect', state.forget);
      }
      try {
        await state.port.close();
      } catch (e) {
        if (!state.lost) return 0;  // still held; a later close tries again
      }
      open.delete(handle);
      return 1;
    },

    async sleep(ms) {
      await timers.after(ms);
    },

    // When the page goes away for good (or into the back-forward cache), every port it holds is
    // closed, so that a reload finds it free.
    closeAll() {
      for (const handle of Array.from(open.keys())) {
        const state = open.get(handle);
        state.closing = true;
        state.lost = true;
        wake(state);
        Promise.resolve()
          .then(() => state.reader.cancel())
          .catch(() => {})
          .then(() => { try { state.reader.releaseLock(); } catch (e) {} })
          .then(() => { try { state.writer.releaseLock(); } catch (e) {} })
          .then(() => state.port.close())
          .catch(() => {});
        open.delete(handle);
      }
    },
  };
  return api;
})();
