# SPDX-License-Identifier: GPL-3.0-or-later
"""Headless Chromium with the page loaded from disk, the fake navigator.serial and the fake
file pickers injected."""
import os
import shutil
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

HERE = os.path.dirname(os.path.abspath(__file__))
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1100,800"]


class Page:
    def __init__(self, html, query="", fake=True, scripts=(), settings=False):
        """`scripts` are injected after the fake port; without `settings` the page neither reads
        nor writes what it remembers."""
        if not settings:
            query = "?no-settings" + ("&" + query.lstrip("?") if query else "")
        self.profile = tempfile.mkdtemp(prefix="wb-chromium-")
        self.downloads = tempfile.mkdtemp(prefix="wb-downloads-")
        options = webdriver.ChromeOptions()
        for flag in FLAGS + ["--user-data-dir=" + self.profile]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": self.downloads})
        # Any alert() would show here: the markup tests look for it.
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": "window.alerts = []; window.alert = (t) => window.alerts.push(String(t));"})
        for script in (["FakeSerial.js"] if fake else []) + ["FakePickers.js"] + list(scripts):
            with open(os.path.join(HERE, script), encoding="utf-8") as f:
                self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                            {"source": f.read()})
        self.driver.get("file://" + os.path.abspath(html) + query)
        self.wait_ready()

    def wait_ready(self):
        self.wait(lambda: self.js("return document.body.dataset.ready === 'true'"), 20)

    def reload(self):
        """The page opened again, as at the next start."""
        self.driver.refresh()
        self.wait_ready()

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
        shutil.rmtree(self.downloads, ignore_errors=True)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def js_async(self, script, *args):
        """Runs `script` with its last argument a callback taking the result."""
        return self.driver.execute_async_script(script, *args)

    @staticmethod
    def wait(condition, seconds=30):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            value = condition()
            if value:
                return value
            time.sleep(0.05)
        raise AssertionError("timed out waiting")

    def control(self, control_id):
        return self.driver.find_element(By.ID, "c0-%d" % control_id)

    def click(self, control_id):
        self.control(control_id).click()

    def box(self, seconds=30):
        """The open message box as (caption, text, detail), once one shows."""
        return self.wait(lambda: self.js("""
            const d = document.querySelector('dialog.box[open]');
            if (!d) return null;
            const detail = d.querySelector('.detail');
            return [d.querySelector('h2').textContent, d.querySelector('.text').textContent,
                    detail ? detail.textContent : ''];"""), seconds)

    def answer(self, index=0):
        """Presses the box's button `index` (0: OK or yes) and waits until it has gone."""
        self.js("document.querySelectorAll('dialog.box[open] .buttons button')[arguments[0]]"
                ".click()", index)
        self.wait(lambda: self.js("return !document.querySelector('dialog.box[open]')"))

    def idle(self):
        self.wait(lambda: self.js("return Module.wbPage.idle()"))

    def beacon(self, method, *args):
        """Calls a method of the fake port's simulated beacon and returns its result."""
        return self.js_async("""
            const done = arguments[arguments.length - 1];
            navigator.serial.getPorts().then((p) => p[0][arguments[0]](...arguments[1]))
                .then(done, (e) => done('error: ' + e));""", method, list(args))

    def port_names(self):
        return self.js("return Array.from(document.getElementById('c0-1003').options)"
                       ".map((o) => o.textContent)")

    def set_field(self, control_id, text):
        self.js("const e = document.getElementById('c0-' + arguments[0]); e.value = arguments[1];"
                "e.dispatchEvent(new Event('input', {bubbles: true}));", control_id, text)
