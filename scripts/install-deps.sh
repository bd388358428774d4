#!/usr/bin/env bash
# Installs the Debian packages that the build needs and that are missing; `make run`, `make test` and
# the CI call it before building.
#
#   scripts/install-deps.sh [--ci] [--dry-run]
#
#   --ci       also what the CI's other builds need: the Windows cross-compiler, GoogleTest's sources,
#              wine, clang with the fuzzer and sanitizer runtimes, and valgrind for `make cost`
#   --dry-run  list the missing packages and the command that would install them; install nothing
#
# As root it runs apt-get; otherwise it prints the exact command to run and fails. Every file it looks
# for is looked up under $ORLA_DEPS_ROOT (default: /), and commands on $PATH, so that its detection can
# be tested on a made-up machine.
set -euo pipefail

usage() { sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; }

dry_run=0
ci=0
for arg in "$@"; do
  case $arg in
    --dry-run) dry_run=1 ;;
    --ci) ci=1 ;;
    -h | --help) usage; exit 0 ;;
    *) echo "install-deps: unknown option '$arg'" >&2; usage >&2; exit 2 ;;
  esac
done

root=${ORLA_DEPS_ROOT:-}
need=()
command_or() { command -v "$1" >/dev/null 2>&1 || need+=("${@:2}"); }
file_or() { [ -e "$root$1" ] || need+=("${@:2}"); }
glob_or() { compgen -G "$root$1" >/dev/null || need+=("${@:2}"); }

# The library, its tests, the benchmarks and the command-line program.
command_or cmake cmake
command_or ninja ninja-build
command_or g++ g++
command_or python3 python3
file_or /usr/include/gtest/gtest.h libgtest-dev
file_or /usr/include/benchmark/benchmark.h libbenchmark-dev
file_or /usr/include/CLI/CLI.hpp libcli11-dev
file_or /usr/include/nlohmann/json.hpp nlohmann-json3-dev
file_or /usr/include/fmt/format.h libfmt-dev
# The integration checks of make test: the API reference check, the consumer project through pkg-config,
# and the Python binding with Debian's pytest, installed offline by pip with the system's setuptools.
command_or doxygen doxygen
command_or pkg-config pkg-config
file_or /usr/lib/python3/dist-packages/pytest python3-pytest
file_or /usr/lib/python3/dist-packages/setuptools python3-setuptools
file_or /usr/lib/python3/dist-packages/wheel python3-wheel
file_or /usr/lib/python3/dist-packages/pip python3-pip
if [ $ci = 1 ]; then
  # The Windows build: the cross compiler, GoogleTest's sources to build for it, wine to run it.
  command_or x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64
  file_or /usr/src/googletest/CMakeLists.txt googletest
  command_or wine wine wine64
  # The fuzz target: clang with libFuzzer and the sanitizer runtimes.
  command_or clang++ clang
  glob_or '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' libclang-rt-14-dev
  # The instruction counts of `make cost`: callgrind, and its header for the sample's client requests.
  { command -v valgrind >/dev/null 2>&1 && [ -e "$root/usr/include/valgrind/callgrind.h" ]; } || need+=(valgrind)
fi

if [ ${#need[@]} -eq 0 ]; then
  [ $dry_run = 1 ] && echo "install-deps: nothing to install"
  exit 0
fi

command="apt-get install -y ${need[*]}"
if [ $dry_run = 1 ]; then
  echo "install-deps: would install: ${need[*]}"
  echo "install-deps: with: apt-get update && $command"
  exit 0
fi
if ! command -v apt-get >/dev/null 2>&1; then
  echo "install-deps: missing: ${need[*]}" >&2
  echo "install-deps: this is not a Debian system (no apt-get): install their equivalents, then run make again." >&2
  exit 1
fi
if [ "$(id -u)" != 0 ]; then
  echo "install-deps: the build needs Debian packages that are not installed: ${need[*]}" >&2
  echo "install-deps: install them as root, then run make again:" >&2
  echo "    sudo apt-get update && sudo $command" >&2
  exit 1
fi
echo "install-deps: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${need[@]}"
