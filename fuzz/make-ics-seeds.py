#!/usr/bin/env python3
"""Writes the .ics files that once kept the list builder's import busy or made it fall over,
and a realistic school feed, into a folder.

  fuzz/make-ics-seeds.py DIR          seeds for ics_import_fuzz (each under libFuzzer's
                                      -max_len of 200000 bytes)
  fuzz/make-ics-seeds.py --full DIR   the files at the sizes they were found at, for
                                      bench/ics-import.sh
"""
import datetime
import random
import sys

CRLF = "\r\n"


def calendar(body, head=""):
    return ("BEGIN:VCALENDAR" + CRLF + "VERSION:2.0" + CRLF + "PRODID:-//custodex seeds//EN" +
            CRLF + head + body + "END:VCALENDAR" + CRLF)


GOOD = ("BEGIN:VEVENT" + CRLF + "UID:good" + CRLF + "SUMMARY:Good" + CRLF +
        "DTSTART;VALUE=DATE:20251220" + CRLF + "END:VEVENT" + CRLF)


def never(freq):
    # A rule with no occurrence: there is no 30 February.
    return calendar(GOOD + "BEGIN:VEVENT" + CRLF + "UID:never" + CRLF + "SUMMARY:Never" + CRLF +
                    "DTSTART:20240101T000000" + CRLF + "RRULE:FREQ=" + freq +
                    ";BYMONTH=2;BYMONTHDAY=30" + CRLF + "END:VEVENT" + CRLF)


def excluded(count):
    start = datetime.datetime(2025, 3, 1)
    lines = ["BEGIN:VEVENT", "UID:often", "SUMMARY:Often", "DTSTART:20250301T000000",
             "RRULE:FREQ=MINUTELY;COUNT=190000"]
    for i in range(count):
        at = start + datetime.timedelta(minutes=2 * i + 1)
        lines.append(at.strftime("EXDATE:%Y%m%dT%H%M%S"))
    lines.append("END:VEVENT")
    return calendar(GOOD + CRLF.join(lines) + CRLF)


def crowded(count):
    return calendar(GOOD + "".join(
        "BEGIN:VEVENT" + CRLF + "UID:c%d" % i + CRLF + "SUMMARY:Class %d" % i + CRLF +
        "DTSTART;VALUE=DATE:20251201" + CRLF + "END:VEVENT" + CRLF for i in range(count)))


def nested(levels):
    return calendar(("BEGIN:X-A" + CRLF) * levels + GOOD + ("END:X-A" + CRLF) * levels)


def bad_values(count, broken):
    # Every event as an online calendar writes it, with an empty DESCRIPTION; with `broken`
    # each also has a DTEND without its seconds, so every one is left out and named.
    events = []
    day = datetime.date(2025, 9, 1)
    for i in range(count):
        date = day + datetime.timedelta(days=i % 700)
        end = "DTEND:%sT1600" % date.strftime("%Y%m%d") if broken else \
            "DTEND:%sT160000Z" % date.strftime("%Y%m%d")
        events.append(CRLF.join([
            "BEGIN:VEVENT", "DTSTART:%sT150000Z" % date.strftime("%Y%m%d"), end,
            "DTSTAMP:20250801T120000Z", "UID:e%d@example.org" % i, "DESCRIPTION:",
            "LOCATION:", "SEQUENCE:0", "STATUS:CONFIRMED", "SUMMARY:Club %d" % i,
            "TRANSP:OPAQUE", "END:VEVENT"]) + CRLF)
    return calendar((GOOD if broken else "") + "".join(events),
                    "X-WR-TIMEZONE:America/Chicago" + CRLF)


def feed(count):
    """A district's published feed: all-day days off, timed events in UTC and with a zone,
    weekly series with EXDATEs and moved occurrences, empty values and vendor properties."""
    rng = random.Random(4778)
    head = CRLF.join([
        "CALSCALE:GREGORIAN", "METHOD:PUBLISH", "X-WR-CALNAME:District Calendar",
        "X-WR-TIMEZONE:America/Chicago", "X-WR-CALDESC:", "BEGIN:VTIMEZONE",
        "TZID:America/Chicago", "X-LIC-LOCATION:America/Chicago", "BEGIN:DAYLIGHT",
        "TZOFFSETFROM:-0600", "TZOFFSETTO:-0500", "TZNAME:CDT", "DTSTART:19700308T020000",
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU", "END:DAYLIGHT", "BEGIN:STANDARD",
        "TZOFFSETFROM:-0500", "TZOFFSETTO:-0600", "TZNAME:CST", "DTSTART:19701101T020000",
        "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU", "END:STANDARD", "END:VTIMEZONE"]) + CRLF
    events = []
    first = datetime.date(2024, 8, 1)
    for i in range(count):
        date = first + datetime.timedelta(days=rng.randrange(0, 900))
        ymd = date.strftime("%Y%m%d")
        kind = rng.random()
        lines = ["BEGIN:VEVENT", "DTSTAMP:20250801T120000Z", "UID:%08d@district.example" % i,
                 "CREATED:20240701T090000Z", "LAST-MODIFIED:20240701T090000Z", "SEQUENCE:0"]
        if kind < 0.35:
            end = (date + datetime.timedelta(days=rng.choice([1, 1, 1, 3, 5]))).strftime("%Y%m%d")
            lines += ["DTSTART;VALUE=DATE:" + ymd, "DTEND;VALUE=DATE:" + end,
                      "SUMMARY:No school - " + rng.choice(["Teacher work day", "Holiday",
                                                           "Conferences", "Break"]),
                      "DESCRIPTION:", "LOCATION:", "TRANSP:TRANSPARENT"]
        elif kind < 0.8:
            lines += ["DTSTART:%sT%02d0000Z" % (ymd, rng.randrange(12, 24)),
                      "DTEND:%sT235900Z" % ymd,
                      "SUMMARY:" + rng.choice(["Board meeting", "Game", "Concert", "PTA"]),
                      "DESCRIPTION:Details at the front office\\, room 4",
                      "LOCATION:", "X-MICROSOFT-CDO-BUSYSTATUS:BUSY", "SUBCALENDAR-ID:athletics"]
        else:
            lines += ["DTSTART;TZID=America/Chicago:%sT153000" % ymd,
                      "DTEND;TZID=America/Chicago:%sT170000" % ymd,
                      "RRULE:FREQ=WEEKLY;UNTIL=%sT220000Z" %
                      (date + datetime.timedelta(days=70)).strftime("%Y%m%d"),
                      "EXDATE:%sT203000Z" % (date + datetime.timedelta(days=14)).strftime("%Y%m%d"),
                      "SUMMARY:Practice", "DESCRIPTION:", "LOCATION:Gym"]
        lines.append("END:VEVENT")
        events.append(CRLF.join(lines) + CRLF)
    return calendar("".join(events), head)


def main():
    args = sys.argv[1:]
    full = "--full" in args
    args = [a for a in args if a != "--full"]
    if len(args) != 1:
        sys.exit(__doc__)
    folder = args[0]
    files = {
        "secondly-never.ics": never("SECONDLY"),
        "minutely-never.ics": never("MINUTELY"),
        "hourly-never.ics": never("HOURLY"),
        "minutely-exdates.ics": excluded(100000 if full else 6000),
        "one-day-crowded.ics": crowded(99999 if full else 1800),  # with the good one: 100,000
        "nested.ics": nested(20000 if full else 9000),
        "broken-among-good.ics": bad_values(3 if not full else 16000, True),
    }
    if full:
        files["empty-values-16000.ics"] = bad_values(16000, False)
        files["district-feed-4778.ics"] = feed(4778)
    for name, text in files.items():
        with open(folder + "/" + name, "w", newline="") as out:
            out.write(text)


if __name__ == "__main__":
    main()
