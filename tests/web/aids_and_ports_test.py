#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page's symbol chooser, SmartBeaconing presets and chart, and its port list with what it
remembers, in headless Chromium."""
import os
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.select import Select

from PageDriver import Page

HTML = sys.argv.pop(1) if len(sys.argv) > 1 else "build/web/WrenbeaconConfig.html"
READ_VERSION, COM_PORT = 1002, 1003
SYMBOL, TABLE, PICTURE = 1014, 1015, 1060
SMARTBEACON_ENABLE, PRESET, CHART = 1033, 1061, 1062
SMARTBEACON_FIELDS = [1019, 1022, 1021, 1023, 1024, 1025, 1026]  # slow, fast, turns


class SymbolsAndSmartBeaconing(unittest.TestCase):
    def setUp(self):
        self.page = Page(HTML)

    def tearDown(self):
        self.page.close()

    def picture(self):
        """The picture's name as the button tells it, and its pixels."""
        return self.page.js("""const b = document.getElementById('c0-1060');
            return [b.getAttribute('aria-label'), b.querySelector('canvas').toDataURL()];""")

    def fields(self, *ids):
        return [self.page.control(i).get_attribute("value") for i in ids]

    def keys(self, *keys):
        self.page.driver.switch_to.active_element.send_keys(*keys)

    def chooser_open(self):
        return self.page.js("return !!document.querySelector('dialog.chooser[open]')")

    def test_chooser_by_keyboard_alone_and_picture_follows_typing(self):
        page = self.page
        page.set_field(SYMBOL, "k")
        page.idle()
        name, truck = self.picture()
        self.assertEqual(name, "Truck")
        page.set_field(TABLE, "\\")
        page.idle()
        self.assertEqual(self.picture()[0], "SUV")
        self.assertNotEqual(self.picture()[1], truck)
        page.set_field(TABLE, "x")  # no table: the fields still take it
        page.idle()
        self.assertEqual(self.picture()[0], "not an APRS symbol")

        # A double click on a field opens the chooser on the search; Down goes to the grid, the
        # arrows move in it and Enter picks.
        ActionChains(page.driver).double_click(page.control(SYMBOL)).perform()
        page.wait(self.chooser_open)
        self.keys("digi")
        page.wait(lambda: page.js("return document.getElementById('c1-1073').textContent")
                  .startswith("Digi"))
        self.keys(Keys.DOWN)
        self.assertEqual(page.js("return document.activeElement.getAttribute('role')"), "listbox")
        shown = page.js("return Array.from(document.querySelectorAll('.symbol-grid .tile'))"
                        ".map((t) => t.textContent)")
        self.assertGreater(len(shown), 2)
        self.keys(Keys.ARROW_RIGHT)
        page.wait(lambda: page.js("return document.getElementById('c1-1073').textContent")
                  == shown[1])
        self.keys(Keys.ENTER)
        page.wait(lambda: not self.chooser_open())
        codes = page.js("return document.getElementById('c0-1060').getAttribute('aria-label')")
        self.assertEqual(codes, shown[1])
        self.assertEqual(page.js("return document.activeElement.id"), "c0-%d" % SYMBOL)

        # The button opens it too: an alternate symbol with an overlay fills both fields.
        page.js("document.getElementById('c0-1060').focus()")
        self.keys(Keys.ENTER)
        page.wait(self.chooser_open)
        self.keys("car overlay")
        page.wait(lambda: page.js("return document.getElementById('c1-1073').textContent")
                  == "Car (w overlay)")
        self.keys(Keys.TAB, Keys.TAB, "S")  # past the grid to the overlay list
        page.wait(lambda: page.js("return document.getElementById('c1-1074').textContent")
                  == "Symbol: >   Table / Overlay: S")
        self.keys(Keys.TAB, Keys.ENTER)  # OK
        page.wait(lambda: not self.chooser_open())
        self.assertEqual(self.fields(SYMBOL, TABLE), [">", "S"])
        self.assertEqual(self.picture()[0], "Car (w overlay), overlay S")

        # Escape changes nothing.
        page.click(PICTURE)
        page.wait(self.chooser_open)
        self.keys("jeep")
        page.wait(lambda: page.js("return document.getElementById('c1-1073').textContent")
                  == "Jeep")
        self.keys(Keys.ESCAPE)
        page.wait(lambda: not self.chooser_open())
        self.assertEqual(self.fields(SYMBOL, TABLE), [">", "S"])
        self.assertEqual(page.js("return document.querySelectorAll('dialog').length"),
                         page.js("return document.querySelectorAll('dialog:not(.template)')"
                                 ".length"), "the chooser is gone from the page")

    def test_preset_fills_the_seven_fields_and_the_chart_follows(self):
        page = self.page
        page.click(SMARTBEACON_ENABLE)
        page.click(CHART)
        page.wait(lambda: page.js("return !!document.querySelector('dialog.chart[open]')"))
        sentence = lambda: page.js("return document.querySelector('dialog.chart .sentence')"
                                   ".textContent")
        Select(page.control(PRESET)).select_by_visible_text("Car")
        page.idle()
        self.assertEqual(self.fields(*SMARTBEACON_FIELDS),
                         ["5", "1800", "50", "120", "25", "255", "20"])
        self.assertEqual(sentence(), "At 25 MPH: a beacon every 240 s (1.7 miles); turns of "
                                     "more than 35\u00b0 send one sooner.")
        self.assertIn("MPH", page.js("return Array.from(document.querySelectorAll("
                                     "'dialog.chart svg text')).map((t) => t.textContent)"))

        # Typing goes on to the chart at once; the list then names no preset.
        page.set_field(1023, "60")
        page.idle()
        self.assertIn("a beacon every 120 s", sentence())
        self.assertEqual(Select(page.control(PRESET)).first_selected_option.text, "Custom")
        page.js("document.querySelector('dialog.chart button').focus()")
        self.keys(Keys.ESCAPE)
        page.wait(lambda: not page.js("return document.querySelector('dialog.chart').open"))


class PortList(unittest.TestCase):
    """Two granted adapters besides the beacon's, the one that answered remembered by its USB
    ids and place, and settings that are damaged or not wanted."""

    def setUp(self):
        self.page = Page(HTML, scripts=["MorePorts.js"], settings=True)

    def tearDown(self):
        self.page.close()

    def start_with(self, *ports, stored=None):
        page = self.page
        page.js("localStorage.setItem('test-ports', JSON.stringify(arguments[0]));"
                "if (arguments[1] !== null) localStorage.setItem('WrenbeaconConfig', arguments[1]);",
                list(ports), stored)
        page.reload()

    def selected(self):
        return self.page.js("return document.getElementById('c0-1003').selectedIndex")

    def stored(self):
        return self.page.js("return localStorage.getItem('WrenbeaconConfig')")

    def read_version(self, answer):
        page = self.page
        page.click(READ_VERSION)
        self.assertEqual(page.box()[1], answer)
        page.answer()

    def test_granted_ports_and_the_one_that_answered(self):
        page = self.page
        self.start_with("1a86:7523", "0403:6015", "beacon")
        self.assertEqual(page.port_names(), ["USB serial 1a86:7523", "USB serial 0403:6015",
                                             "USB serial 0403:6001", "Choose a port...",
                                             "Simulated beacon"])
        self.assertEqual(self.selected(), 0)
        self.read_version("Count not aquire Com Port")
        self.assertIsNone(self.stored(), "a port that did not answer is not remembered")
        Select(page.control(COM_PORT)).select_by_index(2)
        self.read_version("Wrenbeacon 1.0 (simulated)")
        self.assertEqual(self.stored(), "[port]\nid=usb 0403:6001\nname=granted port 3\n")

        # At the next start it stands first; or third behind another of its kind.
        self.start_with("beacon", "1a86:7523")
        self.assertEqual(self.selected(), 0)
        self.start_with("0403:6001", "1a86:7523", "beacon")
        self.assertEqual(page.port_names()[:3], ["USB serial 0403:6001", "USB serial 1a86:7523",
                                                 "USB serial 0403:6001 (2)"])
        self.assertEqual(self.selected(), 2)

        # Plugged in while the page runs: listed, and the selection stays on the same port.
        page.js("localStorage.setItem('test-ports', '[\"0403:6015\", \"0403:6001\", "
                "\"1a86:7523\", \"beacon\"]'); navigator.serial.dispatchEvent(new Event('connect'));")
        page.wait(lambda: len(page.port_names()) == 6)
        self.assertEqual(self.selected(), 3)

        # "Choose a port...": the browser's chooser adds the port and selects it; nothing chosen
        # leaves the list as it was.
        page.js("navigator.serial.requestPort = async () => { throw new DOMException("
                "'No port selected by the user.', 'NotFoundError'); };")
        Select(page.control(COM_PORT)).select_by_visible_text("Choose a port...")
        page.idle()
        self.assertEqual(self.selected(), 3)
        page.js("navigator.serial.requestPort = async () => (await navigator.serial.getPorts())[2];")
        Select(page.control(COM_PORT)).select_by_visible_text("Choose a port...")
        page.idle()
        self.assertEqual(self.selected(), 2)

    def test_damaged_or_unwanted_settings(self):
        page = self.page
        for damaged in ["\u0000\u00ff[port\nid", "[port]\nid=usb zzzz\nname=" + "x" * 20000]:
            self.start_with("1a86:7523", "beacon", stored=damaged)
            self.assertEqual(self.selected(), 0)
            self.assertFalse(page.js("return !!document.querySelector('dialog[open]')"))
        Select(page.control(COM_PORT)).select_by_index(1)
        self.read_version("Wrenbeacon 1.0 (simulated)")
        self.assertEqual(self.stored(), "[port]\nid=usb 0403:6001\nname=granted port 2\n")

        # ?no-settings neither reads the port that answered nor writes another.
        page.js("localStorage.setItem('test-ports', '[\"1a86:7523\", \"beacon\"]')")
        page.driver.get("file://" + os.path.abspath(HTML) + "?no-settings")
        page.wait_ready()
        self.assertEqual(self.selected(), 0)
        page.js("localStorage.setItem('WrenbeaconConfig', 'kept')")
        Select(page.control(COM_PORT)).select_by_index(1)
        self.read_version("Wrenbeacon 1.0 (simulated)")
        self.assertEqual(self.stored(), "kept")


if __name__ == "__main__":
    unittest.main(verbosity=2)
