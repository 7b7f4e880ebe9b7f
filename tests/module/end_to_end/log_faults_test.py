#!/usr/bin/env python3
"""Faults of the host's log database, end to end: the reference host under Wine on the real DLL, its log a
SQLite file through the SQLite ODBC driver or a database of the run's PostgreSQL server through psqlODBC.

Another process (this one, through Python's sqlite3 or psql) locks the log, drops its table, fills it with
values of other types or a million rows, and checks afterwards that no row was lost or changed. The reports
the module must show are counted from the rows by the tests' own model of the rules (tally_model.py).

usage: log_faults_test.py ZQTDRIVER_EXE MODULE_DLL sqlite|postgresql   (WINEPREFIX, DISPLAY and, for
postgresql, ZQT_PG_* from the sessions)
"""

import contextlib
import hashlib
import os
import shutil
import sqlite3
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "support"))
from host_driver import Host, PostgresDatabase, box_text, pg_connection_string, psql
from tally_model import AREA_COLUMNS, HOST_COLUMNS, LOG_COLUMNS, create_table_sql, rebuilt_report

DRIVER_EXE = ""
MODULE_DLL = ""

STATE_ALIVE = "state: exists=1 visible=1 iconic=0 button-enabled=1 "
K1AA = ("K1AA", "20m", "RTTY", "NA", "599", "K1", "K")
DL1ABC = ("DL1ABC", "20m", "RTTY", "EU", "599", "DL1", "DL")


def host_row(qso, number=0):
    """A row of the host's table: the seven columns, then date, time, frequency and both exchanges."""
    return tuple(qso) + ("20240928", f"{number % 2400:04d}", "14085", "599 25", f"599 {number % 40 + 1:02d}")


def contest_rows(count, distinct=None):
    """`count` rows of a contest log; from row `distinct` on the rows repeat from the first (dupes). Three
    QSOs per call on two or three bands; here and there the third differs from the first only in the letter
    case of its call or mode, and entities, continents and call areas come in lower case."""
    entities = (("JA", "AS", "JA"), ("K", "NA", "W"), ("VE", "NA", "VE"), ("VK", "OC", "VK"),
                ("DL", "EU", "DL"), ("ZS", "af", "ZS"), ("PY", "SA", "PY"), ("ja", "AS", "JA"),
                ("K", "NA", "N"), ("UA9", "as", "UA9"), ("OH", "eu", "OH"), ("KH6", "OC", "KH6"))
    bands = ("160m", "80m", "40m", "20m", "15m", "10m")
    distinct = distinct or count
    for number in range(count):
        i = number % distinct
        c = i // 3
        dxcc, continent, prefix = entities[c % len(entities)]
        digit = (c // len(entities)) % 10
        suffix = ""
        rest = c // (len(entities) * 10)
        while True:
            suffix += chr(ord("A") + rest % 26)
            rest //= 26
            if rest == 0:
                break
        call, band, mode = f"{prefix}{digit}{suffix}", bands[(i % 3) * 2 + c % 2], "RTTY"
        if i % 3 == 2 and c % 7 == 0:
            call, band = call.lower(), bands[c % 2]
        elif i % 3 == 2 and c % 11 == 0:
            band, mode = bands[c % 2], "rtty"
        area = f"{dxcc}{digit}" if dxcc in AREA_COLUMNS else f"{prefix}{digit}"
        yield host_row((call, band, mode, continent, "599", area.lower() if c % 5 == 0 else area, dxcc), number)


class SqliteLog:
    """The log as a SQLite file of the test's own: the host reaches it through the SQLite ODBC driver, this
    process through Python's sqlite3."""
    MISSING_TABLE = "no such table: Log"

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="zqt-log-faults-")
        self.path = os.path.join(self.folder, "log.db")

    def drop(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def connection_string(self, options=""):
        return f"DRIVER=SQLite3;Database={self.path};{options}"

    def connect(self, timeout=30):
        return contextlib.closing(sqlite3.connect(self.path, timeout=timeout, isolation_level=None))

    def execute(self, sql):
        with self.connect() as connection:
            connection.execute(sql)

    def create_table(self, table, rows, columns=HOST_COLUMNS, types="TEXT"):
        with self.connect() as connection:
            connection.execute(create_table_sql(table, columns, types))
            connection.execute("BEGIN")
            connection.executemany(f"INSERT INTO {table} VALUES (" + ", ".join("?" * len(columns)) + ")", rows)
            connection.execute("COMMIT")

    def rows(self, table="Log"):
        with self.connect() as connection:
            return connection.execute(f"SELECT * FROM {table} ORDER BY rowid").fetchall()

    def content(self, table="Log"):
        """Row count and a digest of every value with its type, in storage order."""
        digest = hashlib.sha256()
        count = 0
        with self.connect() as connection:
            for row in connection.execute(f"SELECT * FROM {table} ORDER BY rowid"):
                digest.update(repr(row).encode())
                count += 1
        return f"{count} {digest.hexdigest()}"

    def log_texts(self, table):
        """The seven columns of every row as the SQLite ODBC driver hands them to a text buffer: a blob in
        SQLite's literal form X'..', any other value as SQLite's own text of it."""
        forms = ", ".join(f"CASE typeof({c}) WHEN 'blob' THEN quote({c}) WHEN 'null' THEN '' "
                          f"ELSE CAST({c} AS TEXT) END" for c in LOG_COLUMNS)
        with self.connect() as connection:
            return connection.execute(f"SELECT {forms} FROM {table}").fetchall()


class PostgresLog(PostgresDatabase):
    """The log as a database of the run's PostgreSQL server: the host reaches it through psqlODBC, this
    process through psql."""
    MISSING_TABLE = 'relation "log" does not exist'

    def __init__(self):
        super().__init__("zqt_log_faults")

    def connection_string(self, options=""):
        return pg_connection_string(self.name, options=options)

    def execute(self, sql):
        psql(self.name, sql)

    def create_table(self, table, rows, columns=HOST_COLUMNS):
        psql(self.name, create_table_sql(table, columns))
        psql(self.name, f"copy {table} from stdin", stdin="".join("\t".join(row) + "\n" for row in rows))

    def rows(self, table="log"):
        lines = psql(self.name, f"select {', '.join(HOST_COLUMNS)} from {table} order by ctid")
        return [tuple(line.split("|")) for line in lines.splitlines()]

    def log_texts(self, table):
        """The seven columns of every row as psqlODBC hands them to a text buffer: a bytea value in hex
        digits, as ODBC turns binary data into characters, any other value as the server's text of it."""
        types = dict(line.split("|") for line in psql(
            self.name, f"select column_name, data_type from information_schema.columns "
                       f"where table_name = '{table.lower()}'").splitlines())
        forms = ", ".join(f"coalesce(encode({c}, 'hex'), '')" if types[c.lower()] == "bytea" else
                          f"coalesce({c}::text, '')" for c in LOG_COLUMNS)
        # One column of tab-separated texts, so that no value can hold the separator psql puts between columns.
        lines = psql(self.name, f"select concat_ws(E'\\t', {forms}) from {table}")
        return [tuple(line.split("\t")) for line in lines.splitlines()]


class LogFaults:
    """What both engines must do; the engine classes below add what only one of them shows."""
    ENGINE = None
    # The connection options a host would use for a large log.
    LARGE_LOG = ""

    def setUp(self):
        self.log = self.ENGINE()
        self.hosts = []

    def tearDown(self):
        for host in self.hosts:
            host.kill()
        self.log.drop()

    def start_host(self, options="", table="Log"):
        host = Host(DRIVER_EXE, MODULE_DLL, "zqtdriver", self.log.connection_string(options), table=table)
        self.hosts.append(host)
        host.do("info")  # the host is connected and has found its table
        return host

    def assert_alive(self, host):
        state = host.do("state")[-1]
        self.assertTrue(state.startswith(STATE_ALIVE), state)

    def assert_alive_and_finish(self, host):
        self.assert_alive(host)
        self.assertEqual(host.finish(), 0, "\n".join(host.output))

    def assert_no_box(self, host):
        self.assertNotIn("box:", "\n".join(host.output))

    def check_typed_table(self, table):
        """Rebuilds from a table of values of other types than text: the report is the one of their texts."""
        content = self.log.content(table)
        host = self.start_host(table=table)
        host.do("run")
        report = host.report()
        self.assertEqual(report, rebuilt_report(self.log.log_texts(table)), table)
        self.assert_alive_and_finish(host)
        self.assert_no_box(host)
        self.assertEqual(self.log.content(table), content)
        return report

    def fail_rebuild_after_its_statement_ran(self, host):
        """The module rebuilds from a table without QSOReportRecived: the statement runs, and the first row
        raises the missing column, named in the whole text of the box."""
        host.do("table Thin")
        self.assertEqual(box_text(host.do("run")), "LogQuery: Field 'QSOReportRecived' not found.")

    def create_thin_table(self):
        self.log.create_table("Thin", ((f"K{i}AA", "20m") for i in range(1000)), columns=("CallSign", "DigiBand"))

    def test_table_dropped_between_two_recalcs_shows_the_engines_message_until_it_is_back(self):
        rows = list(contest_rows(300))
        self.log.create_table("Log", rows)
        content = self.log.content()
        report = rebuilt_report(rows)
        host = self.start_host()
        host.do("run")
        self.assertEqual(host.report(), report)

        self.log.execute("DROP TABLE Log")
        self.assertIn(self.log.MISSING_TABLE, box_text(host.do("recalc")))
        self.assert_alive(host)
        self.assertEqual(host.report(), "")

        self.log.create_table("Log", rows)
        host.do("recalc")
        self.assertEqual(host.report(), report)
        self.assert_alive_and_finish(host)
        self.assertEqual(self.log.content(), content)

    def test_a_million_row_log_gives_the_report_counted_here(self):
        rows = 1_000_000
        self.log.create_table("Log", contest_rows(rows, distinct=700_000))
        content = self.log.content()
        host = self.start_host(self.LARGE_LOG)
        host.do("run", timeout=600)
        report = host.report()
        self.assertEqual(report, rebuilt_report(contest_rows(rows, distinct=700_000)))
        self.assert_alive_and_finish(host)
        self.assert_no_box(host)
        self.assertEqual(self.log.content(), content)


class SqliteLogFaults(LogFaults, unittest.TestCase):
    ENGINE = SqliteLog

    def test_locked_log_is_waited_for_as_long_as_the_connection_allows(self):
        rows = list(contest_rows(200))
        self.log.create_table("Log", rows)
        content = self.log.content()
        host = self.start_host("Timeout=300000;")
        host.do("run")

        with self.log.connect() as locker:
            locker.execute("BEGIN EXCLUSIVE")
            host.send("recalc")
            self.assertTrue(host.silent_for(2), "the rebuild did not wait for the lock")
            locker.execute("ROLLBACK")
        host.expect("recalc:")
        self.assertEqual(host.report(), rebuilt_report(rows))
        self.assert_no_box(host)
        self.assert_alive_and_finish(host)
        self.assertEqual(self.log.content(), content)

    def test_lock_held_past_the_connections_timeout_shows_the_engines_message(self):
        rows = list(contest_rows(200))
        self.log.create_table("Log", rows)
        content = self.log.content()
        host = self.start_host("Timeout=200;")
        host.do("run")

        with self.log.connect() as locker:
            locker.execute("BEGIN EXCLUSIVE")
            self.assertIn("database is locked", box_text(host.do("recalc")))
            self.assert_alive(host)
            self.assertEqual(host.report(), "")
            locker.execute("ROLLBACK")
        host.do("recalc")
        self.assertEqual(host.report(), rebuilt_report(rows))
        self.assert_alive_and_finish(host)
        self.assertEqual(self.log.content(), content)

    def test_values_of_other_types_count_in_the_drivers_text(self):
        # Columns without a declared type keep every value as it was stored. Each table holds rows of one
        # other type in all seven columns, the first row among them, and beside them rows that repeat those
        # values as text: as the same QSO (call, band or mode in text), or as a new QSO with the entity,
        # continent or call area in text. Counted in any other text, the report would differ.
        kinds = {
            "integer": [7, 42, 1234567890123],
            "real": [2.5, 0.1, 1e20, 1 / 3],
            "blob": [b"K", b"EU", b"dl", b"DL", b"\x00\xff", bytes(range(150))],
        }
        with self.log.connect() as connection:
            text = {value: connection.execute(
                "SELECT CASE typeof(?1) WHEN 'blob' THEN quote(?1) ELSE CAST(?1 AS TEXT) END",
                (value,)).fetchone()[0] for values in kinds.values() for value in values}
        reports = []
        for kind, values in kinds.items():
            # Calls sort by type, numbers before text before blobs: with blobs the first row is a text call.
            call = (lambda c: c.encode()) if kind == "blob" else str
            typed = [tuple(values[(j + k) % len(values)] for k in range(7)) for j in range(len(values))]
            rows = list(typed)
            for j, row in enumerate(typed):
                rows.append((row[0], text[row[1]], text[row[2]]) + row[3:])  # the same QSO: band and mode
                rows.append((text[row[0]],) + row[1:])  # the same QSO: call
                rows.append((call(f"T{j}AA"), "20m", "RTTY", text[row[3]], "599", "X", text[row[6]]))
                rows.append((call(f"W{j}AA"), "20m", "RTTY", "NA", row[4], row[5], "K"))
                rows.append((call(f"N{j}AA"), "20m", "RTTY", "NA", "599", text[row[5]], "K"))
            table = f"Typed_{kind}"
            self.log.create_table(table, rows, columns=LOG_COLUMNS, types="")
            reports.append(self.check_typed_table(table))
        # The texts of each type, as the continents show them.
        self.assertTrue(reports[0].endswith("Cont(4)\t1234567890123\t42\t7\tNA"), reports[0])
        self.assertTrue(reports[1].endswith("Cont(5)\t0.1\t0.333333333333333\t1.0E+20\t2.5\tNA"), reports[1])
        long_blob = ("X'" + bytes(range(150)).hex().upper())[:255]  # a value keeps 255 characters
        self.assertTrue(reports[2].endswith(f"\tNA\t{long_blob}\tX'00FF'\tX'444C'\tX'4555'\tX'4B'\tX'646C'"),
                        reports[2])

    def test_failed_rebuild_leaves_the_log_free_for_another_writer_and_the_next_qso(self):
        # StepAPI=1 steps through the rows as they are fetched: a statement left open keeps SQLite's read
        # lock on the file, and no other process can write to the log until the host runs its next statement.
        self.log.create_table("Log", [host_row(K1AA)])
        self.create_thin_table()
        host = self.start_host("StepAPI=1;")
        self.fail_rebuild_after_its_statement_ran(host)

        with self.log.connect(timeout=2) as writer:
            try:
                writer.execute(f"INSERT INTO Log ({', '.join(LOG_COLUMNS)}) VALUES (?, ?, ?, ?, ?, ?, ?)", DL1ABC)
            except sqlite3.OperationalError as error:
                self.fail(f"another process cannot write to the log after the failed rebuild: {error}")
        host.do("qso K2AA\t20m\tRTTY\tNA\tK2\tK")
        self.assertEqual(host.do("log")[-1], "log: getscore=1 addqso=1")
        rows = [row[:7] for row in self.log.rows()]
        self.assertEqual(rows, [K1AA, DL1ABC, ("K2AA", "20m", "RTTY", "NA", "", "K2", "K")])
        self.assert_alive_and_finish(host)


class PostgresLogFaults(LogFaults, unittest.TestCase):
    ENGINE = PostgresLog
    LARGE_LOG = "UseDeclareFetch=1;Fetch=1000;"

    def test_values_of_other_types_count_in_the_drivers_text(self):
        # Each table holds one other type in all seven columns, or a mix beside text entities; the first row
        # is read value by value, the later ones in bound blocks. Letter case in bytea: "dl" and "DL" are two
        # entities, "k1" and "K1" two call areas, in hex.
        tables = {
            "integer": ("integer", ["7", "42", "2147483647", "0"]),
            "double": ("double precision", ["2.5", "0.1", "1e20", "1/3.0"]),
            "bytea": ("bytea", ["'K'", "'EU'", "'dl'", "'DL'", "'\\x00ff'", f"'\\x{bytes(range(150)).hex()}'"]),
        }
        reports = {}
        for name, (sql_type, values) in tables.items():
            table = f"typed_{name}"
            rows = ", ".join("(" + ", ".join(values[(j + k) % len(values)] for k in range(7)) + ")"
                             for j in range(len(values)))
            self.log.execute(f"{create_table_sql(table, LOG_COLUMNS, sql_type)}; insert into {table} values "
                             f"{rows}")
            reports[name] = self.check_typed_table(table)
        types = ["integer", "double precision", "bytea", "text", "bytea", "bytea", "text"]
        self.log.execute(
            f"{create_table_sql('typed_mixed', LOG_COLUMNS, types)}; insert into typed_mixed values "
            "(1, 14.0, 'RTTY', 'NA', '599', 'k1', 'K'), (2, 14.0, 'RTTY', 'NA', '599', 'K1', 'K'), "
            "(1, 14.0, 'RTTY', 'NA', '59', 'k1', 'K'), (3, 7.05, 'rtty', 'NA', '599', 'K2', 'K'), "
            "(4, 1e20, 'RTTY', 'AS', '599', 'JA1', 'JA')")
        reports["mixed"] = self.check_typed_table("typed_mixed")
        # The texts of each type, as the continents and counts show them.
        self.assertTrue(reports["integer"].endswith("Cont(4)\t0\t2147483647\t42\t7"), reports["integer"])
        self.assertTrue(reports["double"].endswith("Cont(4)\t0.1\t0.3333333333333333\t1E+20\t2.5"),
                        reports["double"])
        self.assertTrue(reports["bytea"].endswith("\t00FF\t444C\t4555\t4B\t646C"), reports["bytea"])
        self.assertIn("Total\t   4\t   2\t   1\t   3\t", reports["mixed"])

    def test_failed_rebuild_leaves_no_transaction_for_the_server_to_end_under_the_next_qso(self):
        # UseDeclareFetch=1 reads the rows through a cursor inside a transaction: a statement left open
        # leaves the session idle in that transaction, and a server that ends such sessions after a while
        # (idle_in_transaction_session_timeout, here for this database) takes the host's connection with it.
        self.log.create_table("Log", [host_row(K1AA)])
        self.create_thin_table()
        psql("postgres", f"alter database {self.log.name} set idle_in_transaction_session_timeout = '200ms'")
        host = self.start_host("UseDeclareFetch=1;Fetch=100;")
        self.fail_rebuild_after_its_statement_ran(host)

        host.do("pump 1000")  # the operator between two QSOs
        host.do("qso K2AA\t20m\tRTTY\tNA\tK2\tK")
        self.assertEqual(host.do("log")[-1], "log: getscore=1 addqso=1")
        rows = [row[:7] for row in self.log.rows()]
        self.assertEqual(rows, [K1AA, ("K2AA", "20m", "RTTY", "NA", "", "K2", "K")])
        self.assert_alive_and_finish(host)


if __name__ == "__main__":
    DRIVER_EXE, MODULE_DLL = sys.argv[1], sys.argv[2]
    engine = {"sqlite": SqliteLogFaults, "postgresql": PostgresLogFaults}[sys.argv[3]]
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(engine)
    sys.exit(0 if unittest.TextTestRunner(verbosity=2).run(suite).wasSuccessful() else 1)
