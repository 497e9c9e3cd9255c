# Thin wrappers: `make run` and `make test` are the whole set-up.
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
FUZZ_BUILD ?= fuzz-build
SANITIZE_BUILD ?= build-sanitize
COVERAGE_BUILD ?= build-coverage
SANITIZE_FLAGS ?= -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: deps build run test bench fuzz sanitize coverage ratio clean

deps:
	@scripts/deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x $(BUILD)/tamsel ]; then \
	  $(BUILD)/tamsel data/demo/Demo.plt; \
	else \
	  echo "No display (or no desktop program built): falling back to the command line," \
	    "tamsel-cli grow data/demo/Demo.plt"; \
	  $(BUILD)/tamsel-cli grow data/demo/Demo.plt; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/tamsel_bench

# Each fuzz target in turn, for FUZZ_SECONDS, from its corpus under the fuzz
# build and the inputs kept under tests/data; fails when any found a crash.
# A crash is written to $(FUZZ_BUILD)/findings/: mend it and keep the input
# under tests/data, where every later fuzz run and the fuzz.* tests replay it.
fuzz: deps
	CC=clang CXX=clang++ CXXFLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -g -O1" \
	  cmake -S . -B $(FUZZ_BUILD) -DTAMSEL_FUZZ=ON -DTAMSEL_TESTS=OFF -DTAMSEL_BENCH=OFF -DTAMSEL_GUI=OFF -DTAMSEL_REPORT=OFF >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/findings
	@found=0; for f in $(FUZZ_BUILD)/fuzz_*; do \
	  name=$$(basename $$f); \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_BUILD)/findings/$$name- \
	    $(FUZZ_BUILD)/corpus/$$name tests/data || found=1; \
	done; exit $$found

# The whole suite under the address and undefined-behaviour sanitizers, in a
# Debug build of its own; the window tests run offscreen.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAMSEL_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" >/dev/null
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Line and branch coverage of src/ by the whole suite, in a Debug build of
# its own, counters updated atomically (the searches count from several
# threads): the summary on the terminal, each file's lines in
# $(COVERAGE_BUILD)/coverage.html.
coverage: deps
	cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAMSEL_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic" >/dev/null
	cmake --build $(COVERAGE_BUILD) -j $(JOBS)
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	cd $(COVERAGE_BUILD) && QT_QPA_PLATFORM=offscreen ctest -j $(JOBS) --output-on-failure \
	  >ctest.log || { tail -40 ctest.log; exit 1; }
	gcovr --root . --filter src/ --object-directory $(COVERAGE_BUILD) \
	  --exclude-unreachable-branches --exclude-throw-branches \
	  --html-details $(COVERAGE_BUILD)/coverage.html --print-summary

# The size of the tests against the code they test (non-blank lines); fails
# past RATIO_LIMIT per cent (the aim is a third).
RATIO_LIMIT ?= 45
ratio:
	@scripts/test-ratio $(RATIO_LIMIT)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD) $(COVERAGE_BUILD)
