# The human interface to the build. Every target first installs what the machine lacks.
SECONDS ?= 60
JOBS ?= $(shell nproc)
SOURCES = $(shell git ls-files '*.cpp' '*.h')

.PHONY: deps test bench fuzz format

deps:
	@scripts/install-deps

# Configure, build and run every test under AddressSanitizer and UBSan.
test: deps
	cmake --preset asan-ubsan >/dev/null
	cmake --build build/asan-ubsan -j $(JOBS)
	ctest --test-dir build/asan-ubsan --output-on-failure -j $(JOBS)

bench: deps
	cmake --preset bench >/dev/null
	cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bench/*_bench; do echo "== $$b"; $$b --benchmark_counters_tabular=true; done

# Runs each fuzz target for SECONDS seconds: make fuzz SECONDS=30
fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build build/fuzz -j $(JOBS)
	scripts/run-fuzzers $(SECONDS)

format:
	clang-format -i $(SOURCES)
