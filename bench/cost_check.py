#!/usr/bin/env python3
"""The instruction-count check of `make cost`.

Runs bench/cost_sample.cpp's program under callgrind, counting only the calls of the exports (the
cost_* functions), prints the instructions per call of every case and fails when a case exceeds its
budget in bench/cost_budgets.txt by more than the tolerance, or when a case has no budget.

    bench/cost_check.py SAMPLE_PROGRAM [--budgets FILE] [--calls N] [--out DIR] [--write-budgets]

--write-budgets rewrites the budget file with the measured figures (rounded up), keeping its comments.
"""
import argparse
import glob
import math
import os
import re
import subprocess
import sys

TOLERANCE = 0.10
TRIGGER = "desc: Trigger: Client Request: "


def measure(program, calls, out):
    os.makedirs(out, exist_ok=True)
    for old in glob.glob(os.path.join(out, "callgrind.out*")):
        os.remove(old)
    env = dict(os.environ, LD_BIND_NOW="1")  # no lazy symbol binding counted in the first calls
    cmd = ["valgrind", "--tool=callgrind", "--collect-atstart=no", "--toggle-collect=cost_*",
           "--callgrind-out-file=" + os.path.join(out, "callgrind.out"), program, "-n", str(calls)]
    with open(os.path.join(out, "valgrind.log"), "w") as log:
        if subprocess.run(cmd, env=env, stdout=log, stderr=subprocess.STDOUT).returncode != 0:
            sys.exit(f"cost: the sample failed under valgrind; see {out}/valgrind.log")
    figures = {}
    for path in glob.glob(os.path.join(out, "callgrind.out.*")):
        name = total = None
        with open(path) as f:
            for line in f:
                if line.startswith(TRIGGER):
                    name = line[len(TRIGGER):].strip()
                elif line.startswith("summary:") or line.startswith("totals:"):
                    total = int(line.split()[1])
                    break
        if name is not None and total is not None:
            figures[name] = total / calls
    if not figures:
        sys.exit("cost: no case was counted (is valgrind's callgrind.h installed?)")
    return figures


def read_budgets(path):
    budgets = {}
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                name, value = line.split()
                budgets[name] = int(value)
    return budgets


def write_budgets(path, figures, order):
    lines = []
    with open(path) as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                lines.append(line.rstrip("\n"))
    lines += [f"{name} {math.ceil(figures[name])}" for name in order]
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--budgets", default=os.path.join(here, "cost_budgets.txt"))
    parser.add_argument("--calls", type=int, default=256)
    parser.add_argument("--out", default="build/cost")
    parser.add_argument("--write-budgets", action="store_true")
    args = parser.parse_args()

    order = subprocess.run([args.program, "--list"], check=True, capture_output=True, text=True).stdout.split()
    figures = measure(args.program, args.calls, args.out)
    if args.write_budgets:
        write_budgets(args.budgets, figures, order)
    budgets = read_budgets(args.budgets)

    failures = 0
    print(f"{'case':<28} {'instr/call':>12} {'budget':>10}")
    for name in order:
        figure = figures.get(name)
        budget = budgets.get(name)
        mark = ""
        if figure is None:
            mark = "  NOT COUNTED"
            failures += 1
        elif budget is None:
            mark = "  NO BUDGET"
            failures += 1
        elif figure > budget * (1 + TOLERANCE):
            mark = f"  OVER BUDGET by {100 * (figure / budget - 1):.1f} %"
            failures += 1
        shown = f"{figure:12.1f}" if figure is not None else f"{'-':>12}"
        print(f"{name:<28} {shown} {budget if budget is not None else '-':>10}{mark}")
    for name in sorted(set(budgets) - set(order)):
        print(f"{name:<28} budget for no case (remove it from {os.path.basename(args.budgets)})")
        failures += 1
    if failures:
        sys.exit(f"cost: {failures} case(s) failed the check (tolerance {100 * TOLERANCE:.0f} %)")
    print(f"cost: every case within its budget (+{100 * TOLERANCE:.0f} %)")


if __name__ == "__main__":
    main()
