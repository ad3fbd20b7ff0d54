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
  // What open() answers besides a handle (see SerialBackendWeb.cpp).
  const kNoPort = 0;
  const kRefused = -1;
  const kGone = -2;

  const now = () => performance.now();

  // Timers in a worker keep their time in a hidden tab, where a page's own are held to about one
  // a second; where no worker can be made, or it fails to start, the page's timers serve.
  const timers = (function () {
    // A timer wakes the page late: by a fraction of a millisecond on an idle machine, by a few on
    // a busy one. A wait that must end on time (the pause after a byte, a read's limit) is woken
    // this much early and waited out by the page itself.
    const kEarly = 1.5;
    let worker = null;
    const waiting = new Map();  // id -> { at, done }
    let next = 1;

    function pageTimer(at, done) {
      const t = setTimeout(done, Math.max(0, at - now()));
      return () => clearTimeout(t);
    }

    function fallBack() {
      worker = null;
      for (const entry of waiting.values()) pageTimer(entry.at, entry.done);
      waiting.clear();
    }

    try {
      if (typeof Worker === 'function' && typeof Blob === 'function' && typeof URL === 'function') {
        const source =
          'const timers = new Map();' +
          'onmessage = (e) => { const m = e.data;' +
          ' if (m.cancel) { clearTimeout(timers.get(m.cancel)); timers.delete(m.cancel); return; }' +
          ' const left = m.at - (performance.timeOrigin + performance.now());' +
          ' timers.set(m.id, setTimeout(() => { timers.delete(m.id); postMessage(m.id); },' +
          ' Math.max(0, left))); };';
        worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
        worker.onmessage = (e) => {
          const entry = waiting.get(e.data);
          waiting.delete(e.data);
          if (entry) entry.done();
        };
        // A host whose policy forbids the worker says so only after it was made.
        worker.onerror = fallBack;
      }
    } catch (e) {
      worker = null;
    }

    function arm(at, done) {
      if (!worker) return pageTimer(at, done);
      const id = next++;
      waiting.set(id, { at: at, done: done });
      worker.postMessage({ id: id, at: performance.timeOrigin + at });
      return () => {
        if (waiting.delete(id) && worker) worker.postMessage({ cancel: id });
      };
    }

    // Calls `done` at `at` (performance.now() time) or later; returns a function that cancels.
    // The worker's clock is not quite the page's: a wake that comes early waits again.
    function wake(at, done) {
      let cancel = null;
      const fire = () => {
        if (now() < at) cancel = arm(at, fire);
        else done();
      };
      cancel = arm(at, fire);
      return () => cancel();
    }

    return {
      // Resolves no sooner than `ms` from now; `cancel` (optional) gets a function that ends
      // the wait early.
      after(ms, cancel) {
        return new Promise((resolve) => {
          const stop = wake(now() + Math.max(0, ms), resolve);
          if (cancel) cancel(() => { stop(); resolve(); });
        });
      },
      // Resolves at `due` (performance.now() time), never before and as soon after as the
      // machine allows.
      until(due, cancel) {
        return new Promise((resolve) => {
          const finish = () => {
            while (now() < due) { /* at most kEarly */ }
            resolve();
          };
          if (due - now() <= kEarly) {
            finish();
            return;
          }
          const stop = wake(due - kEarly, finish);
          if (cancel) cancel(() => { stop(); resolve(); });
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
    // Set by the page: COMn as { port, name } (the name as the port list shows it), or a text
    // that says why there is no port.
    resolvePort: null,
    line: kLine,
    timers: timers,
    now: now,

    // A handle (> 0); or kNoPort with why in the text; or kRefused or kGone with the port's name.
    async open(number, textPointer, textSize) {
      const entry = api.resolvePort ? api.resolvePort(number) : 'No port list is set up.';
      if (!entry || typeof entry === 'string') {
        put(entry || 'No port is chosen.', textPointer, textSize);
        return kNoPort;
      }
      const port = entry.port;
      put(entry.name || 'The port', textPointer, textSize);
      try {
        await port.open(kLine);
      } catch (e) {
        return e && e.name === 'NotFoundError' ? kGone : kRefused;
      }
      const state = {
        port: port, queue: [], arrival: 0, handedAt: 0, lost: false, closing: false, wake: null,
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
      const handing = state.writer.write(Uint8Array.of(byte));
      // Taken once the call returns, so never before the port had the byte: the page can be held
      // up for milliseconds between any two lines here on a busy machine.
      state.handedAt = now();
      const written = handing.then(() => 1, () => -1);
      let stop = null;
      const late = timers.after(limit, (c) => { stop = c; }).then(() => 0);
      const result = await Promise.race([written, late]);
      stop();
      if (result < 0) state.lost = true;
      return result;
    },

    // When the last byte written to the port was handed to it (performance.now() time).
    handedAt(handle) {
      const state = open.get(handle);
      return state ? state.handedAt : 0;
    },

    // Up to `count` queued bytes into `buffer`, waiting until `deadline` (performance.now() time)
    // for the first; 0 when none came, -1 when the port failed.
    async take(handle, buffer, count, deadline) {
      const state = open.get(handle);
      if (!state) return -1;
      let lookedAgain = false;
      for (;;) {
        if (state.queue.length > 0) {
          const bytes = state.queue.splice(0, count);
          HEAPU8.set(bytes, buffer);
          return bytes.length;
        }
        if (state.lost) return -1;
        const late = now() - deadline;
        if (late >= 0) {
          // Bytes that came in time can still wait behind work that kept the page busy past the
          // deadline (a busy machine, the progress bar): one more turn of the page's tasks
          // brings them in.
          if (lookedAgain || late < 1) return 0;
          lookedAgain = true;
          await timers.after(0);
          continue;
        }
        let stop = null;
        const timeUp = timers.until(deadline, (c) => { stop = c; });
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

    async sleepUntil(due) {
      await timers.until(due);
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
