"""Reads what the benchmarks printed and ends with one table of every goal.

Each benchmark states a goal on a line of its own:
    <what>: <measured>[ unit] (goal: at most <goal>[ unit])

Exits with 1 when a goal is missed or no goal was found.
"""
import re
import sys

GOAL = re.compile(r"^(?P<what>.*?):\s*(?P<measured>[\d.]+)\s*(?P<unit>[A-Za-z]*)\s*\(goal: at most (?P<goal>[\d.]+)")

rows = []
for line in sys.stdin:
    sys.stdout.write(line)
    match = GOAL.match(line.strip())
    if match:
        measured, goal = float(match["measured"]), float(match["goal"])
        rows.append((match["what"], f"{measured:g} {match['unit']}".strip(),
                     f"{goal:g} {match['unit']}".strip(), measured / goal, measured <= goal))

width = max((len(row[0]) for row in rows), default=10)
print()
print(f"{'goal':<{width}}  {'measured':>12}  {'at most':>10}  {'of goal':>8}  met")
for what, measured, goal, share, met in rows:
    print(f"{what:<{width}}  {measured:>12}  {goal:>10}  {share:>8.2f}  {'yes' if met else 'NO'}")
print(f"{sum(row[4] for row in rows)} of {len(rows)} goals met")
# A goal missed, or none measured at all, fails the run.
sys.exit(0 if rows and all(row[4] for row in rows) else 1)
