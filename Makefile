# Two commands do all set-up on a fresh Debian 12 machine:
#   make run    install what is missing, build, start the program
#   make test   the same plus what the tests need, then the whole suite
JOBS ?= 2
BUILD ?= build
SAN_BUILD ?= build/sanitize
FUZZ_SECONDS ?= 600

# The sanitizer build holds only the engine (no Qt: that build is what keeps
# the engine free of it) and, with clang, the fuzz target.
SAN_CXX = $(shell command -v clang++ 2>/dev/null || echo g++)
SAN_FUZZ = $(if $(findstring clang,$(SAN_CXX)),ON,OFF)

.PHONY: run test build build-sanitize bench fuzz fuzz-merge clean

build:
	scripts/install-deps.sh run
	cmake -S . -B $(BUILD) -G Ninja -DVITAYEAR_BENCH=ON
	cmake --build $(BUILD) -j$(JOBS)

run: build
	scripts/run.sh $(BUILD)

build-sanitize:
	scripts/install-deps.sh test
	CXX=$(SAN_CXX) cmake -S . -B $(SAN_BUILD) -G Ninja -DVITAYEAR_UI=OFF \
	  -DVITAYEAR_SANITIZE=ON -DVITAYEAR_FUZZ=$(SAN_FUZZ)
	cmake --build $(SAN_BUILD) -j$(JOBS)

test: build-sanitize build
	cd $(SAN_BUILD) && ctest --output-on-failure -j$(JOBS)
	scripts/test-main.sh $(BUILD) $(JOBS)

bench: build
	$(BUILD)/bench/engine_bench

# New inputs go to $(BUILD)/fuzz-corpus; `make fuzz-merge` then keeps the
# ones that add coverage in fuzz/corpus, which `make test` replays.
fuzz: build-sanitize
	mkdir -p $(BUILD)/fuzz-corpus
	$(SAN_BUILD)/fuzz/assessment_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -print_final_stats=1 $(BUILD)/fuzz-corpus fuzz/corpus fuzz/seeds

fuzz-merge: build-sanitize
	mkdir -p fuzz/corpus
	$(SAN_BUILD)/fuzz/assessment_fuzz -merge=1 fuzz/corpus $(BUILD)/fuzz-corpus

clean:
	rm -rf $(BUILD)
