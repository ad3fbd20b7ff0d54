# SPDX-License-Identifier: GPL-3.0-or-later
# Thin front over the CMake presets. `make demo` and `make test` are the quick start.
.PHONY: all deps deps-test build asan fuzz windows sim demo test test-default test-asan test-fuzz \
	test-windows screenshot screenshot-windows clean package package-windows web web-demo test-web \
	screenshot-web

FUZZ_SECONDS ?= 60
FUZZ_TEXT_SECONDS ?= 30

all: build

deps:
	@tools/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default

asan: deps
	cmake --preset asan
	cmake --build --preset asan

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

# The Windows program, cross-built with mingw-w64; its tests run under Wine.
windows:
	@tools/install-deps windows
	cmake --preset windows
	cmake --build --preset windows

test-default: build
	ctest --preset default

test-asan: asan
	ctest --preset asan

test-fuzz: fuzz
	tools/run-fuzz build/fuzz $(FUZZ_SECONDS) fuzz_config_text=$(FUZZ_TEXT_SECONDS)

# The simulated beacon that the Windows tests talk to is a Linux program of the default build.
sim: deps
	cmake --preset default
	cmake --build --preset default --target wrenbeacon-sim

# The Wine server that the tests keep running between programs is stopped after them.
test-windows: windows sim
	ctest --preset windows; status=$$?; \
	WINEPREFIX=$(CURDIR)/build/wine wineserver -k 2>/dev/null; exit $$status

# The page for the browser: build/web/WrenbeaconConfig.html, one file with everything inside.
web:
	@tools/install-deps web
	cmake --preset web
	cmake --build --preset web

# Its suites under node, and the page in headless Chromium.
test-web: web
	ctest --preset web

# Serves the page on localhost and opens it in the browser, on the simulated beacon.
web-demo: web
	tools/web/serve-demo build/web

screenshot-web: web
	/usr/bin/python3 tools/web/take-screenshot build/web/WrenbeaconConfig.html docs/page.png
	/usr/bin/python3 tools/web/take-aid-screenshots build/web/WrenbeaconConfig.html docs

# Everything the tests need is installed first, in one go (one apt-get update at most).
test: deps-test test-default test-asan test-fuzz test-windows test-web

deps-test:
	@tools/install-deps build windows web

# Only what the demo runs: the window and the simulated beacon, in the folder `make test` reuses.
demo: deps
	cmake --preset default
	cmake --build --preset default --target WrenbeaconConfig wrenbeacon-sim
	tools/run-demo build/default

screenshot: build
	@tools/install-deps screenshot
	tools/take-screenshot build/default docs/window.png
	tools/take-aid-screenshots build/default docs
	packaging/take-icon-shots build/default docs

# The Debian package, in build/default/.
package: build
	cmake --build --preset default --target package

# The Windows zip, in build/windows/, from the two programs that `make windows` builds.
package-windows: windows
	packaging/make-windows-zip build/windows

screenshot-windows: windows
	@tools/install-deps screenshot
	tools/take-screenshot-win32 build/windows docs/window-win32.png
	tools/take-aid-screenshots-win32 build/windows docs

clean:
	rm -rf build
