#!/usr/bin/env bash
# The detection of scripts/install-deps.sh on made-up machines: a file tree under ORLA_DEPS_ROOT and
# a PATH of stub commands. Only --dry-run is used; nothing is installed.
#   tests/install_deps_test.sh <path of install-deps.sh>
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash=$(command -v bash)
failures=0

# A machine with the given commands and files.
machine() {
  rm -rf "$work/root" "$work/bin"
  mkdir -p "$work/root" "$work/bin"
  local item
  for item in "$@"; do
    case $item in
      /*) mkdir -p "$work/root$(dirname "$item")"; : >"$work/root$item" ;;
      *) printf '#!/bin/sh\n' >"$work/bin/$item"; chmod +x "$work/bin/$item" ;;
    esac
  done
}

expect() {
  local what=$1 want=$2
  shift 2
  local out got
  out=$(ORLA_DEPS_ROOT="$work/root" PATH="$work/bin" "$bash" "$script" --dry-run "$@")
  got=${out%%$'\n'*}
  if [ "$got" != "$want" ]; then
    echo "FAIL: $what"
    echo "  want: $want"
    echo "  got:  $got"
    failures=$((failures + 1))
  fi
}

headers=(/usr/include/gtest/gtest.h /usr/include/benchmark/benchmark.h /usr/include/CLI/CLI.hpp
         /usr/include/nlohmann/json.hpp /usr/include/fmt/format.h doxygen pkg-config
         /usr/lib/python3/dist-packages/{pytest,setuptools,wheel,pip}/__init__.py)

machine
expect "a fresh machine" \
  "install-deps: would install: cmake ninja-build g++ python3 libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libfmt-dev doxygen pkg-config python3-pytest python3-setuptools python3-wheel python3-pip"

machine cmake ninja g++ python3 /usr/include/gtest/gtest.h /usr/include/CLI/CLI.hpp
expect "some installed" "install-deps: would install: libbenchmark-dev nlohmann-json3-dev libfmt-dev doxygen pkg-config python3-pytest python3-setuptools python3-wheel python3-pip"

machine cmake ninja g++ python3 "${headers[@]}"
rm -r "$work/bin/doxygen" "$work/root/usr/lib/python3/dist-packages/pytest"
expect "doxygen and pytest missing" "install-deps: would install: doxygen python3-pytest"

machine cmake ninja g++ python3 "${headers[@]}"
expect "everything the build needs" "install-deps: nothing to install"
expect "the CI's builds on top" \
  "install-deps: would install: g++-mingw-w64-x86-64 googletest wine wine64 clang libclang-rt-14-dev valgrind" --ci

machine cmake ninja g++ python3 "${headers[@]}" x86_64-w64-mingw32-g++-posix wine clang++ /usr/src/googletest/CMakeLists.txt \
  /usr/lib/llvm-16/lib/clang/16/lib/linux/libclang_rt.fuzzer-x86_64.a valgrind /usr/include/valgrind/callgrind.h
expect "everything the CI needs" "install-deps: nothing to install" --ci

machine cmake ninja g++ python3 "${headers[@]}" x86_64-w64-mingw32-g++-posix wine clang++ /usr/src/googletest/CMakeLists.txt \
  /usr/lib/llvm-16/lib/clang/16/lib/linux/libclang_rt.fuzzer-x86_64.a valgrind
expect "valgrind without callgrind's header" "install-deps: would install: valgrind" --ci

machine cmake ninja g++ python3 "${headers[@]}" /usr/lib/llvm-16/lib/clang/16/lib/linux/libclang_rt.asan-x86_64.a
expect "a sanitizer runtime without the fuzzer's" \
  "install-deps: would install: g++-mingw-w64-x86-64 googletest wine wine64 clang libclang-rt-14-dev valgrind" --ci

machine
out=$(ORLA_DEPS_ROOT="$work/root" PATH="$work/bin" "$bash" "$script" --dry-run)
got=${out#*$'\n'}
want="install-deps: with: apt-get update && apt-get install -y cmake ninja-build g++ python3 libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libfmt-dev doxygen pkg-config python3-pytest python3-setuptools python3-wheel python3-pip"
[ "$got" = "$want" ] || { echo "FAIL: the install command"; echo "  got: $got"; failures=$((failures + 1)); }

if "$bash" "$script" --bogus >/dev/null 2>&1; then
  echo "FAIL: an unknown option is accepted"
  failures=$((failures + 1))
fi

[ $failures = 0 ] && echo "install-deps detection: all cases pass"
exit $failures
