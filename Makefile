# The human interface to the build. Every target first installs what the machine lacks.
SECONDS ?= 60
JOBS ?= $(shell nproc)
SOURCES = $(shell git ls-files '*.cpp' '*.h')

.PHONY: deps run demo test test-unit bench fuzz format screenshot package docs examples

deps:
	@scripts/install-deps

# Builds the program and opens its window. ARGS passes options: make run ARGS="--cartella DIR"
run: deps
	cmake --preset dev >/dev/null
	cmake --build build/dev -j $(JOBS) --target pannellonistica
	build/dev/app/pannellonistica $(ARGS)

# Photographs the real window under Xvfb for the README.
# Prints the billboard of a sample data file (accented letters included) in the demo folder.
DEMO ?= build/demo
demo: deps
	cmake --preset dev >/dev/null
	cmake --build build/dev -j $(JOBS) --target pannellonistica
	scripts/make-demo-data $(DEMO)
	build/dev/app/pannellonistica --stampa --cartella $(DEMO) >/dev/null
	@echo "Il pannello è in $(DEMO)/pannellone.pdf"

screenshot: deps
	cmake --preset dev >/dev/null
	cmake --build build/dev -j $(JOBS) --target pannellonistica
	scripts/screenshot build/dev/app/pannellonistica docs/pannellonistica.png
	scripts/screenshot build/dev/app/pannellonistica docs/pannellonistica-campi.png \
	  $(foreach n,1 2 3 4 5 6 7 8 9 10 11 12,Return)

# Configure, build and run every test under AddressSanitizer and UBSan.
test: deps
	cmake --preset asan-ubsan >/dev/null
	cmake --build build/asan-ubsan -j $(JOBS)
	ctest --test-dir build/asan-ubsan --output-on-failure -j $(JOBS)

# The quick loop: only the pure tests (label `unit`), in the same sanitized build.
test-unit: deps
	cmake --preset asan-ubsan >/dev/null
	cmake --build build/asan-ubsan -j $(JOBS) --target pagora_unit_tests
	ctest --test-dir build/asan-ubsan --output-on-failure -j $(JOBS) -L unit

# The program's Debian package, build/release/pannellonistica_<version>_amd64.deb, checked
# by lintian.
package: deps
	cmake --preset release >/dev/null
	cmake --build build/release -j $(JOBS) --target pannellonistica
	cd build/release && cpack
	lintian --fail-on error build/release/pannellonistica_*_amd64.deb

# The API reference of the public header in build/docs/html; fails on an undocumented
# public member.
docs: deps
	cmake --preset dev >/dev/null
	cmake --build build/dev --target docs
	@echo "API reference: build/docs/html/index.html"

# Runs the examples into build/examples and renders their first pages for the README.
examples: deps
	cmake --preset dev >/dev/null
	cmake --build build/dev -j $(JOBS) --target invoice protected_picture multi_page
	mkdir -p build/examples
	build/dev/examples/invoice build/examples/invoice.pdf
	build/dev/examples/protected_picture build/examples/protected_picture.pdf app/art/billboard/loghi.gif
	build/dev/examples/multi_page build/examples/multi_page.pdf
	for e in invoice protected_picture multi_page; do \
	  pdftoppm -r 40 -png -singlefile -f 1 -l 1 build/examples/$$e.pdf docs/example-$$(echo $$e | tr _ -); done

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
