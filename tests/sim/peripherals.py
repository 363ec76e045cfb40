#!/usr/bin/env python3
"""Runs the interrupt-driven programs of tests/sim/peripherals on the QE128 in yav-sim and
checks what they print and how much simulated time they take, against the chip's rules:
bus clock 4194304 Hz after reset, TPM1 overflow every MOD+1 prescaled bus cycles, the RTC's
1 kHz clock, the COP's 1024 ms timeout after reset, interrupt priority by vector address.

usage: peripherals.py YAV_SIM PROGRAM_DIR
"""
import re
import subprocess
import sys

BUS_HZ = 4194304
# Cycles a program may spend besides what is measured: start-up, handlers, printing.
SLACK = 4000


def cycles_of_ms(ms):
    return ms * BUS_HZ / 1000


# name, program, extra yav-sim options, console lines, (least cycles, most cycles) when the
# program calls `measured` (programs that never call it: at _done)
CASES = [
    ("timer overflow and compare", "tpm", [], ["overflows 10 compares 10"], (10 * 1000, 10 * 1000 + SLACK)),
    ("rtc every 5 ms", "rtc", [], ["rtc 3"], (cycles_of_ms(15), cycles_of_ms(15) + SLACK)),
    ("sci receive and transmit interrupts", "sci", ["--input", "abc"], ["got abc"], (0, 20000)),
    # PTA: inputs, PTA2 driven low, the others undriven (read 1): 0xFB. PTB: high nibble
    # outputs of 0x5A, low nibble undriven inputs: 0x5F.
    ("irq before key", "pins", ["--irq-at", "5000", "--pin", "PTA2=0@8000"],
     ["irq 1 kbi 1 order IK pta 251 ptb 95"], (8000, 8000 + SLACK)),
    ("key before irq", "pins", ["--pin", "PTA2=0@5000", "--irq-at", "8000"],
     ["irq 1 kbi 1 order KI pta 251 ptb 95"], (8000, 8000 + SLACK)),
    # Both at once: the IRQ's vector (0xFFFA) is above the keyboard's (0xFFDA).
    ("irq and key together: priority", "pins", ["--pin", "PTA2=0@6000", "--irq-at", "6000"],
     ["irq 1 kbi 1 order IK pta 251 ptb 95"], (6000, 6000 + SLACK)),
    ("watchdog resets when not serviced", "cop", [], ["power on 128", "serviced", "cop reset"],
     (cycles_of_ms(1024), None)),
    ("watchdog off", "cop_off", [], ["no reset 2"], (cycles_of_ms(1024), None)),
]


TIMED_AT_MEASURED = {"tpm", "rtc", "pins"}


def symbols(map_path):
    found = {}
    with open(map_path) as f:
        for line in f:
            m = re.match(r"\s*(?:C:)?\s+([0-9A-Fa-f]{8})\s+(_\w+)\s", line)
            if m:
                found.setdefault(m.group(2), int(m.group(1), 16))
    return found


def run(yav_sim, directory, program, options, until):
    args = [yav_sim, "--chip", "QE128", "--console", "--max", "20000000", "--until", hex(until), *options,
            f"{directory}/{program}.ihx"]
    return subprocess.run(args, capture_output=True, text=True).stdout


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    yav_sim, directory = sys.argv[1], sys.argv[2]
    failures = []
    for name, program, options, lines, (least, most) in CASES:
        labels = symbols(f"{directory}/{program}.map")
        out = run(yav_sim, directory, program, options, labels["_done"])
        console = re.findall(r"^console: (.*)$", out, re.MULTILINE)
        stopped = re.search(r"stopped by (\w+)", out)
        if program in TIMED_AT_MEASURED:
            out = run(yav_sim, directory, program, options, labels["_measured"])
        cycles = re.search(r"executed: \d+ instructions, (\d+) cycles", out)
        problems = []
        if not stopped or stopped.group(1) != "until":
            problems.append(f"did not reach _done ({stopped.group(1) if stopped else 'no output'})")
        if console != lines:
            problems.append(f"console {console}, expected {lines}")
        if cycles:
            n = int(cycles.group(1))
            if n < least or (most is not None and n > most):
                problems.append(f"{n} cycles, expected {least:.0f} to {most if most is None else round(most)}")
        for p in problems:
            failures.append(f"{name}: {p}")
        print(f"{name}: {'FAIL' if problems else 'pass'}")
    for f in failures:
        print(f, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
