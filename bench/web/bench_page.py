#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Read and Write Configuration in the page, in headless Chromium against the page's simulated
beacon, as ratios to the protocol floors (target: within 1.05, as on the desktop); the same with
the tab hidden; what a hidden tab does to the page's timers and to a worker's; the size of the
HTML file and the time from opening it to a usable form.
Usage: bench/web/bench_page.py build/web/WrenbeaconConfig.html [RUNS]"""
import os
import statistics
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"]

# The floors of the protocol (bench/ProtocolFloors.h), for the simulated banner of 26 characters.
CHAR_MS = 10 * 1000 / 4800
PACING_MS, SILENCE_MS, TARGET = 10.0, 50.0, 1.05


def quiet_read(n):
    return 300 + 2 * n


VERSION = quiet_read(29) + 2 * PACING_MS + 27 * CHAR_MS + SILENCE_MS
UPLOAD = quiet_read(200) + PACING_MS + 129 * CHAR_MS + SILENCE_MS
DOWNLOAD = quiet_read(100) + 130 * PACING_MS
FLOORS = {"read": VERSION + 2 * UPLOAD, "write": VERSION + DOWNLOAD + UPLOAD}
BUTTONS = {"read": 1000, "write": 1001}

# Clicks the button and resolves with the time until the outcome box shows; answers a question
# before a read with its first button.
TIMED_ACTION = """
const [id, done] = arguments;
const start = performance.now();
const look = () => {
  const box = document.querySelector('dialog.box[open]');
  if (box && box.querySelectorAll('.buttons button').length === 2) {
    box.querySelector('.buttons button').click();
  } else if (box) {
    const took = performance.now() - start;
    const text = box.querySelector('.text').textContent;
    box.querySelector('.buttons button').click();
    done([took, text, document.visibilityState]);
    return;
  }
  setTimeout(look, 2);
};
document.getElementById('c0-' + id).click();
look();
"""

# 20 waits of 10 ms through the page's timers and through the worker's, one after the other.
TIMERS = """
const done = arguments[0];
const chain = (after) => new Promise((resolve) => {
  const start = performance.now();
  let left = 20;
  const step = () => (--left < 0 ? resolve(performance.now() - start) : after(10).then(step));
  step();
});
const page = (ms) => new Promise((r) => setTimeout(r, ms));
const worker = (ms) => Module.wbSerial.timers.after(ms);
window.timerResult = null;
Promise.all([chain(page), chain(worker)]).then((r) => {
  window.timerResult = [r[0], r[1], document.visibilityState];
});
done();
"""


def main():
    html = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    options = webdriver.ChromeOptions()
    for flag in FLAGS + ["--user-data-dir=" + tempfile.mkdtemp(prefix="wb-bench-")]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(120)
    failed = False
    try:
        opened = time.monotonic()
        driver.get("file://" + html)
        while driver.execute_script("return document.body.dataset.ready") != "true":
            time.sleep(0.01)
        usable = driver.execute_script("return Number(document.body.dataset.readyAt)")
        print("HTML file: %d bytes" % os.path.getsize(html))
        print("Opening to a usable form: %.0f ms in the page (%.0f ms with the driver)" %
              (usable, (time.monotonic() - opened) * 1000))
        driver.execute_script("document.getElementById('c0-1008').value = 'K1ABC-9'")
        for action in ("write", "read"):
            took = []
            for _ in range(runs):
                ms, text, _ = driver.execute_async_script(TIMED_ACTION, BUTTONS[action])
                if "Successful" not in text:
                    print("  %s failed: %s" % (action, text))
                    failed = True
                took.append(ms)
            ratio = statistics.median(took) / FLOORS[action]
            failed |= ratio > TARGET
            print("%s: median %.0f ms over %d runs, floor %.0f ms, ratio %.3f (target %.2f)" %
                  (action.capitalize(), statistics.median(took), runs, FLOORS[action], ratio,
                   TARGET))

        # A hidden tab: the action starts, another tab comes to the front, and the first one
        # is looked at again once the action must have ended.
        main_tab = driver.current_window_handle
        for action in ("write",):
            driver.execute_script("""
                window.hiddenResult = null;
                const start = performance.now();
                const look = () => {
                  const box = document.querySelector('dialog.box[open]');
                  if (box) {
                    window.hiddenResult = [performance.now() - start,
                                           box.querySelector('.text').textContent,
                                           window.hiddenSeen];
                    box.querySelector('.buttons button').click();
                  } else { setTimeout(look, 5); }
                };
                window.hiddenSeen = false;
                document.addEventListener('visibilitychange', () => {
                  if (document.visibilityState === 'hidden') window.hiddenSeen = true;
                });
                document.getElementById('c0-1001').click();
                look();""")
            driver.switch_to.new_window("tab")
            time.sleep(FLOORS[action] / 1000 + 6)
            driver.switch_to.window(main_tab)
            result = driver.execute_script("return window.hiddenResult")
            print("Write with the tab hidden%s: %s" % (
                "" if result and result[2] else " (the tab was never hidden)",
                "no box yet" if not result else "%.0f ms until its box could show, ratio %.3f, "
                "'%s' (a box waits for the tab to be looked at)" %
                (result[0], result[0] / FLOORS[action], result[1])))
        driver.switch_to.new_window("tab")
        hidden_tab = driver.current_window_handle
        driver.switch_to.window(main_tab)
        driver.execute_async_script(TIMERS)
        driver.switch_to.window(hidden_tab)
        time.sleep(25)
        driver.switch_to.window(main_tab)
        page_ms, worker_ms, state = driver.execute_script("return window.timerResult") or (0, 0, "")
        print("20 waits of 10 ms in a tab that went to the back: the page's timers %.0f ms, the "
              "worker's %.0f ms" % (page_ms, worker_ms))
    finally:
        driver.quit()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
