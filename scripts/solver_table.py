#!/usr/bin/env python3
"""Solver measurement over every game: won, lost and unknown deals, the win rate with its Wilson 95%
interval (unknown deals counted both ways), and deals per second on one core. Every won move list is
replayed through `tessaline-cli play` and must end `won 1`; a second, shorter limit must never call a
deal lost that the first calls won, nor the other way round.

usage: solver_table.py CLI [--games all|"Klondike,Canister"] [--first 1] [--count 200]
                           [--limit-ms 1000] [--check-ms 100] [--autoplay 1]
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


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("cli")
    ap.add_argument("--games", default="all")
    ap.add_argument("--first", type=int, default=1)
    ap.add_argument("--count", type=int, default=200)
    ap.add_argument("--limit-ms", type=int, default=1000)
    ap.add_argument("--check-ms", type=int, default=100)
    ap.add_argument("--autoplay", type=int, default=1, choices=[0, 1])
    a = ap.parse_args()
    if a.games == "all":
        lines = subprocess.run([a.cli, "games"], capture_output=True, text=True, check=True).stdout
        games = [l.split(" ", 1)[1] for l in lines.splitlines()]
    else:
        games = a.games.split(",")
    faults = 0
    print(f"| game | won | lost | unknown | rate | 95% interval | deals/s |")
    print(f"|---|---|---|---|---|---|---|")
    for game in games:
        won = lost = unknown = 0
        seconds = 0.0
        verdicts = {}
        for n in range(a.first, a.first + a.count):
            v, s, moves = solve(a.cli, game, n, a.limit_ms, a.autoplay)
            seconds += s
            verdicts[n] = v
            if v == "won":
                won += 1
                if not replays(a.cli, game, n, moves, a.autoplay):
                    print(f"FAULT {game} {n}: the won move list does not replay to a win", file=sys.stderr)
                    faults += 1
            elif v == "lost":
                lost += 1
            else:
                unknown += 1
        # The same deals at the shorter limit: a decided answer never flips.
        each = subprocess.run([a.cli, "winnable", game, str(a.first), str(a.count), "--limit-ms",
                               str(a.check_ms), "--autoplay", str(a.autoplay), "--each"],
                              capture_output=True, text=True,
                              check=True).stdout.splitlines()
        for line in each[:a.count]:
            n, v = int(line.split()[0]), line.split()[1]
            if {v, verdicts[n]} == {"won", "lost"}:
                print(f"FAULT {game} {n}: {verdicts[n]} at {a.limit_ms} ms, {v} at {a.check_ms} ms",
                      file=sys.stderr)
                faults += 1
        total = won + lost + unknown
        low = wilson(won, total)[0]
        high = wilson(won + unknown, total)[1]
        rate = won / (won + lost) if won + lost else 0.0
        print(f"| {game} | {won} | {lost} | {unknown} | {100 * rate:.1f}% | {100 * low:.1f}-{100 * high:.1f}% |"
              f" {total / seconds if seconds else 0:.1f} |", flush=True)
    print(f"faults {faults}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
