#!/usr/bin/python3
"""Prints what python3-icalendar reads from an iCalendar file, one event a
line: UID, start, summary, minutes of each alarm before the start, melody,
fields between '|', a line break inside a value as '/'."""
import sys

import icalendar


def main() -> None:
    with open(sys.argv[1], "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    for event in calendar.walk("VEVENT"):
        fields = [str(event["UID"]), event.decoded("DTSTART").strftime("%Y%m%dT%H%M%S"), str(event.get("SUMMARY"))]
        for alarm in event.walk("VALARM"):
            fields.append("ALARM=%d" % (-alarm.decoded("TRIGGER").total_seconds() // 60))
        if "X-VELARMON-MELODY" in event:
            fields.append("MELODY=" + str(event["X-VELARMON-MELODY"]))
        print("|".join(field.replace("\r\n", "/").replace("\n", "/") for field in fields))


if __name__ == "__main__":
    main()
