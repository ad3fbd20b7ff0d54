// SPDX-License-Identifier: GPL-3.0-or-later
// A serial port of the page whose far end is the simulated beacon (SimulatorExports.cpp): the
// interface of a Web Serial port (open, close, readable, writable, getInfo, events), and as
// strict as the beacon on a pseudo-terminal. A command that completes while the port was opened
// with other line settings is ignored; a byte of a command written sooner than 9 ms after the
// one before is lost. Its answers leave at the pace of a 4800-baud line.
//   moduleReady  the promise WrenbeaconSimulator() gives
//   timers       { after(ms, cancel) }: waits that keep their time in a hidden tab
class WrenbeaconSimulatedPort extends EventTarget {
  constructor(moduleReady, timers) {
    super();
    this.ready = Promise.resolve(moduleReady).then((sim) => {
      this.sim = sim;
      this.id = sim._wbsim_create();
      this.buffer = sim._malloc(256);
      return sim;
    });
    this.timers = timers;
    this.readable = null;
    this.writable = null;
    this.controller = null;
    this.wakeAt = Infinity;
    this.gone = false;
  }

  getInfo() { return {}; }

  withText(text, use) {
    const size = text.length * 4 + 1;
    const pointer = this.sim._malloc(size);
    this.sim.stringToUTF8(text, pointer, size);
    try {
      return use(pointer);
    } finally {
      this.sim._free(pointer);
    }
  }

  async open(options) {
    await this.ready;
    if (this.readable) throw new DOMException('The port is already open.', 'InvalidStateError');
    if (this.gone) throw new DOMException('Failed to open serial port.', 'NetworkError');
    const o = options || {};
    const pick = (value, fallback) => (value === undefined ? fallback : value);
    this.withText(pick(o.parity, 'none'), (parity) =>
      this.withText(pick(o.flowControl, 'none'), (flow) =>
        this.sim._wbsim_open(this.id, performance.now(), o.baudRate, pick(o.dataBits, 8), parity,
                             pick(o.stopBits, 1), flow)));
    this.readable = new ReadableStream({
      start: (controller) => { this.controller = controller; },
      cancel: () => { this.controller = null; },
    });
    this.writable = new WritableStream({
      write: (chunk) => {
        if (this.gone) throw new DOMException('The device has been lost.', 'NetworkError');
        for (const byte of chunk) {
          if (this.sim._wbsim_receive(this.id, byte, performance.now()) !== 0) {
            this.lose();
            throw new DOMException('The device has been lost.', 'NetworkError');
          }
        }
        this.pump();
      },
    });
    this.pump();
  }

  async close() {
    if (!this.readable) throw new DOMException('The port is already closed.', 'InvalidStateError');
    if (this.sim) this.sim._wbsim_close(this.id, performance.now());
    this.readable = null;
    this.writable = null;
    this.controller = null;
  }

  // The adapter is pulled: reads and writes fail, the port says so, and it cannot be opened.
  lose() {
    this.gone = true;
    if (this.controller) {
      try {
        this.controller.error(new DOMException('The device has been lost.', 'NetworkError'));
      } catch (e) { /* already closed */ }
      this.controller = null;
    }
    this.dispatchEvent(new Event('disconnect'));
  }

  // Hands over what the beacon has sent by now and sleeps until it next has something to do.
  pump() {
    if (!this.sim || !this.readable) return;
    const now = performance.now();
    const count = this.sim._wbsim_take_due(this.id, now, this.buffer, 256);
    if (count > 0 && this.controller) {
      this.controller.enqueue(this.sim.HEAPU8.slice(this.buffer, this.buffer + count));
    }
    const next = this.sim._wbsim_next_wake(this.id);
    if (next >= 0 && next < this.wakeAt) {
      this.wakeAt = next;
      this.timers.after(Math.max(0, next - performance.now())).then(() => {
        if (this.wakeAt === next) this.wakeAt = Infinity;
        this.pump();
      });
    }
  }

  // For a test or a demonstration: a fault by its name ("silent", "short-upload", ...), the
  // EEPROM as 128 bytes, the tone last asked for ('x' when silent), what the beacon noticed.
  async setFault(name) {
    await this.ready;
    return this.withText(name, (p) => this.sim._wbsim_set_fault(this.id, p) === 0);
  }
  async eeprom() {
    await this.ready;
    this.sim._wbsim_eeprom(this.id, this.buffer);
    return Array.from(this.sim.HEAPU8.slice(this.buffer, this.buffer + 128));
  }
  async setEeprom(bytes) {
    await this.ready;
    this.sim.HEAPU8.set(bytes, this.buffer);
    this.sim._wbsim_set_eeprom(this.id, this.buffer);
  }
  async setBanner(text) {
    await this.ready;
    this.withText(text, (p) => this.sim._wbsim_set_banner(this.id, p));
  }
  async tone() {
    await this.ready;
    return String.fromCharCode(this.sim._wbsim_tone(this.id));
  }
  async remarks() {
    await this.ready;
    return this.sim.UTF8ToString(this.sim._wbsim_take_remarks(this.id));
  }
}
