#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page in headless Chromium: device actions through Web Serial against the simulated
beacon, the port's failures, files, text that looks like markup, and a browser without serial."""
import os
import sys
import unittest

from PageDriver import Page

HTML = sys.argv.pop(1) if len(sys.argv) > 1 else "build/web/WrenbeaconConfig.html"
READ_CONFIG, WRITE_CONFIG, READ_VERSION = 1000, 1001, 1002
SEND_1200, STOP_SENDING, TONE_GROUP = 1005, 1004, 1037
CALLSIGN, STATUS_TEXT = 1008, 1010
MARKUP = "<img src=x onerror=alert(1)>"


class DeviceActions(unittest.TestCase):
    def setUp(self):
        self.page = Page(HTML)

    def tearDown(self):
        self.page.close()

    def test_ports_write_read_and_tones(self):
        page = self.page
        self.assertEqual(page.port_names(),
                         ["USB serial 0403:6001", "Choose a port...", "Simulated beacon"])
        self.assertEqual(page.js("return document.getElementById('c0-1003').selectedIndex"), 0)

        # A write of the defaults leaves the beacon holding the factory image byte for byte.
        factory = page.beacon("eeprom")
        page.beacon("setEeprom", [0] * 128)
        page.click(WRITE_CONFIG)
        self.assertEqual(page.box(), ["Wrenbeacon Write", "Write Successful", ""])
        page.answer()
        self.assertEqual(page.beacon("eeprom"), factory)
        opened = page.js("return window.fakeSerial.opens")
        self.assertTrue(opened)
        for options in opened:
            self.assertEqual(options, {"baudRate": 4800, "dataBits": 8, "parity": "none",
                                       "stopBits": 1, "flowControl": "none"})
        self.assertEqual(page.beacon("remarks"), "", "the beacon lost or ignored bytes")

        # A read of another image shows it.
        page.set_field(CALLSIGN, "K1ABC-9")
        page.click(WRITE_CONFIG)
        page.box()
        page.answer()
        other = page.beacon("eeprom")
        page.set_field(CALLSIGN, "N0BODY")
        page.beacon("setEeprom", other)
        page.click(READ_CONFIG)
        self.assertEqual(page.box(), ["Wrenbeacon Read",
                                      "Reading replaces the changes that were not written to the "
                                      "beacon. Read anyway?", ""])
        page.answer(0)
        self.assertEqual(page.box(), ["Wrenbeacon Read", "Read Successful", ""])
        page.answer()
        self.assertEqual(page.control(CALLSIGN).get_attribute("value"), "K1ABC-9")

        # The tone commands.
        page.click(SEND_1200)
        page.idle()
        self.assertEqual(page.beacon("tone"), "1")
        self.assertEqual(page.js("return document.querySelector('#c0-1037 .legend').textContent"),
                         "Tone Test - sending 1200 Hz")
        page.click(STOP_SENDING)
        page.idle()
        self.assertEqual(page.beacon("tone"), "x")

    def test_silent_busy_and_unplugged(self):
        page = self.page
        page.beacon("setFault", "silent")
        page.click(READ_VERSION)
        self.assertEqual(page.box(), ["Error", "Wrenbeacon Not Found", ""])
        page.answer()
        page.beacon("setFault", "none")

        page.js("window.fakeSerial.busy = true")
        page.click(READ_VERSION)
        caption, text, detail = page.box()
        self.assertEqual((caption, text), ("Error", "Count not aquire Com Port"))
        # Named as the port list names it.
        self.assertTrue(
            detail.startswith("USB serial 0403:6001 is busy: another program holds the port"),
            detail)
        page.answer()
        page.js("window.fakeSerial.busy = false")

        # Pulled during the download: the write ends at once with the channel's message, and the
        # page stays usable.
        page.js("window.fakeSerial.unplugAfter = 40")
        page.click(WRITE_CONFIG)
        caption, text, detail = page.box()
        self.assertEqual((caption, text), ("Error", "ComPort write failed"))
        self.assertIn("incomplete configuration", detail)
        page.answer()
        page.idle()
        self.assertFalse(page.js("return document.getElementById('form').inert"))


class FilesAndText(unittest.TestCase):
    def setUp(self):
        self.page = Page(HTML)

    def tearDown(self):
        self.page.close()

    def test_markup_stays_text_and_toml_round_trip(self):
        page = self.page
        banner = "Wrenbeacon <b>1</b><i>2</i>"  # within the 29 characters a banner keeps
        page.beacon("setBanner", banner)
        page.click(READ_VERSION)
        self.assertEqual(page.box(), ["Wrenbeacon Version", banner, ""])
        self.assertEqual(page.js("return document.querySelectorAll('dialog b, dialog i').length"), 0)
        page.answer()

        page.set_field(STATUS_TEXT, MARKUP)
        page.js("document.getElementById('menu-save').click()")
        page.wait(lambda: page.js("return document.getElementById('save-dialog').open"))
        page.js("document.getElementById('save-name').value = 'markup.toml';"
                "document.getElementById('save-ok').click()")
        saved = os.path.join(page.downloads, "markup.toml")
        page.wait(lambda: os.path.exists(saved))
        with open(saved, encoding="utf-8") as f:
            text = f.read()
        self.assertIn(MARKUP, text)

        page.set_field(STATUS_TEXT, "changed")
        page.driver.find_element("id", "open-file").send_keys(saved)
        # Opening may first ask before it replaces the unsaved change.
        page.wait(lambda: page.control(STATUS_TEXT).get_attribute("value") == MARKUP or
                  page.js("const b = document.querySelector('dialog.box[open] button');"
                          "if (b) b.click(); return false;"))
        self.assertEqual(page.js("return document.querySelectorAll('img').length"), 0)
        self.assertEqual(page.js("return window.alerts"), [])


    def test_pickers_write_the_picked_file_and_open_one(self):
        page = Page(HTML, query="?pickers")
        try:
            page.set_field(STATUS_TEXT, MARKUP)
            save = "document.getElementById('menu-save').click()"
            page.js("window.pickers.save = null;" + save)  # the user cancels
            page.js("window.pickers.save = 'picked.toml';" + save)
            saved = page.wait(lambda: page.js("return window.pickers.saved"))
            self.assertIn(MARKUP, saved)
            self.assertEqual(page.js("return window.pickers.suggested"), "wrenbeacon.toml")
            # The menu and the kinds of file are the windows' own.
            self.assertEqual(page.js("return [...document.querySelectorAll('#menu button')]"
                                     ".map((b) => b.textContent + ' ' + b.accessKey)"),
                             ["Open Configuration... o", "Save Configuration As... s",
                              "About WrenbeaconConfig... a"])
            self.assertEqual([(t["description"], t["accept"]["application/octet-stream"])
                              for t in page.js("return window.pickers.types")],
                             [("Wrenbeacon configurations", [".toml", ".bin"]),
                              ("Configuration text", [".toml"]), ("Device image", [".bin"])])
            self.assertFalse(page.js("return document.getElementById('save-dialog').open"))

            page.js("window.pickers.refuseWrite = true;" + save)
            caption, text, detail = page.box()
            self.assertEqual((caption, text),
                             ("Error", "Cannot save the configuration file picked.toml"))
            self.assertIn("not allowed", detail)
            page.answer()

            page.set_field(STATUS_TEXT, "changed")
            page.js("window.pickers.open = ['picked.toml', arguments[0]];"
                    "document.getElementById('menu-open').click()", saved)
            page.wait(lambda: page.control(STATUS_TEXT).get_attribute("value") == MARKUP or
                      page.js("const b = document.querySelector('dialog.box[open] button');"
                              "if (b) b.click(); return false;"))
        finally:
            page.close()


class WithoutSerial(unittest.TestCase):
    def test_says_which_browsers_and_keeps_the_simulated_beacon(self):
        page = Page(HTML, query="?noserial")
        try:
            self.assertIn("Chromium", page.js("return document.getElementById('notice').textContent"))
            self.assertEqual(page.port_names(), ["Simulated beacon"])
            page.click(READ_VERSION)
            self.assertEqual(page.box(), ["Wrenbeacon Version", "Wrenbeacon 1.0 (simulated)", ""])
            page.answer()
        finally:
            page.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
