# Two commands do all set-up on a fresh Debian 12 or 13 machine:
#   make run    install what is missing, build, start the program
#   make test   the same plus what the tests need, then the whole suite
JOBS ?= 2
BUILD ?= build
SAN_BUILD ?= build/sanitize
TSAN_BUILD ?= build/threads
ENGINE_BUILD ?= build/engine-only
COVERAGE_BUILD ?= build/coverage
FUZZ_SECONDS ?= 600
COMMA_LOCALE ?= de_DE.UTF-8

# The sanitizer build uses clang so that it can hold the fuzz target too.
SAN_CXX = $(shell command -v clang++ 2>/dev/null || echo g++)
SAN_FUZZ = $(if $(findstring clang,$(SAN_CXX)),ON,OFF)

.PHONY: all run test test-debian13 build build-tests build-bench build-sanitize build-threads build-engine-only bench fuzz \
  fuzz-merge coverage package screenshots clean

# `make` alone builds the program, with only what the program needs (Qt
# Widgets, libcups's headers and the compiler): no tests, no benchmarks, and
# no package is installed.
all: build

CONFIGURE = cmake -S . -B $(BUILD) -G Ninja
build:
	$(CONFIGURE) -DBUILD_TESTING=OFF -DVITAYEAR_BENCH=OFF -DVITAYEAR_WERROR=OFF
	cmake --build $(BUILD) -j$(JOBS)

# The test builds treat warnings as errors; `make run` does not stop a user
# on a new compiler's new warning.
build-tests:
	$(CONFIGURE) -DBUILD_TESTING=ON -DVITAYEAR_BENCH=OFF -DVITAYEAR_WERROR=ON
	cmake --build $(BUILD) -j$(JOBS)

# The benchmarks run the program against the test printer and compositor.
build-bench:
	$(CONFIGURE) -DBUILD_TESTING=ON -DVITAYEAR_BENCH=ON -DVITAYEAR_WERROR=OFF
	cmake --build $(BUILD) -j$(JOBS)

# The source and binary packages, built with dpkg-buildpackage (tests
# included, unless DEB_BUILD_OPTIONS says nocheck) in $(BUILD)/package.
package:
	scripts/install-deps.sh package
	scripts/build-package.sh $(BUILD)/package

run:
	scripts/install-deps.sh run
	$(MAKE) build
	scripts/run.sh $(BUILD)

# Everything, windows included, under AddressSanitizer and UBSan.
build-sanitize:
	CXX=$(SAN_CXX) cmake -S . -B $(SAN_BUILD) -G Ninja -DVITAYEAR_SANITIZE=ON -DVITAYEAR_FUZZ=$(SAN_FUZZ) -DVITAYEAR_WERROR=ON
	cmake --build $(SAN_BUILD) -j$(JOBS)

# The print service's two threads under ThreadSanitizer: the print tests
# only, which are what runs a worker beside the window.
build-threads:
	CXX=$(SAN_CXX) cmake -S . -B $(TSAN_BUILD) -G Ninja -DVITAYEAR_TSAN=ON -DVITAYEAR_WERROR=ON
	cmake --build $(TSAN_BUILD) -j$(JOBS) --target print_spooler_test

# The engine and its tests with no Qt at all: the proof that it needs none.
build-engine-only:
	cmake -S . -B $(ENGINE_BUILD) -G Ninja -DVITAYEAR_UI=OFF -DVITAYEAR_WERROR=ON
	cmake --build $(ENGINE_BUILD) -j$(JOBS)

# Each phase is timed, and the run ends with the table of phases and their
# seconds. What fails fast comes first: format, engine, then the windows.
# Each thing is proven once: the X11 suite under the sanitizers, the print
# worker under ThreadSanitizer, and in the plain build what the sanitizer
# build cannot hold or does not need twice (Wayland, Orca, the build flags,
# the comma-decimal locale). The package builds' tests are those that ran
# already: they build with nocheck here (`make package` runs them).
PHASES = $(BUILD)/phases
PHASE = @scripts/phase.sh $(PHASES)
test:
	@rm -f $(PHASES)
	$(PHASE) "set-up: packages, the comma-decimal locale" \
	  sh -c 'scripts/install-deps.sh test && scripts/ensure-locale.sh $(COMMA_LOCALE)'
	$(PHASE) "format" scripts/check-format.sh
	$(PHASE) "engine without Qt: build" $(MAKE) --no-print-directory build-engine-only
	$(PHASE) "engine without Qt: tests" scripts/run-tests.sh $(ENGINE_BUILD)
	$(PHASE) "plain build (g++)" $(MAKE) --no-print-directory build-tests
	$(PHASE) "plain: Wayland, Orca, comma locale, build flags" \
	  scripts/run-tests.sh $(BUILD) -L '^(wayland|orca|comma|source-tree)$$'
	$(PHASE) "sanitizer build (clang, ASan, UBSan, fuzz)" $(MAKE) --no-print-directory build-sanitize
	$(PHASE) "sanitizers: every X11 test, fuzz replay" scripts/run-tests.sh $(SAN_BUILD)
	$(PHASE) "ThreadSanitizer build" $(MAKE) --no-print-directory build-threads
	$(PHASE) "ThreadSanitizer: the print tests" scripts/run-tests.sh $(TSAN_BUILD) -L '^print$$'
	$(PHASE) "packages: two builds, lintian, autopkgtest" \
	  env DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck scripts/check-package.sh $(BUILD)/package-check
	$(PHASE) --print

# The same `make test` in a fresh Debian 13 root made with debootstrap.
test-debian13:
	scripts/install-deps.sh debian13
	scripts/test-debian13.sh

bench:
	scripts/install-deps.sh bench
	$(MAKE) build-bench
	scripts/bench.sh $(BUILD)

# New inputs go to $(BUILD)/fuzz-corpus; `make fuzz-merge` then keeps the
# ones that add coverage in fuzz/corpus, which `make test` replays.
fuzz:
	scripts/install-deps.sh test
	$(MAKE) build-sanitize
	mkdir -p $(BUILD)/fuzz-corpus
	$(SAN_BUILD)/fuzz/assessment_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -print_final_stats=1 $(BUILD)/fuzz-corpus fuzz/corpus fuzz/seeds

fuzz-merge:
	scripts/install-deps.sh test
	$(MAKE) build-sanitize
	mkdir -p fuzz/corpus
	$(SAN_BUILD)/fuzz/assessment_fuzz -merge=1 fuzz/corpus $(BUILD)/fuzz-corpus

coverage:
	scripts/install-deps.sh test
	cmake -S . -B $(COVERAGE_BUILD) -G Ninja -DVITAYEAR_UI=OFF -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
	cmake --build $(COVERAGE_BUILD) -j$(JOBS)
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	cd $(COVERAGE_BUILD) && ctest -j$(JOBS) >/dev/null
	gcovr --root . --filter 'engine/' --object-directory $(COVERAGE_BUILD) --print-summary --fail-under-line 95

screenshots:
	scripts/install-deps.sh test
	$(MAKE) build-tests
	scripts/screenshots.sh $(BUILD) docs

clean:
	rm -rf $(BUILD)
