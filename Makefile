# Thin wrapper over the CMake presets.
.PHONY: all build run test sanitize clang bench clean

all: build

build:
	cmake --preset default >/dev/null
	cmake --build --preset default

run: build
	./build/default/orla-calc examples/payroll.csv

test: build
	ctest --preset default

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

clean:
	rm -rf build
