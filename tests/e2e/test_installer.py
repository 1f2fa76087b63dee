"""The Windows installer, run silently in a fresh Wine prefix: the program
folder, the all-users Start-menu shortcut, the uninstall entry and the
versions; no database is made by the setup. The program, started from the
shortcut and from its program folder, makes and then uses the database in
the user's Documents\\VelarMon; another user gets one of their own; a data
folder the program cannot write is reported; a second install keeps the data
and the uninstaller leaves it. And velarmon-createdb.exe on its own: a schema
statement that fails is reported and leaves no database behind; a database
that is there already is left alone."""

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
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"
CAPTION = "Сообщение программы VelarMon:"
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


def unlock(prefix):
    """Takes back the immutable mark a test put on a data folder."""
    for folder in (prefix / "drive_c" / "users").glob("*/Documents/VelarMon"):
        subprocess.run(["chattr", "-i", str(folder)], stderr=subprocess.DEVNULL)


def registry_values(query):
    """Name to value of `reg query` output lines."""
    values = {}
    for line in query.splitlines():
        match = re.match(r"\s+(\S+)\s+REG_\w+\s+(.*)$", line)
        if match:
            values[match[1]] = match[2].rstrip()
    return values


def product_version(exe):
    """The ProductVersion text of an exe's version resource."""
    data = exe.read_bytes()
    key = "ProductVersion\0".encode("utf-16-le")
    pos = data.index(key) + len(key)
    pos += pos % 4  # the value starts on a 4-byte boundary
    end = data.index(b"\0\0", pos)
    end += (end - pos) % 2
    return data[pos:end].decode("utf-16-le")


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
        Access driver) and no VelarMon; its wineserver is stopped at the end."""
        work = h.BUILD / "e2e" / "installer"
        prefix = work / "prefix"
        subprocess.run(["wineserver", "-k"], env=h.wine_env({"WINEPREFIX": str(prefix)}), stderr=subprocess.DEVNULL)
        unlock(prefix)
        shutil.rmtree(work, ignore_errors=True)
        work.mkdir(parents=True)
        subprocess.run([str(h.ROOT / "tools" / "wine" / "prepare_prefix.sh"), str(prefix)], env=h.wine_env(),
                       check=True, stdout=subprocess.DEVNULL)
        env = h.wine_env({"WINEPREFIX": str(prefix)})
        # Its server and service processes, started with their output
        # detached, so that they hold no pipe of the programs run later.
        subprocess.run(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run(["wine", "cmd", "/c", "exit"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True, timeout=60)

        def stop():
            subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=env, stderr=subprocess.DEVNULL)
            unlock(prefix)
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

    def session(self, env, name, phone_book=()):
        s = h.ProgramSession(name, database=False,
                             sim_state={"key": "0471", "limits": {"phonebook": 5}, "phonebook": list(phone_book)})
        self.addCleanup(s.stop)
        s.env = env
        s.start_phone()
        return s

    def start(self, s, command, cwd=None):
        started = subprocess.Popen(command, env=s.env, cwd=cwd, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        s.programs.append(started)
        return started

    def run_frame(self, s, started, read_phone_book=False):
        """Waits for the frame (there already or not), reads the phone book if
        asked, and exits."""
        s.wait_frame(timeout_ms=60000)
        if read_phone_book:
            self.open_table(s, PHONE_BOOK, TITLE)
            self.exchange(s, t.RECEIVE, timeout_ms=60000)
            self.table_window(s, TITLE)
        s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
        s.wait_exit(started, timeout=30)
        s.stop()

    def test_install_then_each_user_gets_a_database_of_their_own(self):
        work, prefix, env = self.fresh_prefix()
        drive_c = prefix / "drive_c"
        data = drive_c / "users" / getpass.getuser() / "Documents" / "VelarMon"
        program = drive_c / "Program Files (x86)" / "VelarMon"
        menu = drive_c / "ProgramData" / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "VelarMon"
        database = data / "velarmon.mdb"

        self.assertEqual(self.install(env), 0)
        self.assertEqual(sorted(p.name for p in program.iterdir()), ["uninstall.exe", "velarmon.exe"])
        self.assertEqual((program / "velarmon.exe").read_bytes(), h.EXE.read_bytes())
        self.assertEqual(read_link(menu / "VelarMon.lnk"), (PROGRAM_DIR + r"\velarmon.exe", PROGRAM_DIR))
        self.assertEqual(read_link(menu / "Удалить VelarMon.lnk")[0], PROGRAM_DIR + r"\uninstall.exe")
        entry = registry_values(h.wine("reg", "query", UNINSTALL_KEY, h.REG_VIEW, env=env).stdout.decode("cp1251"))
        version = product_version(h.EXE)
        self.assertRegex(version, r"^\d+\.\d+\.\d+$")
        self.assertEqual(product_version(SETUP), version)
        self.assertEqual({k: entry[k] for k in ("DisplayName", "DisplayVersion", "Publisher", "DisplayIcon",
                                                "InstallLocation", "UninstallString")},
                         {"DisplayName": "VelarMon", "DisplayVersion": version, "Publisher": "VelarMon",
                          "DisplayIcon": PROGRAM_DIR + r"\velarmon.exe", "InstallLocation": PROGRAM_DIR,
                          "UninstallString": f'"{PROGRAM_DIR}\\uninstall.exe"'})
        self.assertGreater(int(entry["EstimatedSize"], 16), 0)
        self.assertFalse(data.exists(), "the setup made a data folder")

        # Started from its shortcut: a new database with every table and view
        # of the schema and its rows, read back through ODBC.
        s = self.session(env, "installer-program", BOOK)
        link = h.wine("winepath", "-w", menu / "VelarMon.lnk", env=env).stdout.decode().strip()
        self.run_frame(s, self.start(s, ["wine", "start", "/wait", link]))
        tables, schema_rows = schema_contents()
        r = h.wine(QUERY, *tables, env=env, cwd=data)
        self.assertEqual(r.returncode, 0, r.stdout.decode("cp1251", "replace"))
        expected = "".join(f"{table}\t{len(schema_rows[table])}\n" + "".join("\t".join(row) + "\n"
                                                                           for row in schema_rows[table])
                           for table in tables)
        self.assertEqual(r.stdout.decode("cp1251").replace("\r\n", "\n"), expected)
        self.assertGreater(len(schema_rows["i_phbook"]), 0)

        # Started in its program folder, as Explorer does: the same database.
        s = self.session(env, "installer-program", BOOK)
        self.run_frame(s, self.start(s, ["wine", "velarmon.exe"], cwd=program), read_phone_book=True)
        names = self.phone_book_names(database)
        self.assertEqual(names, [e["name"] for e in BOOK])
        self.assertEqual(sorted(p.name for p in program.iterdir()), ["uninstall.exe", "velarmon.exe"])

        # Another user, whose data folder cannot be written at first: the
        # driver's reason, then the connection error, and nothing left there.
        second_documents = r"C:\users\second\Documents"
        second = drive_c / "users" / "second" / "Documents" / "VelarMon"
        second.mkdir(parents=True)
        h.wine("reg", "add", SHELL_FOLDERS, "/v", "Personal", "/t", "REG_EXPAND_SZ", "/d", second_documents, "/f",
               env=env)
        subprocess.run(["chattr", "+i", str(second)], check=True)
        s = self.session(env, "installer-second")
        started = self.start(s, ["wine", "start", "/wait", link])
        box = s.msgbox(timeout_ms=60000)
        self.assertEqual((box.caption, box.icon), (CAPTION, "error"))
        # The reason is the driver's (Wine's installer library passes on only
        # its own "Request Failed").
        self.assertRegex(box.text, "^Не удалось подготовить базу данных программы.\n\n"
                                   f"Не удалось создать файл базы данных {re.escape(second_documents)}"
                                   r"\\VelarMon\\velarmon\.mdb: \S.*\n$")
        s.answer(box, 1)
        box = s.msgbox()
        self.assertEqual((box.caption, box.text, box.icon),
                         (CAPTION, "Ошибка при попытке соединения с БД.\nПроверьте наличие необходимого DSN.",
                          "error"))
        s.answer(box, 1)
        self.assertEqual(s.wait_exit(started, timeout=30), 0)
        s.stop()
        unlock(prefix)
        self.assertEqual(list(second.iterdir()), [])

        # Once it can be written: a database of their own, the first user's
        # untouched. While the program runs, the setup does not go on.
        s = self.session(env, "installer-second")
        started = self.start(s, ["wine", "start", "/wait", link])
        s.wait_frame(timeout_ms=60000)
        self.assertEqual(self.install(env), 3)
        self.assertEqual(sorted(p.name for p in program.iterdir()), ["uninstall.exe", "velarmon.exe"])
        self.run_frame(s, started)
        self.assertEqual(self.phone_book_names(second / "velarmon.mdb"), [])
        self.assertEqual(self.phone_book_names(database), names)

        # Installed again over it: both users' data stays.
        self.assertEqual(self.install(env), 0)
        self.assertEqual(self.phone_book_names(database), names)
        self.assertTrue((second / "velarmon.mdb").exists())

        # Removed: the program, its shortcuts and its entry go; the data stays.
        # The uninstaller goes on from a copy of itself and returns at once.
        self.assertEqual(h.wine(program / "uninstall.exe", "/S", env=env).returncode, 0)
        self.assertTrue(self.wait_until(lambda: not program.exists()), "the program folder stays")
        self.assertFalse(menu.exists())
        self.assertNotEqual(h.wine("reg", "query", UNINSTALL_KEY, h.REG_VIEW, env=env).returncode, 0)
        self.assertEqual(self.phone_book_names(database), names)
        self.assertTrue((second / "velarmon.mdb").exists())

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
        env = h.wine_env()
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
        r = h.wine(CREATEDB, ".", h.WIN_BUILD / "res" / "schema-cp1251.sql", env=env, cwd=work)
        self.assertEqual(r.returncode, 2, r.stdout.decode("cp1251", "replace"))
        self.assertEqual((work / "velarmon.mdb").read_bytes(), b"someone's data")


if __name__ == "__main__":
    h.main()
