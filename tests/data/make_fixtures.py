#!/usr/bin/env python3
"""Writes the calendar fixtures in this folder. Run it again after changing a case here."""
import datetime
import os

HERE = os.path.dirname(os.path.abspath(__file__))
WEEKDAYS = ["MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY", "FRIDAY", "SATURDAY", "SUNDAY"]
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]


def days(start_year, start_month, months):
    day = datetime.date(start_year, start_month, 1)
    end_month = (start_month - 1 + months) % 12 + 1
    end_year = start_year + (start_month - 1 + months) // 12
    end = datetime.date(end_year, end_month, 1)
    while day < end:
        yield day
        day += datetime.timedelta(days=1)


def unmarked(day):
    return f"{day.day}!{MONTHS[day.month - 1]}!{WEEKDAYS[day.weekday()]}!False!!False!!!;"


TRAILER = [
    "BACKGRNDCOL=16777215", "DAYVISITCOL=0", "OVERNITECOL=12632256",
    "07:30PM", "09:00AM", "<None>", "<None>",
    "OVERNITEHOURS=24:00", "SLEEPTIME=08:00", "DAYVISITHOURS=12:00", "NAPTIME=01:30",
    "HOURLYERRORS", "QTOTOVRNITES=3", "QTOTDAYVISITS=2", "QTOTOVRNITEMINS=4320",
    "QTOTDAYVISITMINS=600",
]


def write(name, lines):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


def mixed():
    """Two years from January 2023 with the older layouts, junk and keys the reader handles."""
    special = {
        datetime.date(2023, 3, 15): "15!March!WEDNESDAY!True!Weekend!False!!07:30PM - 09:00AM!;",
        datetime.date(2023, 7, 7): "7!July!FRIDAY!True!Camp (No Nap)!False!;",
        datetime.date(2023, 7, 8): "8!july!SATURDAY!True!*Note (No Nap)!True!Grand;ma!<None> - <None>!01:00PM - 05:00PM;",
        datetime.date(2023, 7, 9): "9!July!SUNDAY!True!*Annotation!False!!12:00PM - 06:00PM!;",
        datetime.date(2024, 2, 29): "29!February!THURSDAY!True!!True!NN-Zoo!!09:00AM - 11:00AM!;",
    }
    lines = ["Whatever Is Here", "2023"]
    for day in days(2023, 1, 24):
        lines.append(special.get(day, unmarked(day)))
    lines += ["", "junk between the days and the trailer", "031!December!SUNDAY!False!!False!!!;"]
    lines += TRAILER[:11] + ["HOURLY"] + TRAILER[12:] + [
        "AUTHOR=" + "A" * 60,
        "TITLE=Guardian ad litem",
        "NONCUSTODIALNAME=Father",
        "CUSTODIALNAME=Mother",
        "EXCLUSION=Soccer practice",
        "EXCLUSION=HOURLY swim",
    ]
    write("Jones.Smith.cdb", lines)


def one_year():
    """The older twelve-month file: 365 records from January 2023."""
    lines = ["OneYear", "2023"]
    for day in days(2023, 1, 12):
        if day == datetime.date(2023, 12, 25):
            lines.append("25!December!MONDAY!True!Christmas!False!;")
        else:
            lines.append(f"{day.day}!{MONTHS[day.month - 1]}!{WEEKDAYS[day.weekday()]}!False!!False!;")
    write("OneYear.cdb", lines + TRAILER)


if __name__ == "__main__":
    mixed()
    one_year()
