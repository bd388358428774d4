#!/usr/bin/env bash
# pip installs the Python binding offline from a copy of bindings/python (no index, the installed
# setuptools), and the installed package computes a pay, with the library named by ORLA_LIBRARY and then
# with it beside the package. Skipped (77) without pip.
#   tests/python_install_test.sh <python> <bindings/python> <shared library>
set -euo pipefail
python=$1 source=$2 library=$3
if ! "$python" -m pip --version >/dev/null 2>&1; then
  echo "SKIPPED: $python has no pip (scripts/install-deps.sh installs python3-pip)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source" "$work/src"
rm -rf "$work/src/build" "$work/src"/*.egg-info
"$python" -m pip install --quiet --no-build-isolation --no-index --no-deps --no-cache-dir --disable-pip-version-check \
  --target "$work/site" "$work/src" 2>&1 | grep -v "Running pip as the 'root' user" || true
[ -f "$work/site/orla/__init__.py" ] || { echo "FAIL: pip installed no orla package"; exit 1; }

pay='import orla
r = orla.calc(date="2026-03-13", periods=26, wages=2000, status="single", w4_2020=True, state="TX")
assert (r.flags, r.fed_tax, r.ss_tax, r.medicare_tax) == (0, 156.15, 124.0, 29.0), r
print("installed package:", orla.__file__, "library:", orla.library()._name)'
cd "$work"
PYTHONPATH=$work/site ORLA_LIBRARY=$library "$python" -c "$pay"
cp "$library" "$work/site/orla/liborla.so"
env -u ORLA_LIBRARY PYTHONPATH="$work/site" "$python" -c "$pay" | grep -q "library: $work/site/orla/liborla.so" \
  || { echo "FAIL: the library beside the package was not the one loaded"; exit 1; }
echo "pip install: the installed package computes the pay"
