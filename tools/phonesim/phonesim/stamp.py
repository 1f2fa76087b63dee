"""The phone time stamp YYYYMMDDTHHMMSS, as the phone checks it.

A CDMA phone counts time from the GPS epoch, 6 January 1980, so the simulated
phone refuses earlier dates; 2099 is an arbitrary upper end.
"""

import calendar

FIRST_YEAR = 1980
LAST_YEAR = 2099


def is_valid(stamp: bytes) -> bool:
    if len(stamp) != 15 or stamp[8:9] != b"T":
        return False
    digits = stamp[:8] + stamp[9:]
    if not all(0x30 <= b <= 0x39 for b in digits):
        return False
    year, month, day = int(stamp[0:4]), int(stamp[4:6]), int(stamp[6:8])
    hour, minute, second = int(stamp[9:11]), int(stamp[11:13]), int(stamp[13:15])
    if not FIRST_YEAR <= year <= LAST_YEAR or not 1 <= month <= 12:
        return False
    if not 1 <= day <= calendar.monthrange(year, month)[1]:
        return False
    return hour <= 23 and minute <= 59 and second <= 59
