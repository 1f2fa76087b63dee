"""The Windows installer, run silently in a fresh Wine prefix: the program
folder, the Start-menu shortcut and its working folder, the uninstall entry,
and the database it makes (read back through ODBC); the program started from
the shortcut's folder reads the phone book into that database; a second
install keeps the rows; the uninstaller removes the program and leaves the
database. And velarmon-createdb.exe on its own: a schema statement that
fails is reported and leaves no database behind; a database that is there
already is left alone."""

import getpass
import re
import shutil
import sqlite3
import struct
import subprocess
import time

import transfers as t
import vmharness as h

SETUP = h.WIN_BUILD / "VelarMon-setup.exe"
CREATEDB = h.WIN_BUILD / "install" / "velarmon-createdb.exe"
QUERY = h.WIN_BUILD / "tools" / "odbc" / "odbcquery.exe"
SCHEMA = h.ROOT / "db" / "schema.sql"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelarMon"
PROGRAM_DIR = r"C:\Program Files (x86)\VelarMon"
PHONE_BOOK = h.ID["IDM_PHONEBOOK"]
TITLE = "Телефонная книга"
BOOK = [{"pos": 1, "name": "Мама", "numbers": ["0951234567", "", "", "", ""], "kinds": ["1", "2", "3", "4"],
         "text1": "дом", "text2": "", "stamp": "20051201T103000"},
        {"pos": 4, "name": "Такси «Ёж»", "numbers": ["0957654321", "0501112233", "", "", ""],
         "kinds": ["1", "2", "3", "4"], "text1": "", "text2": "круглосуточно", "stamp": "20060115T090000"}]


def schema_contents():
    """The tables and views db/schema.sql makes, and the rows it puts into
    each (texts as the database layer reads them back)."""
    text = SCHEMA.read_text(encoding="utf-8")
    tables = re.findall(r"^CREATE (?:TABLE|VIEW) (\w+)", text, re.M)
    rows = {name: [] for name in tables}
    for table, values in re.findall(r"^INSERT INTO (\w+) VALUES \((.*)\);$", text, re.M):
        fields = re.findall(r"'((?:[^']|'')*)'|(-?\d+)", values)
        rows[table].append([quoted.replace("''", "'") if quoted or not number else number
                            for quoted, number in fields])
    return tables, rows


def read_link(path):
    """Target and working folder of a shell link (.lnk) file."""
    data = path.read_bytes()
    flags, = struct.unpack_from("<I", data, 20)
    pos, target, strings = 76, None, {}
    if flags & 0x1:  # an item id list
        size, = struct.unpack_from("<H", data, pos)
        pos += 2 + size
    if flags & 0x2:  # link info, with the target's local path
        size, header, info_flags, _, base = struct.unpack_from("<IIIII", data, pos)
        if info_flags & 1:
            end = data.index(b"\0", pos + base)
            target = data[pos + base:end].decode("cp1251")
        pos += size
    unicode = bool(flags & 0x80)
    for bit, name in ((0x4, "name"), (0x8, "relative"), (0x10, "workdir"), (0x20, "args"), (0x40, "icon")):
        if flags & bit:
            count, = struct.unpack_from("<H", data, pos)
            size = count * 2 if unicode else count
            strings[name] = data[pos + 2:pos + 2 + size].decode("utf-16-le" if unicode else "cp1251").rstrip("\0")
            pos += 2 + size
    return target, strings.get("workdir")


class Installer(t.TransferTest):
    # -- in a fresh prefix of its own -------------------------------------------
    def fresh_prefix(self):
        """A newly made prefix with the machine's parts (fonts, COM ports, the
        Access driver) and no VelarMon; its wineserver is stopped at the end.
        Relative database names resolve in each process's current folder."""
        work = h.BUILD / "e2e" / "installer"
        prefix = work / "prefix"
        subprocess.run(["wineserver", "-k"], env=h.wine_env({"WINEPREFIX": str(prefix)}), stderr=subprocess.DEVNULL)
        shutil.rmtree(work, ignore_errors=True)
        work.mkdir(parents=True)
        subprocess.run([str(h.ROOT / "tools" / "wine" / "prepare_prefix.sh"), str(prefix)], env=h.wine_env(),
                       check=True, stdout=subprocess.DEVNULL)
        env = h.wine_env({"WINEPREFIX": str(prefix), "VELARMON_DB_DIR": "."})
        # Its server and service processes, started with their output
        # detached, so that they hold no pipe of the programs run later.
        subprocess.run(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run(["wine", "cmd", "/c", "exit"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True, timeout=60)

        def stop():
            subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=env, stderr=subprocess.DEVNULL)
            shutil.rmtree(prefix, ignore_errors=True)  # 700 MB
        self.addCleanup(stop)
        return work, prefix, env

    @staticmethod
    def install(env):
        """Runs the installer silently to its end; its exit code."""
        return h.wine(SETUP, "/S", env=env, timeout=120).returncode

    @staticmethod
    def wait_until(condition, timeout=60):
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                return False
            time.sleep(0.2)
        return True

    def test_install_start_reinstall_and_uninstall(self):
        work, prefix, env = self.fresh_prefix()
        drive_c = prefix / "drive_c"
        user_dir = drive_c / "users" / getpass.getuser()
        data = user_dir / "AppData" / "Roaming" / "VelarMon"
        data_windows = rf"C:\users\{getpass.getuser()}\AppData\Roaming\VelarMon"
        program = drive_c / "Program Files (x86)" / "VelarMon"
        menu = user_dir / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "VelarMon"
        database = data / "velarmon.mdb"

        self.assertEqual(self.install(env), 0)
        self.assertEqual(sorted(p.name for p in program.iterdir()),
                         ["schema.sql", "uninstall.exe", "velarmon-createdb.exe", "velarmon.exe"])
        self.assertEqual((program / "velarmon.exe").read_bytes(), h.EXE.read_bytes())
        self.assertEqual((program / "schema.sql").read_bytes(), SCHEMA.read_text("utf-8").encode("cp1251"))
        self.assertEqual(read_link(menu / "VelarMon.lnk"), (PROGRAM_DIR + r"\velarmon.exe", data_windows))
        self.assertEqual(read_link(menu / "Удалить VelarMon.lnk")[0], PROGRAM_DIR + r"\uninstall.exe")
        entry = h.wine("reg", "query", UNINSTALL_KEY, h.REG_VIEW, env=env).stdout.decode("cp1251")
        self.assertRegex(entry, r"DisplayName\s+REG_SZ\s+VelarMon\r?\n")
        self.assertIn(f'UninstallString    REG_SZ    "{PROGRAM_DIR}\\uninstall.exe"', entry)

        # Every table and view of the schema, and its rows, through ODBC.
        tables, schema_rows = schema_contents()
        r = h.wine(QUERY, *tables, env=env, cwd=data)
        self.assertEqual(r.returncode, 0, r.stdout.decode("cp1251", "replace"))
        expected = "".join(f"{table}\t{len(schema_rows[table])}\n" + "".join("\t".join(row) + "\n"
                                                                           for row in schema_rows[table])
                           for table in tables)
        self.assertEqual(r.stdout.decode("cp1251").replace("\r\n", "\n"), expected)
        self.assertGreater(len(schema_rows["i_phbook"]), 0)

        # The program, started through its shortcut, against the phone.
        s = h.ProgramSession("installer-program", database=False, sim_state={"key": "0471", "limits": {"phonebook": 5}, "phonebook": BOOK})
        self.addCleanup(s.stop)
        s.env = env
        s.start_phone()
        link = h.wine("winepath", "-w", menu / "VelarMon.lnk", env=env).stdout.decode().strip()
        started = subprocess.Popen(["wine", "start", "/wait", link], env=env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        s.programs.append(started)
        s.wait_frame(timeout_ms=60000)
        self.open_table(s, PHONE_BOOK, TITLE)
        self.exchange(s, t.RECEIVE, timeout_ms=60000)
        self.table_window(s, TITLE)
        s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
        s.wait_exit(started, timeout=30)
        s.stop()
        names = self.phone_book_names(database)
        self.assertEqual(names, [e["name"] for e in BOOK])

        # Installed again over it: the database and its rows stay.
        self.assertEqual(self.install(env), 0)
        self.assertEqual(self.phone_book_names(database), names)

        # Removed: the program, its shortcuts and its entry go; the data stays.
        # The uninstaller goes on from a copy of itself and returns at once.
        self.assertEqual(h.wine(program / "uninstall.exe", "/S", env=env).returncode, 0)
        self.assertTrue(self.wait_until(lambda: not program.exists()), "the program folder stays")
        self.assertFalse(menu.exists())
        self.assertNotEqual(h.wine("reg", "query", UNINSTALL_KEY, h.REG_VIEW, env=env).returncode, 0)
        self.assertEqual(self.phone_book_names(database), names)

    @staticmethod
    def phone_book_names(database):
        db = sqlite3.connect(database)
        db.text_factory = bytes
        try:
            return [row[0].decode("cp1251") for row in db.execute("SELECT name FROM phbook ORDER BY id")]
        finally:
            db.close()

    # -- the creation tool, in the slot's prefix --------------------------------
    def test_a_failing_statement_is_reported_and_an_existing_database_kept(self):
        work = h.BUILD / "e2e" / "createdb"
        shutil.rmtree(work, ignore_errors=True)
        work.mkdir(parents=True)
        env = h.wine_env({"VELARMON_DB_DIR": "."})
        bad = work / "bad.sql"
        bad.write_bytes("CREATE TABLE a (x INTEGER);\n\n-- the second\nCREATE TABLE b (y NOTATYPE(;\n"
                        "INSERT INTO a VALUES (1);\nINSERT INTO nowhere VALUES ('Ё');\n".encode("cp1251"))

        r = h.wine(CREATEDB, ".", "bad.sql", env=env, cwd=work)
        out = r.stdout.decode("cp1251").replace("\r\n", "\n")
        self.assertEqual(r.returncode, 1, out)
        self.assertRegex(out, r"Строка 4 схемы: CREATE TABLE b \(y NOTATYPE\(\n    .+\n"
                              r"Строка 6 схемы: INSERT INTO nowhere VALUES \('Ё'\)\n    .*nowhere.*\n"
                              r"База данных не создана: .*\\velarmon\.mdb\n$")
        self.assertFalse((work / "velarmon.mdb").exists())

        (work / "velarmon.mdb").write_bytes(b"someone's data")
        r = h.wine(CREATEDB, ".", h.WIN_BUILD / "install" / "schema.sql", env=env, cwd=work)
        self.assertEqual(r.returncode, 2, r.stdout.decode("cp1251", "replace"))
        self.assertEqual((work / "velarmon.mdb").read_bytes(), b"someone's data")


if __name__ == "__main__":
    h.main()
