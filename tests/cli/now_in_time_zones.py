"""`table` without a date, `table now` and `positions now` are the clock's UTC + 69.184 s
(TT - UTC since 2017) in every time zone. Arguments: the program."""
import datetime
import json
import subprocess
import sys

program = sys.argv[1]
for zone in ("UTC", "Pacific/Auckland", "America/Los_Angeles"):
    for args in (["table", "--json"], ["table", "--json", "now"]):
        expected = datetime.datetime.now(datetime.timezone.utc).replace(tzinfo=None) + datetime.timedelta(seconds=69.184)
        out = subprocess.run([program, *args], capture_output=True, text=True, check=True,
                             env={"LANG": "C", "TZ": zone, "PATH": "/usr/bin:/bin"}).stdout
        shown = datetime.datetime.strptime(json.loads(out)["request"], "%m/%d/%Y %H:%M")
        print(zone, args, shown, "expected", expected)
        assert abs((shown - expected).total_seconds()) < 61, (zone, shown, expected)
    jd = json.loads(subprocess.run([program, "positions", "--bodies", "1", "now"], capture_output=True, text=True,
                                   check=True, env={"TZ": zone}).stdout)["jd"]
    now_jd = 2440587.5 + (datetime.datetime.now(datetime.timezone.utc).timestamp() + 69.184) / 86400
    assert abs(jd - now_jd) * 1440 < 1.01, (zone, jd, now_jd)
