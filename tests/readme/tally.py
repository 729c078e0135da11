"""The count of a README check: each failed check prints a FAIL line as it is found, and the last
line counts the checks that passed and failed."""
import sys

failures = []
passed = 0


def check(ok, what):
    global passed
    if ok:
        passed += 1
    else:
        failures.append(what)
        print("FAIL: " + what)


def finish(name):
    """Prints the count and ends the check: status 1 when any check failed."""
    print(f"{name}: {passed} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)
