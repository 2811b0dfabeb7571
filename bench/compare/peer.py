#!/usr/bin/env python3
"""The python3 column of bench/compare: the same workloads in Python.

Prints one line per workload, "<name> <seconds per op>" (per row for row-filter, per
compile for compile, per run for the others), each the median of --runs runs after one
warm-up run; a workload whose result is wrong prints "error <name>: <what>" instead.
"""
import argparse
import statistics
import sys
import time

ROWS = 10000
THRESHOLD = 700
# The 500-line PascalScript program of the compile workload has 16 blocks.
BLOCKS = 16
COMPILES_PER_RUN = 20


def input_row(i):
    # The same values as the C++ packet.
    return {"Id": i, "Channel": i % 16, "Value": ((i * 7919) % 10000) / 10.0,
            "Gain": 1.0 + (i % 3) * 0.5, "Offset": i * 0.001,
            "Name": "sensor" + str(i % 100), "Unit": "mV", "Flag": i % 2 == 0}


def row_filter(row):
    scaled = row["Value"] * row["Gain"]
    if scaled < THRESHOLD:
        return False
    row["Scaled"] = scaled
    row["Label"] = row["Name"] + "_hi"
    return True


def make_row_filter():
    rows = [input_row(i) for i in range(ROWS)]
    state = {}

    def run():
        out = []
        for row in rows:
            copy = dict(row)
            if row_filter(copy):
                out.append(copy)
        state["out"] = out

    def check():
        out = state["out"]
        due = [i for i in range(ROWS) if not input_row(i)["Value"] * input_row(i)["Gain"] < THRESHOLD]
        if [r["Id"] for r in out] != due:
            return "kept %d rows where %d are due" % (len(out), len(due))
        for r in out:
            if len(r) != 10 or r["Label"] != r["Name"] + "_hi":
                return "row %d is wrong" % r["Id"]
        return None

    return run, check, ROWS


def fib(n):
    return n if n < 2 else fib(n - 1) + fib(n - 2)


def int_loop():
    r = 0
    for i in range(1, 1000001):
        r = r + i % 7
    return r


def float_loop():
    r = 0.0
    for i in range(1, 1000001):
        r = r + i * 0.5
    return r


def string_build():
    # Python's idiomatic buffer, as on the Lua side: a list of pieces joined once.
    parts = []
    for _ in range(100000):
        parts.append("x")
    return len("".join(parts))


def add(a, b):
    return a + b


def proc_call():
    r = 0
    for _ in range(100000):
        r = add(r, 2)
    return r


def make_compute(function, expected):
    state = {}

    def run():
        state["r"] = function()

    def check():
        return None if state["r"] == expected else "r is %r where %r is due" % (state["r"], expected)

    return run, check, 1


def generated_program(blocks):
    # The compile workload's program, block for block as the PascalScript and Lua ones.
    lines = ["# Generated filter-style program.", "gCount, gTotal, gName = 0, 0.0, \"\"", ""]
    for k in range(1, blocks + 1):
        lines += [
            "def Calc%d(a, b):" % k,
            "    t = 0",
            "    for i in range(1, a + 1):",
            "        if i %% 3 == %d:" % (k % 3),
            "            t = t + b * i",
            "        else:",
            "            t = t - i / 2",
            "    return t",
            "",
            "def Step%d(x):" % k,
            "    global gCount, gTotal, gName",
            "    s = \"step\" + str(x)",
            "    if len(s) > 5:",
            "        gName = s",
            "    else:",
            "        gName = gName + s",
            "    gCount = gCount + x",
            "    gTotal = gTotal + Calc%d(x, %d.5)" % (k, k),
            "    while gCount > 100:",
            "        gCount = gCount - 100",
            "",
        ]
    lines += ["Step%d(%d)" % (k, 3 * k) for k in range(1, blocks + 1)]
    return "\n".join(lines) + "\n"


def expected_globals(blocks):
    count, total, name = 0, 0.0, ""
    for k in range(1, blocks + 1):
        x = 3 * k
        s = "step" + str(x)
        name = s if len(s) > 5 else name + s
        count += x
        t = 0.0
        for i in range(1, x + 1):
            t = t + (k + 0.5) * i if i % 3 == k % 3 else t - i / 2
        total += t
        while count > 100:
            count -= 100
    return count, total, name


def make_compile():
    source = generated_program(BLOCKS)
    state = {}

    def run():
        for _ in range(COMPILES_PER_RUN):
            state["code"] = compile(source, "<generated>", "exec")

    def check():
        scope = {}
        exec(state["code"], scope)
        count, total, name = expected_globals(BLOCKS)
        got = (scope["gCount"], scope["gTotal"], scope["gName"])
        if got[0] != count or abs(got[1] - total) > 1e-9 * abs(total) or got[2] != name:
            return "globals %r where %r are due" % (got, (count, total, name))
        return None

    return run, check, COMPILES_PER_RUN


WORKLOADS = {
    "row-filter": make_row_filter,
    "fib": lambda: make_compute(lambda: fib(25), 75025),
    "int-loop": lambda: make_compute(int_loop, 2999998),
    "float-loop": lambda: make_compute(float_loop, 250000250000.0),
    "string-build": lambda: make_compute(string_build, 100000),
    "proc-call": lambda: make_compute(proc_call, 200000),
    "compile": make_compile,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--only", default="", help="comma-separated workload names (default: all)")
    args = parser.parse_args()
    names = [n for n in args.only.split(",") if n] or list(WORKLOADS)
    failed = False
    for name in names:
        if name not in WORKLOADS:
            print("error %s: no such workload" % name, flush=True)
            failed = True
            continue
        run, check, ops = WORKLOADS[name]()
        run()
        problem = check()
        times = []
        for _ in range(max(1, args.runs)):
            start = time.perf_counter()
            run()
            times.append(time.perf_counter() - start)
        problem = problem or check()
        if problem:
            print("error %s: %s" % (name, problem), flush=True)
            failed = True
        else:
            print("%s %.9g" % (name, statistics.median(times) / ops), flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
