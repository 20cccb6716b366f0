"""`table --csv` and `table --json` read back by Python's csv and json modules agree with the
text table and with each other; `positions` writes a series and null where a body has no value.
Arguments: the program."""
import csv
import io
import json
import subprocess
import sys

program = sys.argv[1]
request = "07/04/1985 09:05"


def run(*args, stdin=None):
    return subprocess.run([program, *args], capture_output=True, text=True, input=stdin,
                          env={"LANG": "C", "PATH": "/usr/bin:/bin"}, check=False)


text = run("table", request).stdout.splitlines()
table = json.loads(run("table", "--json", request).stdout)
rows = list(csv.DictReader(io.StringIO(run("table", "--csv", request).stdout, newline="")))
assert table["request"] == request and len(table["rows"]) == 11 and len(rows) == 11, (table, rows)
for line, row, record in zip(text[3:], table["rows"], rows):
    # The text line holds the label, the sign cells and the decimal cells the exports give.
    shown = line.split()
    assert shown[0] == row["label"].split()[0] and record["label"] == row["label"], (line, row)
    assert isinstance(row["geo_decimal"], float) and isinstance(row["geo_lon"], float), row
    assert f'{row["geo_decimal"]:.2f}' in shown and row["geo_sign"] in shown, (line, row)
    assert abs(row["geo_lon"] - row["geo_decimal"]) <= 0.005, row
    assert len(row["colour"]) == 7 and int(row["colour"][1:], 16) >= 0, row
    for key, value in row.items():
        if value is None:
            assert record[key] == "", (key, record)
        elif isinstance(value, float):
            assert float(record[key]) == value, (key, record, value)
        elif isinstance(value, bool):
            assert record[key] == str(value).lower(), (key, record)
        else:
            assert record[key] == str(value), (key, record, value)
    assert record["request"] == request and float(record["jd"]) == table["jd"], record
node = table["rows"][-1]
assert node["label"] == "NORTH T.N." and node["helio_lon"] is None and node["geo_speed"] is None, node
assert table["rows"][0]["colour"] == "#0000ff" and table["rows"][0]["retrograde"] is False, table["rows"][0]

# A series: five instants a quarter of a day apart, the first given as a date in the regional
# notation, the last in ISO 8601; the same instant as a Julian day gives the same line.
series = [json.loads(line) for line in
          run("positions", "--bodies", "3,16", "--from", "07/04/1985", "--to", "1985-07-05", "--step", "0.25")
          .stdout.splitlines()]
assert [s["jd"] for s in series] == [2446250.5 + k / 4 for k in range(5)], series
assert series[0] == json.loads(run("positions", "--bodies", "3,16", "2446250.5").stdout), series[0]
assert series[0] == json.loads(run("positions", "--bodies", "3,16", stdin="07/04/1985 00:00\n").stdout)
mercury, node = series[0]["bodies"]
assert all(isinstance(v, float) for v in mercury.values() if v != 3), mercury
assert [k for k, v in node.items() if v is None] == ["geo_dist", "geo_speed", "helio_lon", "helio_lat",
                                                     "helio_dist", "helio_speed"], node

# Refused series: an absurd count, a step of 0, --from alone, --to before --from.
for args in (["--from", "2451545", "--to", "2451546", "--step", "1e-9"], ["--from", "2451545", "--to", "2451546",
             "--step", "0"], ["--from", "2451545"], ["--from", "2451546", "--to", "2451545"], ["12/25/35xx"]):
    result = run("positions", *args)
    assert result.returncode == 2 and result.stdout == "" and "usage" in result.stderr, (args, result)
assert "at most 1000000" in run("positions", "--from", "2451545", "--to", "2451546", "--step", "1e-9").stderr
assert "MM/DD/YYYY" in run("positions", "12/25/35xx").stderr
