#!/usr/bin/python3
# Reads published calendars and sheets back with independent libraries and prints what a
# calendar program or a spreadsheet would show, for the publishing tests to compare.
#   lies_zurueck.py ics FILE      every event: its summary, location and the start and end of
#                                 each occurrence in UTC, holidays left out
#   lies_zurueck.py tabellen DIR  the sheet names of stundenplan.xlsx, the cells of the sheets
#                                 named after it, and whether every sheet's CSV file says the same
import csv
import datetime
import sys

from dateutil import rrule


def ics(path):
    # The local times a calendar program shows: occurrences counted in local time (TZID) and
    # placed on the time line by the system's own zone data.
    import icalendar
    from zoneinfo import ZoneInfo
    cal = icalendar.Calendar.from_ical(open(path, 'rb').read())
    utc = datetime.timezone.utc
    for ev in cal.walk('VEVENT'):
        zone = ZoneInfo(str(ev.get('DTSTART').params['TZID']))
        start = ev.decoded('DTSTART').replace(tzinfo=None)
        dauer = ev.decoded('DTEND').replace(tzinfo=None) - start
        regel = ev.get('RRULE').to_ical().decode()
        aus = set()
        ex = ev.get('EXDATE')
        for liste in (ex if isinstance(ex, list) else [ex] if ex else []):
            for d in liste.dts:
                aus.add(d.dt.replace(tzinfo=None))
        tage = []
        for t in rrule.rrulestr(regel, dtstart=start.replace(tzinfo=zone)):
            t = t.replace(tzinfo=None)
            if t in aus:
                continue
            a = t.replace(tzinfo=zone).astimezone(utc)
            e = (t + dauer).replace(tzinfo=zone).astimezone(utc)
            tage.append(a.strftime('%m%dT%H%M') + '-' + e.strftime('%H%M'))
        print(ev.get('SUMMARY'), '@', ev.get('LOCATION', ''), ':', ' '.join(tage))


def zelle(wert):
    return '' if wert is None else str(wert).replace('\n', '/')


def knapp(zeilen):
    out = []
    for z in zeilen:
        while z and z[-1] == '':
            z = z[:-1]
        out.append(z)
    return out


def tabellen(ordner, namen):
    import openpyxl
    mappe = openpyxl.load_workbook(ordner + '/stundenplan.xlsx')
    print('|'.join(mappe.sheetnames))
    for blatt in mappe.worksheets:
        zeilen = [[zelle(c) for c in z] for z in blatt.iter_rows(values_only=True)]
        datei = open(ordner + '/' + namen[mappe.sheetnames.index(blatt.title)] + '.csv',
                     encoding='utf-8-sig', newline='')
        aus_csv = [[zelle(c) for c in z] for z in csv.reader(datei, delimiter=';')]
        if knapp(zeilen) != knapp(aus_csv):
            print('CSV anders:', blatt.title, aus_csv, zeilen)
        if blatt.title in sys.argv[4:]:
            for z in zeilen:
                print(';'.join(z))


if __name__ == '__main__':
    if sys.argv[1] == 'ics':
        ics(sys.argv[2])
    else:
        tabellen(sys.argv[2], sys.argv[3].split(','))
