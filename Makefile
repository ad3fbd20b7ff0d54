# Thin front over the CMake presets. `make demo` and `make test` are the quick start.
.PHONY: all deps build asan fuzz demo test test-default test-asan test-fuzz check-win32 screenshot clean

FUZZ_SECONDS ?= 60

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

test-default: build
	ctest --preset default

test-asan: asan
	ctest --preset asan

test-fuzz: fuzz
	tools/run-fuzz build/fuzz $(FUZZ_SECONDS)

# The Win32 backend compiled for Windows, syntax only.
check-win32: deps
	tools/check-win32

test: check-win32 test-default test-asan test-fuzz

# Only what the demo runs: the window and the simulated beacon, in the folder `make test` reuses.
demo: deps
	cmake --preset default
	cmake --build --preset default --target WrenbeaconConfig wrenbeacon-sim
	tools/run-demo build/default

screenshot: build
	@tools/install-deps screenshot
	tools/take-screenshot build/default docs/window.png

clean:
	rm -rf build
