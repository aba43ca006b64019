"""csv_check.py CSV EXPECTED: checks that the file CSV is UTF-8 with a byte-order mark, RFC 4180
(CRLF line ends, minimal quoting) and holds exactly the rows of the JSON list EXPECTED, each with
as many fields as its heading row. Exit status 0 when it does; otherwise says what differs."""
import csv
import io
import json
import sys

raw = open(sys.argv[1], "rb").read()
expected = json.load(open(sys.argv[2], encoding="utf-8"))
problems = []
if not raw.startswith(b"\xef\xbb\xbf"):
    problems.append("no byte-order mark")
rows = list(csv.reader(io.StringIO(raw.decode("utf-8-sig"), newline=""), strict=True))
if expected and any(len(row) != len(expected[0]) for row in rows):
    problems.append("a row without %d fields" % len(expected[0]))
if rows != expected:
    problems.append("rows differ: %r" % next((r, e) for r, e in zip(rows + [None] * len(expected), expected) if r != e))
canonical = io.StringIO(newline="")
csv.writer(canonical, lineterminator="\r\n").writerows(expected)
if raw[3:] != canonical.getvalue().encode("utf-8"):
    problems.append("not written as RFC 4180 with CRLF line ends")
for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
