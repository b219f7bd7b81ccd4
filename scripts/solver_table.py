#!/usr/bin/env python3
"""Solver measurement over every game, with autoplay off and on side by side: won, lost and unknown
deals, the win rate with its Wilson 95% interval (unknown deals counted both ways), and deals per second
on one core.

Deals are counted once each: a deal depends only on the 16-bit key of its game number (deal_key in
winnable_keys.py), so a number whose key was already counted is skipped and the next one taken, until
--count distinct deals. Every won move list is replayed through `tessaline-cli play` and must end
`won 1`; the same deals at a second, shorter limit must never be called lost where the first calls them
won, nor the other way round. --each writes every verdict, one line a deal, to compare two builds.

usage: solver_table.py CLI [--games all|"Klondike,Canister"] [--first 1] [--count 200]
                           [--limit-ms 1000] [--check-ms 100] [--autoplay 0,1] [--each FILE]
"""
import argparse
import math
import subprocess
import sys


def wilson(k, n, z=1.959963984540054):
    if n == 0:
        return 0.0, 1.0
    p = k / n
    d = 1 + z * z / n
    c = p + z * z / (2 * n)
    h = z * math.sqrt(p * (1 - p) / n + z * z / (4 * n * n))
    return max(0.0, (c - h) / d), min(1.0, (c + h) / d)


def solve(cli, game, number, ms, autoplay):
    out = subprocess.run([cli, "solve", game, str(number), "--limit-ms", str(ms), "--autoplay", str(autoplay)],
                         capture_output=True, text=True, check=True).stdout.splitlines()
    verdict = out[0]
    seconds = float(out[2].split()[1])
    moves = [l for l in out if l.startswith(("drag", "stock", "marker"))]
    return verdict, seconds, moves


def replays(cli, game, number, moves, autoplay):
    out = subprocess.run([cli, "play", game, str(number), "--autoplay", str(autoplay)], input="\n".join(moves) + "\n",
                         capture_output=True, text=True).stdout
    return out.rstrip().endswith("won 1")


def distinct_numbers(first, count):
    """The first `count` game numbers from `first` on that each deal a deal not dealt before."""
    from winnable_keys import deal_key  # imported here: that script imports replays from this one

    seen, numbers = set(), []
    n = first
    while len(numbers) < count:
        k = deal_key(n)
        if k not in seen:
            seen.add(k)
            numbers.append(n)
        n += 1
    return numbers


def measure(a, game, numbers, autoplay, each):
    """Won, lost, unknown, deals per second and faults for one game and one autoplay setting."""
    won = lost = unknown = faults = 0
    seconds = 0.0
    for n in numbers:
        v, s, moves = solve(a.cli, game, n, a.limit_ms, autoplay)
        seconds += s
        if v == "won":
            won += 1
            if not replays(a.cli, game, n, moves, autoplay):
                print(f"FAULT {game} {n} autoplay {autoplay}: the won move list does not replay to a win",
                      file=sys.stderr)
                faults += 1
        elif v == "lost":
            lost += 1
        else:
            unknown += 1
        # The same deal at the shorter limit: a decided answer never flips.
        check, _, _ = solve(a.cli, game, n, a.check_ms, autoplay)
        if {v, check} == {"won", "lost"}:
            print(f"FAULT {game} {n} autoplay {autoplay}: {v} at {a.limit_ms} ms, {check} at {a.check_ms} ms",
                  file=sys.stderr)
            faults += 1
        if each:
            print(f"{game}\t{autoplay}\t{n}\t{v}\t{s:.3f}", file=each, flush=True)
    # None: every deal took less than the millisecond the solver reports its time in.
    return won, lost, unknown, (len(numbers) / seconds if seconds else None), faults


def cells(won, lost, unknown, rate):
    total = won + lost + unknown
    low = wilson(won, total)[0]
    high = wilson(won + unknown, total)[1]
    winrate = won / (won + lost) if won + lost else 0.0
    return f"{won} | {lost} | {unknown} | {100 * winrate:.1f}% | {100 * low:.1f}-{100 * high:.1f}% | {'-' if rate is None else f'{rate:.1f}'}"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("cli")
    ap.add_argument("--games", default="all")
    ap.add_argument("--first", type=int, default=1)
    ap.add_argument("--count", type=int, default=200)
    ap.add_argument("--limit-ms", type=int, default=1000)
    ap.add_argument("--check-ms", type=int, default=100)
    ap.add_argument("--autoplay", default="0,1", choices=["0", "1", "0,1"])
    ap.add_argument("--each", help="write every verdict here: game, autoplay, number, verdict, seconds")
    a = ap.parse_args()
    if a.games == "all":
        lines = subprocess.run([a.cli, "games"], capture_output=True, text=True, check=True).stdout
        games = [l.split(" ", 1)[1] for l in lines.splitlines()]
    else:
        games = a.games.split(",")
    settings = [int(s) for s in a.autoplay.split(",")]
    numbers = distinct_numbers(a.first, a.count)
    each = open(a.each, "w") if a.each else None
    faults = 0
    heads = " | ".join(f"{k} ({'on' if s else 'off'})" for s in settings
                       for k in ("won", "lost", "unknown", "rate", "95% interval", "deals/s"))
    print(f"{len(numbers)} distinct deals from number {a.first} to {numbers[-1]}, {a.limit_ms} ms a deal")
    print(f"| game | {heads} |")
    print("|---" * (1 + 6 * len(settings)) + "|")
    for game in games:
        row = []
        for s in settings:
            won, lost, unknown, rate, f = measure(a, game, numbers, s, each)
            faults += f
            row.append(cells(won, lost, unknown, rate))
        print(f"| {game} | {' | '.join(row)} |", flush=True)
    print(f"faults {faults}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
