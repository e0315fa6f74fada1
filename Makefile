# Ferry: the two commands of the README, and the habits around them.
SHELL := /bin/bash
.DEFAULT_GOAL := demo

WINEPREFIX_DIR := $(CURDIR)/build/wineprefix
# The window tests' virtual display.
XVFB_SCREEN := -screen 0 1280x1024x24
SOURCES := $(shell find src tests bench fuzz -name '*.cc' -o -name '*.h' 2>/dev/null)

.PHONY: deps build build-windows demo check test-native test-windows format check-format clean
.PHONY: build-asan test-asan build-fuzz fuzz fuzz-smoke dist test-dist

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native

build-windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

demo: build
	@scripts/demo.sh

check: deps check-format build build-windows test-native test-windows test-asan fuzz-smoke test-dist
	@echo "make check: all passed"

test-native: build
	@ctest --preset native

test-windows: build-windows
	@scripts/wine-prefix.sh $(WINEPREFIX_DIR)
	@WINEPREFIX=$(WINEPREFIX_DIR) xvfb-run -a -s "$(XVFB_SCREEN)" ctest --preset windows; status=$$?; \
	  WINEPREFIX=$(WINEPREFIX_DIR) wineserver -k 2>/dev/null; exit $$status

# The native tests again, under AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails the test that made it.
build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan

test-asan: build-asan
	@ctest --preset asan

# libFuzzer targets (clang). `make fuzz` shares FUZZ_SECONDS among them;
# fuzz-smoke replays their seed corpora once.
FUZZ_SECONDS ?= 180

build-fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

fuzz: build-fuzz
	@scripts/fuzz.sh $(FUZZ_SECONDS)

fuzz-smoke: build-fuzz
	@scripts/fuzz.sh 0

# The release: CPack in each build, the packages collected into dist/.
dist: build build-windows
	@rm -rf dist build/native/packages build/windows/packages
	@mkdir -p dist
	@cpack --config build/native/CPackConfig.cmake -B build/native/packages >/dev/null
	@cpack --config build/windows/CPackConfig.cmake -B build/windows/packages >/dev/null
	@cp build/native/packages/*.tar.gz build/native/packages/*.deb build/windows/packages/*.zip dist/
	@ls -l dist

# The packages as a designer gets them: the zip unpacked in a fresh Wine
# prefix, the .deb unpacked into a temporary root.
DIST_WINEPREFIX := $(CURDIR)/build/wineprefix-dist
test-dist: dist
	@scripts/wine-prefix.sh $(DIST_WINEPREFIX)
	@WINEPREFIX=$(DIST_WINEPREFIX) xvfb-run -a -s "$(XVFB_SCREEN)" tests/dist/dist_test.sh dist; status=$$?; \
	  WINEPREFIX=$(DIST_WINEPREFIX) wineserver -k 2>/dev/null; exit $$status

format:
	@clang-format -i $(SOURCES)

check-format:
	@clang-format --dry-run --Werror $(SOURCES) || \
	  { echo "make check: code is not formatted; run 'make format'" >&2; exit 1; }

clean:
	rm -rf build dist

# The throughput benchmark and the batch figure (2,000 sceneries at -j 1 and
# -j 2); never part of check. BENCH_MB, BENCH_RUNS, BENCH_LARGE=1,
# BENCH_SINGLE=0, BENCH_BATCH (0 skips it), BENCH_BATCH_KB and BENCH_MICRO=0
# tune it (bench/run_bench.sh).
.PHONY: bench
bench: build
	@bench/run_bench.sh build/native
