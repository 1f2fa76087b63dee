#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (tests/fuzz/corpus/<target>/).

The phone's answers come from the simulated phone with the demo phone's
data, exchanged over its pseudo-terminal as the program exchanges them; the
rest are cases the unit tests use, packed the way each target reads its
input. Run it again after changing a target's input layout; it only adds
files (named by content), so kept findings stay.
"""
import hashlib
import json
import os
import struct
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "phonesim"))
from phonesim.harness import PhoneSim  # noqa: E402

CORPUS = os.path.join(ROOT, "tests", "fuzz", "corpus")


def save(target: str, data: bytes) -> None:
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + hashlib.sha1(data).hexdigest()[:12]), "wb") as f:
        f.write(data)


def simulator_answers() -> dict:
    with open(os.path.join(ROOT, "tools", "phonesim", "demo_phone.json"), encoding="utf-8") as f:
        state = json.load(f)
    for kind in ("photos", "movies"):
        for item in state[kind]:
            item["file"] = os.path.join(ROOT, item["file"])
    answers = {}
    with tempfile.TemporaryDirectory() as work, PhoneSim(work, state=state) as sim, sim.connect() as port:
        for command in (b"ATE0", b"AT#PMODE=1", b"AT#PCKEY?", b"AT#PCKEY=471", b"AT+GMM", b"AT#PCMIT?",
                        b"AT#PUGSN?", b"AT#PBSEL?", b"AT#PBOKR=1", b"AT#PBOKR=3", b"AT#PBOKR=4", b"AT#PBOKR=7",
                        b"AT#PISHW=?", b"AT#PISHR=0", b"AT#PISHR=12", b"AT#PISHR=5", b"AT#PIMMR=0",
                        b"AT#PIMMR=5", b"AT#PMCGL?", b"AT#PMMGL?", b"AT#PMLUL=1,1", b"AT#PMLUL=1,2",
                        b"AT#PMMUL=1,1", b"AT#PMMUL=1,9", b"AT#PBOKR=99"):
            answers[command] = port.exchange(command, timeout=5.0)
    return answers


def main() -> None:
    a = simulator_answers()
    for c in (b"AT#PBSEL?", b"AT#PBOKR=1", b"AT#PBOKR=3", b"AT#PBOKR=4", b"AT#PBOKR=7", b"AT#PBOKR=99"):
        save("PhoneBookRecordFuzz", a[c])
    save("PhoneBookRecordFuzz", b'#PBSEL: "PH",3,"(1-500)"\r\n')
    save("PhoneBookRecordFuzz", b'#PBOKR: 0,0,5,"Name",123,,456,,,,,,,,"t1","t2",20050307T090503\r\nOK')
    for c in (b"AT#PISHW=?", b"AT#PISHR=0", b"AT#PISHR=12", b"AT#PISHR=5"):
        save("SchedulerRecordFuzz", a[c])
    save("SchedulerRecordFuzz", a[b"AT#PISHW=?"] + a[b"AT#PISHR=0"])
    for c in (b"AT#PIMMR=0", b"AT#PIMMR=5"):
        save("MemoRecordFuzz", a[c])
    save("MemoRecordFuzz", b'#PIMMR: 3,20050307T090503,"text\x01more"')
    for c in (b"AT#PCKEY?", b"AT+GMM", b"AT#PCMIT?", b"AT#PUGSN?"):
        save("SessionRepliesFuzz", a[c])
    save("SessionRepliesFuzz", b"#PCKEY: 0471\r\n+GMM: SCH-E250\r\n#PCMIT: +79501234567\r\n")
    for c in (b"AT#PBOKR=1", b"AT#PISHR=0", b"AT#PIMMR=0"):
        save("ReplyFieldsFuzz", b"\x05\x30\x1f\x04" + a[c])
    save("ReplyFieldsFuzz", b"\x00\x02\x1f\x09-123")
    save("MediaListingFuzz", b"\x00" + a[b"AT#PMCGL?"])
    save("MediaListingFuzz", b"\x01" + a[b"AT#PMMGL?"])
    # The raw transfers, and files framed by the target (flag, block size, bytes).
    save("MediaTransferFuzz", a[b"AT#PMLUL=1,1"][:1500])
    save("MediaTransferFuzz", a[b"AT#PMLUL=1,1"][:300] + a[b"AT#PMLUL=1,2"][-200:])
    save("MediaTransferFuzz", a[b"AT#PMMUL=1,1"][:1500] + a[b"AT#PMMUL=1,9"])
    save("MediaTransferFuzz", b"\x00\x10\x00\xff\xd8\xff\xe0\x00\x10JFIF\x7d\x22\x0d\x0a\x08")
    save("MediaTransferFuzz", b"\x01\x40\x00\x00\x00\x00\x18ftypmp42\x00\x7d\x22\x0d\x0a\x08\x22\x20\x00")
    save("UploadBlocksFuzz", b"\x00\xb4\x00\x00\x00\x00\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00\x00\x0a\x00"
                             b"\x00\x00\x00\x00\x00\x00" + bytes(range(256)))
    save("UploadBlocksFuzz", b"\x01\x8c\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xc8\x00"
                             b"\x00\x00\x00\x00\x00\x00" + b"12a")
    for stamp in (b"20050307T140509", b"19991231T235900", b"20301231T000000", b"20040229T000000",
                  b"21000229T120000", b"20050230T140509"):
        save("PhoneStampFuzz", struct.pack("<q", 1109887200) + stamp)
    save("CalendarMonthFuzz", b"\x02\x00\x00\x00\xd0\x07\x00\x00\x18\x01\x00\x00\xf0\x00\x00\x00\x01\x02\x03\x04")
    for text in (b"2005", b"  -12", b"+9223372036854775807", b"-9223372036854775809", b"12a", b"23", b"2100 "):
        save("DecimalTextFuzz", b"\x05\x00\x00\x00\x3b" + text)
    # Cell texts and tables: the same bytes read as each target's fields.
    for text in (b"\x02\x03phbook\x01O'Brien\x02-3,5\x01 \x0012\x01x",
                 b"\x01\x04\x01\x01' OR 1=1; --\x02\x01\x01\x03i_sched\x01\x03\x01Melody\x013\x01musik",
                 "\x05Отдел\x03\x02Имя\x02Номер\x0212,5\x02abc\x02-7\x02{\\}\n".encode("cp1251"),
                 b"\x03\x06title\x04note\nline\x03\x02a\x02b\x02c\x02\x011\x012.5\x01x,y\x01" + b"9" * 40):
        for target in ("SqlTextFuzz", "XlsWriterFuzz", "RtfWriterFuzz", "RowSortingFuzz", "TableRowsFuzz"):
            save(target, text)
    save("RowSortingFuzz", "\x01\x00\x00\x05\x03\x03Петров\x01\x02Иванов\x011\x03\x0210\x01\x029".encode("cp1251"))
    save("TableRowsFuzz", b"\x03\x01\x02\x03\x04\x04\x01My Bell 3\x01\x01\x01A\x01\x01\x01B\x01\x01\x01C")
    save("AtExchangeFuzz", b"\x01\x02" + a[b"AT#PBOKR=1"])
    save("AtExchangeFuzz", b"\x01\x01" + a[b"AT#PUGSN?"] + b"\r\nERROR\r\n")
    save("AtExchangeFuzz", b"\x00\x02OK\x00\x01" + b"\x00" * 300 + b"OK")
    interchange_seeds()


def interchange_seeds() -> None:
    """Files of the kinds the interchange readers take, as other programs write them."""
    save("Cp1251TextFuzz", "Иванов Пётр".encode("cp1251"))
    save("Cp1251TextFuzz", "Ёж € №".encode("utf-8"))
    save("Cp1251TextFuzz", b"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80" + "中".encode("utf-8"))
    save("VCardFileFuzz", b"BEGIN:VCARD\r\nVERSION:2.1\r\n"
                          b"N;CHARSET=windows-1251;ENCODING=QUOTED-PRINTABLE:=C8=E2=E0=ED=EE=E2;=CF=B8=F2=F0\r\n"
                          b"TEL;CELL;PREF:+79161234567\r\nTEL;HOME:4951234567\r\n"
                          b"NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=windows-1251:=C4=EB=E8=ED=0D=0A=\r\n=E2=F2=EE\r\n"
                          b"REV:20050102T000405Z\r\nEND:VCARD\r\n"
                          b"BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=KOI8-R:\xf0\xc5\xd4\xd2\xcf\xd7\nEND:VCARD\n")
    save("VCardFileFuzz", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Смирнова;Анна;;;\r\n"
                          "item1.TEL;TYPE=CELL:+7 903 111-22-33\r\nitem1.X-ABLabel:mobile\r\n"
                          "NOTE:Коллега\\, отдел\\; этаж\\nвторая строка с длинным текстом, ко\r\n"
                          " торый переносится\r\nREV:2024-03-01T07:00:00Z\r\nEND:VCARD\r\n".encode("utf-8"))
    save("ICalendarFileFuzz", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//y//RU\r\nBEGIN:VTIMEZONE\r\n"
                              "TZID:Europe/Moscow\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:1\r\n"
                              "DTSTART;TZID=Europe/Moscow:20240301T100000\r\nSUMMARY:Обед\\, зал\r\n"
                              "X-VELARMON-MELODY:bell\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\n"
                              "END:VALARM\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240308\r\n"
                              "X-VELARMON-CHOICE:05\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n".encode("utf-8"))
    save("ICalendarFileFuzz", b"BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
                              b"SUMMARY;CHARSET=WINDOWS-1251;ENCODING=QUOTED-PRINTABLE:=C7=E2=EE=ED=EE=EA=\r\n=21\r\n"
                              b"DTSTART:20050307T090000Z\r\nDALARM:20050307T084500Z;PT5M;2;\r\nEND:VEVENT\r\n"
                              b"END:VCALENDAR\r\n")
    save("CsvFileFuzz", "\ufeffName;Number;Имя\r\nИванов;\"+7; 916\";\"две\r\nстроки\"\r\n;;\r\n".encode("utf-8"))
    save("CsvFileFuzz", "Number,Name\n123,\"Петров, \"\"Иван\"\"\"\n\n".encode("cp1251"))
    save("CsvFileFuzz", b"sep=\t\r\nName\tx\r\na\tb\r\n")


if __name__ == "__main__":
    main()
