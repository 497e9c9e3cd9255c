# Thin wrappers: `make run` and `make test` are the whole set-up.
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: deps build run test bench fuzz clean

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

fuzz: deps
	CC=clang CXX=clang++ CXXFLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -g -O1" \
	  cmake -S . -B fuzz-build -DTAMSEL_FUZZ=ON -DTAMSEL_TESTS=OFF -DTAMSEL_BENCH=OFF -DTAMSEL_GUI=OFF >/dev/null
	cmake --build fuzz-build -j $(JOBS)
	@for f in fuzz-build/fuzz_*; do \
	  echo "== $$f for $(FUZZ_SECONDS) s"; \
	  mkdir -p fuzz-build/corpus/$$(basename $$f); \
	  $$f -max_total_time=$(FUZZ_SECONDS) fuzz-build/corpus/$$(basename $$f) tests/data || exit 1; \
	done

clean:
	rm -rf $(BUILD) fuzz-build
