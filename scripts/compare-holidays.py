#!/usr/bin/python3
"""Compare custodex-cli holiday dates with the python3-holidays library.

For every country, every start month of 1998 to 2051 and both pages of the
two-year span, runs `custodex-cli holidays ... --json` and checks, for each
holiday the library also knows, that the program's dates inside the selected
year are the library's dates for that holiday in the same range.

The library is asked without observed days (observed=False): this program
never moves a weekend holiday to a weekday. The library's "(Observed)" entries
are counted on their own so that they can be told apart from real disagreements.

Every difference is given a reason. Known reasons are cases where the program
follows its own rules and the library follows another (the Easter table limit,
the 2002 late-May move, the library's other jubilee moves, nearest-Monday
rules); anything else is reported as UNEXPLAINED.

Needs: Debian's python3-holidays (apt-get install python3-holidays) and a
built custodex-cli. Run with /usr/bin/python3; about 2.5 minutes on two cores.
"""

import argparse
import collections
import concurrent.futures
import datetime
import functools
import json
import subprocess
import sys

import holidays

MONTHS = [
    "January", "February", "March", "April", "May", "June", "July", "August",
    "September", "October", "November", "December"
]
FIRST_YEAR = 1998
LAST_YEAR = 2051
EASTER_FIRST = 1998
EASTER_LAST = 2051

LIBRARY_CLASS = {"us": holidays.US, "ca": holidays.CA, "uk": holidays.UK}
SUBDIVISION_ARG = {"us": "state", "ca": "prov", "uk": None}

# Program caption -> (library subdivision or None, library holiday name).
# Captions missing here are unknown to the library and are skipped.
REFERENCE = {
    "us": {
        "Christmas Day": (None, "Christmas Day"),
        "Columbus Day": (None, "Columbus Day"),
        "Independence Day": (None, "Independence Day"),
        "Labor Day": (None, "Labor Day"),
        "Lincoln's Birthday": ("IL", "Lincoln's Birthday"),
        "Martin Luther King Jr.'s Birthday": (None, "Martin Luther King, Jr. Day"),
        "Memorial Day": (None, "Memorial Day"),
        "New Year's Day": (None, "New Year's Day"),
        "President's Day (Washington's Birthday)": (None, "Washington's Birthday"),
        "Thanksgiving Day": (None, "Thanksgiving"),
        "Veterans Day": (None, "Veterans Day"),
    },
    "ca": {
        "Boxing Day (Ca.)": (None, "Boxing Day"),
        "Canada Day (Ca.)": (None, "Canada Day"),
        "Christmas Day (Ca.)": (None, "Christmas Day"),
        "Easter Monday (Ca.)": ("QC", "Easter Monday"),
        "Good Friday (Ca.)": (None, "Good Friday"),
        "Labor Day (Ca.)": (None, "Labour Day"),
        "New Year's Day (Ca.)": (None, "New Year's Day"),
        "Remembrance Day (Ca.)": ("AB", "Remembrance Day"),
        "Thanksgiving Day (Ca.)": (None, "Thanksgiving"),
        "Victoria Day (Ca.)": (None, "Victoria Day"),
        "Alberta Family Day (Ca./Alberta)": ("AB", "Family Day"),
        "Heritage Day (Ca./Alberta)": ("AB", "Heritage Day"),
        "British Columbia Day (Ca./B.C.)": ("BC", "British Columbia Day"),
        "Civic Holiday (Ca./Manitoba)": ("MB", "Civic Holiday"),
        "New Brunswick Day (Ca./N.B.)": ("NB", "New Brunswick Day"),
        "St. Patrick's Day (Ca./New)": ("NL", "St. Patrick's Day"),
        "Civic Holiday (Ca./NW)": ("NT", "Civic Holiday"),
        "Civic Holiday (Ca./Ontario)": ("ON", "Civic Holiday"),
        "National Day (Ca./Quebec)": ("QC", "St. Jean Baptiste Day"),
        "Discovery Day (Ca./Yukon)": ("YT", "Discovery Day"),
        "St. George's Day (Ca./New)": ("NL", "St. George's Day"),
        "Discovery Day (Ca./New)": ("NL", "Discovery Day"),
        "Memorial Day (Ca./New)": ("NL", "Memorial Day"),
    },
    "uk": {
        "Boxing Day (UK)": (None, "Boxing Day"),
        "Christmas Day (UK)": (None, "Christmas Day"),
        "Easter Monday (UK)": (None, "Easter Monday [England, Wales, Northern Ireland]"),
        "Good Friday (UK)": (None, "Good Friday"),
        "Last May Monday Bank Holiday (UK)": (None, "Spring Bank Holiday"),
        "May Day Bank Holiday (UK)": (None, "May Day"),
        "New Year's Day (UK)": (None, "New Year's Day"),
        "St. Andrew's Day (UK)": (None, "St. Andrew's Day [Scotland]"),
        "Summer Bank Holiday (UK)":
        (None, "Late Summer Bank Holiday [England, Wales, Northern Ireland]"),
        "Queen Elizabeth II's Golden Jubilee": (None, "Golden Jubilee of Elizabeth II"),
        "St. Patrick's Day (UK/Ire)": (None, "St. Patrick's Day [Northern Ireland]"),
        "Boyne Day (UK/Ire)": (None, "Battle of the Boyne [Northern Ireland]"),
        "January Bank Holiday (UK/Sc)": (None, "New Year Holiday [Scotland]"),
        "Summer Bank Holiday (UK/Sc)": (None, "Summer Bank Holiday [Scotland]"),
    },
}

EASTER_WORDS = ("Easter", "Good Friday", "Mothering")
NOT_SUPPORTED = "Easter Calculation not supported for\n\rthe year "


def parse_date(text):
    return datetime.date.fromisoformat(text)


@functools.lru_cache(maxsize=None)
def library_year(country, subdivision, observed, year):
    kwargs = {"years": [year], "observed": observed}
    if subdivision is not None:
        kwargs[SUBDIVISION_ARG[country]] = subdivision
    return dict(LIBRARY_CLASS[country](**kwargs).items())


def has_name(value, name):
    # The library joins two holidays of one day with ", "; a name may itself
    # hold ", " (Martin Luther King, Jr. Day), so a plain split would not do.
    return (value == name or value.startswith(name + ", ") or value.endswith(", " + name)
            or (", " + name + ", ") in value)


def library_dates(country, subdivision, name, first, last, observed=False):
    found = set()
    for year in range(first.year, last.year + 1):
        for day, value in library_year(country, subdivision, observed, year).items():
            if first <= day <= last and has_name(value, name):
                found.add(day)
    return found


def run_cli(cli, country, year, month, second):
    command = [
        cli, "holidays", "--country", country, "--start-year",
        str(year), "--start-month", month, "--json"
    ]
    if second:
        command.append("--second-year")
    done = subprocess.run(command, capture_output=True, text=True, check=False)
    if done.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (" ".join(command), done.returncode,
                                                     done.stderr.strip()))
    return json.loads(done.stdout)


def command_line(country, year, month, second):
    return "custodex-cli holidays --country %s --start-year %d --start-month %s%s --json" % (
        country, year, month.lower(), " --second-year" if second else "")


def is_easter_caption(caption):
    return any(word in caption for word in EASTER_WORDS)


def nearest_monday(day):
    # Monday closest to the day (ties go forward): the library's NL rule.
    offset = -day.weekday()
    if offset < -3:
        offset += 7
    return day + datetime.timedelta(days=offset)


def classify(country, caption, side, day, entry, program, library):
    """Reason for one date found on one side only, and whether the program's
    own rules explain it ('rules') or not ('UNEXPLAINED')."""
    if is_easter_caption(caption) and side == "library only":
        if not (EASTER_FIRST <= day.year <= EASTER_LAST):
            if any(m == NOT_SUPPORTED + str(day.year) for m in entry["messages"]):
                return ("rules", "Easter table covers 1998-2051 only; the program shows the "
                        "not-supported message for that year")
            return ("UNEXPLAINED", "Easter outside the table but no not-supported message")
    if country == "uk" and caption == "Last May Monday Bank Holiday (UK)":
        if day.year == 2002:
            if side == "program only" and day == datetime.date(2002, 6, 4):
                return ("rules", "2002 Golden Jubilee move to June 4 (the library keeps "
                        "May 27, 2002)")
            if side == "library only" and day == datetime.date(2002, 5, 27):
                return ("rules", "2002 Golden Jubilee move to June 4 (the library keeps "
                        "May 27, 2002)")
        if day.year == 2012:
            return ("rules", "library moves 2012 to June 4 (Diamond Jubilee); the rules move "
                    "only 2002")
    if country == "uk" and caption == "May Day Bank Holiday (UK)" and day.year == 2020:
        return ("rules", "library moves 2020 to May 8 (VE Day); the rules have no such move")
    if country == "ca" and caption in ("St. Patrick's Day (Ca./New)",
                                       "St. George's Day (Ca./New)", "Discovery Day (Ca./New)"):
        if datetime.date(2010, 4, 19) in library and day.year == 2010:
            return ("rules", "library's one-off 2010 St. George's date (April 19); the "
                    "program's rule is the fixed date")
        if side == "library only" and day.weekday() == 0:
            return ("rules", "library uses the nearest Monday; the program's rule is the fixed "
                    "date (the hint's wording differs, the rule holds)")
        if side == "program only" and day not in library and nearest_monday(day) in library:
            return ("rules", "library uses the nearest Monday; the program's rule is the fixed "
                    "date (the hint's wording differs, the rule holds)")
    return ("UNEXPLAINED", "no rule explains it")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default="/work/main/build-d/src/custodex-cli")
    parser.add_argument("--countries", default="us,ca,uk")
    parser.add_argument("--first-year", type=int, default=FIRST_YEAR)
    parser.add_argument("--last-year", type=int, default=LAST_YEAR)
    parser.add_argument("--jobs", type=int, default=2, help="parallel runs, at most 2")
    parser.add_argument("--examples", type=int, default=2, help="examples per group")
    options = parser.parse_args()
    jobs = max(1, min(2, options.jobs))
    countries = [c for c in options.countries.split(",") if c]

    tasks = [(country, year, month, second) for country in countries
             for year in range(options.first_year, options.last_year + 1) for month in MONTHS
             for second in (False, True)]
    outputs = {}
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        futures = {pool.submit(run_cli, options.cli, *task): task for task in tasks}
        for future in concurrent.futures.as_completed(futures):
            outputs[futures[future]] = future.result()

    compared = collections.Counter()
    agreed = collections.Counter()
    differences = collections.defaultdict(list)  # (country, caption, verdict, reason) -> examples
    observed = collections.defaultdict(list)  # (country, caption) -> examples
    observed_hits = []  # program dates that are only the library's observed day
    skipped = collections.defaultdict(set)
    outside = []
    page_mismatch = []

    for task in tasks:
        country, year, month, second = task
        data = outputs[task]
        first = parse_date(data["selectedYear"]["from"])
        last = parse_date(data["selectedYear"]["to"])
        # The second page of a span is the first page of the span a year later.
        if second and (country, year + 1, month, False) in outputs:
            other = outputs[(country, year + 1, month, False)]
            if other["holidays"] != data["holidays"] or other["selectedYear"] != data[
                    "selectedYear"]:
                page_mismatch.append(command_line(*task))
        for entry in data["holidays"]:
            caption = entry["caption"]
            program = {parse_date(d) for d in entry["dates"]}
            for day in program:
                if not first <= day <= last:
                    outside.append((command_line(*task), caption, day.isoformat()))
            if caption not in REFERENCE[country]:
                skipped[country].add(caption)
                continue
            subdivision, name = REFERENCE[country][caption]
            library = library_dates(country, subdivision, name, first, last)
            compared[country] += 1
            shifted = library_dates(country, subdivision, name + " (Observed)", first, last,
                                    observed=True)
            for day in sorted(shifted):
                observed[(country, caption)].append((command_line(*task), day.isoformat()))
            if program == library:
                agreed[country] += 1
                continue
            for side, days in (("program only", program - library), ("library only",
                                                                       library - program)):
                for day in sorted(days):
                    if side == "program only" and day in shifted:
                        observed_hits.append((command_line(*task), caption, day.isoformat()))
                    verdict, reason = classify(country, caption, side, day, entry, program,
                                               library)
                    differences[(country, caption, verdict, reason)].append(
                        (command_line(*task), side, day.isoformat(),
                         sorted(d.isoformat() for d in program),
                         sorted(d.isoformat() for d in library)))

    print("custodex-cli holidays against python3-holidays %s (observed=False)" %
          holidays.__version__)
    print("start months %d-%d, both pages: %d CLI runs" %
          (options.first_year, options.last_year, len(tasks)))
    for country in countries:
        print("%s: %d holiday/selected-year pairs compared, %d agree, %d differ" %
              (country, compared[country], agreed[country], compared[country] - agreed[country]))
        print("  captions unknown to the library (skipped): %s" %
              "; ".join(sorted(skipped[country])))
    print()
    print("Differences by caption and reason (each line one date on one side):")
    if not differences:
        print("  none")
    unexplained = 0
    for key in sorted(differences):
        country, caption, verdict, reason = key
        examples = differences[key]
        if verdict != "rules":
            unexplained += len(examples)
        print("  [%s] %s / %s: %d - %s" % (verdict, country, caption, len(examples), reason))
        for example in examples[:options.examples]:
            print("      %s\n        %s %s; program %s, library %s" % example)
    print()
    print("Library observed (weekday-shifted) entries inside the ranges, not compared:")
    for key in sorted(observed):
        examples = observed[key]
        print("  %s / %s: %d, e.g. %s -> %s" % (key[0], key[1], len(examples), examples[0][0],
                                                 examples[0][1]))
    print("Program dates that equal only a library observed day: %d" % len(observed_hits))
    for hit in observed_hits[:5]:
        print("  %s: %s %s" % hit)
    print("Program dates outside the selected year: %d" % len(outside))
    for hit in outside[:5]:
        print("  %s: %s %s" % hit)
    print("Second pages differing from the next year's first page: %d" % len(page_mismatch))
    for line in page_mismatch[:5]:
        print("  " + line)
    print()
    print("Unexplained differences: %d" % unexplained)
    return 1 if unexplained or outside or page_mismatch or observed_hits else 0


if __name__ == "__main__":
    sys.exit(main())
