# Thin wrapper over the CMake presets.
.PHONY: all deps build run test docs sanitize clang bench clean tsan windows fuzz bench-smoke data-check cost

all: build

# Installs the Debian packages the build needs when they are missing (as root; otherwise it prints
# the command). `scripts/install-deps.sh --dry-run` lists them.
deps:
	scripts/install-deps.sh

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

run: build
	./build/default/orla-calc examples/payroll.csv

test: build
	ctest --preset default

# The API reference from the public header's comments: build/default/docs/html/index.html.
docs: build
	cmake --build --preset default --target docs

# Validates the locality tables under data/ (columns, types, bounds, codes, rows of each year block).
data-check:
	python3 data/locality_tables.py --check

sanitize:
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize
	ctest --preset sanitize

clang:
	cmake --preset clang >/dev/null
	cmake --build --preset clang
	ctest --preset clang

bench: build
	./build/default/bench/orla_bench

# One short pass over every benchmark, so that they keep building and running.
bench-smoke: build
	./build/default/bench/orla_bench --benchmark_min_time=0.01

# Instructions per call of every export and jurisdiction under callgrind, checked against
# bench/cost_budgets.txt (fails when a case exceeds its budget by more than 10 %). Needs valgrind
# (`scripts/install-deps.sh --ci` installs it).
cost: build
	python3 bench/cost_check.py build/default/bench/orla_cost_sample --out build/default/cost

# The thread tests under ThreadSanitizer.
tsan:
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan
	ctest --preset tsan

# orla.dll for x86-64 Windows (mingw-w64), its tests under wine, and the parity of its results with
# the Linux build's, which writes the reference first.
windows: build
	ctest --preset default -R '^parity$$'
	cmake --preset mingw >/dev/null
	cmake --build --preset mingw
	ctest --preset mingw

# The fuzz target for FUZZ_SECONDS; a crash leaves its reproducer in build/fuzz/artifacts/.
FUZZ_SECONDS ?= 60
fuzz:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	mkdir -p build/fuzz/artifacts build/fuzz/corpus
	./build/fuzz/fuzz/orla_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/artifacts/ build/fuzz/corpus fuzz/corpus >build/fuzz/fuzz.log 2>&1 \
	  || { tail -40 build/fuzz/fuzz.log; ls -l build/fuzz/artifacts; exit 1; }
	@grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' build/fuzz/fuzz.log

clean:
	rm -rf build
