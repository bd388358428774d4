#!/usr/bin/env bash
# Every declaration of the public header is documented: Doxygen over the header with every warning an
# error (an undocumented export, record field or constant fails). Skipped (77) without doxygen.
#   tests/docs_check.sh <Doxyfile>
set -euo pipefail
doxyfile=$1
if ! command -v doxygen >/dev/null 2>&1; then
  echo "SKIPPED: doxygen is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if { cat "$doxyfile"; printf 'OUTPUT_DIRECTORY=%s\nWARN_AS_ERROR=FAIL_ON_WARNINGS\n' "$work"; } \
   | doxygen - >"$work/log" 2>&1; then
  echo "public header: every declaration documented"
else
  cat "$work/log"
  echo "FAIL: the public header has undocumented declarations (or comments Doxygen cannot read)"
  exit 1
fi
