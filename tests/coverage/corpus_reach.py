#!/usr/bin/env python3
"""How far the replayed fuzz corpora reach: of the branches of the code
that the other tests take, how many the corpora take too. Reads two gcovr
JSON reports of the same build, one written after running the corpus
replays alone and one after running every other test, compares them branch
by branch, prints the share and the branches the corpora miss, and exits 1
when the share is below --fail-under (a percentage).

Usage: corpus_reach.py CORPORA.json OTHERS.json [--fail-under PERCENT]"""
import argparse
import json
import sys


def decisions(branches):
    """The indexes of a line's branches that are decisions of the code. A
    call that may throw has two arcs, the one that returns and the one that
    throws: they exist only where a test compiles the plug-in's headers
    with exceptions, and neither is a decision."""
    kept = []
    for index, branch in enumerate(branches):
        throws = branch.get("throw", False)
        returns_from_call = index + 1 < len(branches) and branches[index + 1].get("throw", False)
        if not throws and not returns_from_call:
            kept.append(index)
    return kept


def branches_taken(report_path):
    """The branches a report saw taken, as (file, line, branch index)."""
    with open(report_path, encoding="utf-8") as report:
        files = json.load(report)["files"]
    taken = set()
    for source in files:
        for line in source["lines"]:
            if line.get("gcovr/excluded"):
                continue
            branches = line["branches"]
            for index in decisions(branches):
                if branches[index]["count"] > 0:
                    taken.add((source["file"], line["line_number"], index))
    return taken


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("corpora", help="gcovr JSON report of the corpus replays alone")
    parser.add_argument("others", help="gcovr JSON report of every other test")
    parser.add_argument("--fail-under", type=float, default=0.0, metavar="PERCENT")
    args = parser.parse_args()

    by_others = branches_taken(args.others)
    by_both = by_others & branches_taken(args.corpora)
    missed = sorted(by_others - by_both)
    share = 100.0 * len(by_both) / len(by_others) if by_others else 100.0

    if missed:
        print("branches the other tests take and the corpora do not:")
        lines = {}
        for file, line, _ in missed:
            lines[(file, line)] = lines.get((file, line), 0) + 1
        for (file, line), count in sorted(lines.items()):
            print(f"  {file}:{line}" + (f" ({count} branches)" if count > 1 else ""))
    print(f"corpus reach: {len(by_both)} of the {len(by_others)} branches that the other tests take ({share:.1f}%)")
    if share < args.fail_under:
        print(f"corpus reach: below {args.fail_under:g}%; grow the corpora (docs/DESIGN.md, the fuzz corpora)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
