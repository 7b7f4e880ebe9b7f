#!/usr/bin/env python3
"""Several positions on one PostgreSQL log, end to end: reference hosts under Wine, each its own process and
window, loading the real DLL, on the cluster that scripts/postgres-session.sh started for the run.

Each host reads its script from standard input, so the test drives the positions step by step, stops and
starts the server between steps, and checks the log table with psql after every fault: no row lost or changed.

usage: multi_position_test.py ZQTDRIVER_EXE MODULE_DLL   (WINEPREFIX, DISPLAY and ZQT_PG_* from the sessions)
"""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "support"))
from host_driver import ROOT, Host, PostgresDatabase, box_text, pg_connection_string, psql, windows_path
from tally_model import LOG_COLUMNS, create_table_sql, totals

SESSION = os.path.join(ROOT, "scripts", "postgres-session.sh")
LOG_FILE = os.path.join(ROOT, "data", "logs", "cqww-rtty-2024-7n2uqc.log")
DRIVER_EXE = ""
MODULE_DLL = ""

LARGE_LOG_ROWS = 200_000
# What psqlODBC says when its session ends under it: the server's own word when it arrived before the
# connection closed, else the socket's.
LOST_CONNECTION = (r"(terminating connection due to administrator command|server closed the connection "
                   r"unexpectedly)(.|\n)*The connection has been lost")


def cluster(action):
    """Stops or starts the run's server, as the server's owner does with pg_ctl."""
    subprocess.run(["bash", "-c", f'. "{SESSION}" && pg_cluster_{action}'], check=True, timeout=120)


class PositionsTestCase(unittest.TestCase):
    def setUp(self):
        self.database = PostgresDatabase("zqt_positions")
        self.hosts = []

    def tearDown(self):
        for host in self.hosts:
            host.kill()
        self.database.drop()

    def start_host(self, name, **options):
        connect = pg_connection_string(self.database.name, options.pop("user", None), options.pop("options", ""))
        host = Host(DRIVER_EXE, MODULE_DLL, name, connect, **options)
        self.hosts.append(host)
        return host


class SharedLog(PositionsTestCase):
    CHUNK = 40

    def test_positions_on_one_log_show_the_report_of_one_host_with_the_whole_log(self):
        first = self.start_host("Position 1")
        first.do("info")  # the host has created the shared table before the others start
        positions = [first, self.start_host("Position 2"), self.start_host("Position 3")]
        for host in positions[1:]:
            host.do("info")
        for host in positions:
            host.do("run")

        # The log in chunks, round robin, the positions logging at the same time.
        qsos = 615
        logged = 0
        chunks = [(start, min(start + self.CHUNK - 1, qsos)) for start in range(1, qsos + 1, self.CHUNK)]
        for round_start in range(0, len(chunks), len(positions)):
            busy = []
            for host, (first_qso, last_qso) in zip(positions, chunks[round_start:round_start + len(positions)]):
                host.send(f"replay {first_qso} {last_qso} {windows_path(LOG_FILE)}")
                busy.append(host)
                logged += last_qso - first_qso + 1
            for host in busy:
                host.expect("replay:")
        # Cross-position duplicates: QSOs that position 1 logged, logged again at positions 2 and 3. Their own
        # tallies do not know them, so neither calls them a dupe; the shared log holds them twice.
        for host in positions[1:]:
            lines = host.do(f"replay 1 5 {windows_path(LOG_FILE)}")
            self.assertEqual([line for line in lines if line.startswith("dupe:")], [])
            logged += 5
        self.assertEqual(psql(self.database.name, "select count(*) from log"), str(logged))
        before = [host.report() for host in positions]

        single = self.start_host("Single", table="Single")
        single.do("run")
        single.do(f"replay 1 {qsos} {windows_path(LOG_FILE)}")
        single.do("recalc")
        alone = single.report()
        self.assertGreater(totals(alone)["QSO"], 500)

        for host in positions:
            host.do("recalc")
        after = [host.report() for host in positions]
        for report in before:
            self.assertLess(totals(report)["QSO"], totals(alone)["QSO"], "a position showed more than its share")
        self.assertEqual(after, [alone] * len(positions))
        for host in positions + [single]:
            self.assertNotIn("box:", "\n".join(host.output))
            self.assertEqual(host.finish(), 0)
        self.assertEqual(psql(self.database.name, "select count(*) from log"), str(logged))


class ServerFaults(PositionsTestCase):
    def make_log(self, rows):
        psql(self.database.name, create_table_sql("Log"))
        psql(self.database.name,
             f"insert into Log ({', '.join(LOG_COLUMNS)}) select 'W' || i, "
             f"(array['10M','15M','20M','40M','80M'])[1 + i % 5], 'RTTY', 'NA', '599', 'W' || (i % 10), 'K' "
             f"from generate_series(1, {rows}) i")
        return self.database.content()

    def wait_for_chunked_fetch(self, host):
        """Until the host's rebuild has fetched a chunk through its cursor."""
        deadline = time.monotonic() + 120
        while time.monotonic() < deadline:
            if psql("postgres", "select count(*) from pg_stat_activity where query ilike 'fetch%'") != "0":
                return
            if host.process.poll() is not None:
                break
            time.sleep(0.02)
        raise AssertionError("the rebuild never fetched a chunk:\n" + "\n".join(host.output))

    def test_server_stopping_mid_rebuild_shows_the_error_and_the_next_recalc_after_reconnect_is_whole(self):
        content = self.make_log(LARGE_LOG_ROWS)
        host = self.start_host("Position 1", options="UseDeclareFetch=1;Fetch=100;")
        host.do("info")
        host.send("run")
        self.wait_for_chunked_fetch(host)
        cluster("stop")
        try:
            lines = host.expect("run:")
        finally:
            cluster("start")
        self.assertRegex(box_text(lines), LOST_CONNECTION)
        self.assertIn("button-enabled=1", host.do("state")[-1])
        # The tally holds what was counted before the server went: one more QSO makes the report show it.
        host.do("qso Z1ZZ\t20M\tRTTY\tEU\tZ1\tZ")
        self.assertEqual(host.do("addqso")[-1], "addqso: 1")
        counted = totals(host.report())["QSO"]
        self.assertGreater(counted, 1)
        self.assertLess(counted, LARGE_LOG_ROWS + 1)

        self.assertEqual(host.do("reconnect")[-1], "reconnect: done")
        host.do("recalc")
        self.assertEqual(totals(host.report())["QSO"], LARGE_LOG_ROWS)
        self.assertEqual(host.finish(), 0)
        self.assertEqual(self.database.content(), content)

    def test_server_down_between_qsos_leaves_the_module_working(self):
        content = self.make_log(50)
        host = self.start_host("Position 1")
        host.do("run")
        self.assertEqual(totals(host.report())["QSO"], 50)
        cluster("stop")
        try:
            host.do("qso Z1ZZ\t20M\tRTTY\tEU\tZ1\tZ")
            score = host.do("getscore")[-1]
            self.assertNotEqual(score, "getscore: -1")
            self.assertEqual(host.do("addqso")[-1], "addqso: 1")
            self.assertEqual(host.do("getscore")[-1], "getscore: -1")
            self.assertEqual(totals(host.report())["QSO"], 51)
        finally:
            cluster("start")
        self.assertEqual(host.do("reconnect")[-1], "reconnect: done")
        host.do("recalc")
        self.assertEqual(totals(host.report())["QSO"], 50)
        self.assertNotIn("box:", "\n".join(host.output))
        self.assertEqual(host.finish(), 0)
        self.assertEqual(self.database.content(), content)

    def test_refused_login_is_reported_by_the_host_and_by_the_module(self):
        content = self.make_log(30)
        role = f"zqt_operator_{os.getpid()}"
        psql(self.database.name, f"create role {role} login; grant select on log to {role}")
        try:
            refused = Host(DRIVER_EXE, MODULE_DLL, "Nobody",
                           pg_connection_string(self.database.name, user=f"{role}_missing"))
            self.hosts.append(refused)
            lines = refused.expect("error:", timeout=60)
            self.assertIn(f'role "{role}_missing" does not exist', lines[-1])
            self.assertEqual(refused.process.wait(timeout=60), 4)

            host = self.start_host("Position 1", user=role, table="log")
            host.do("run")
            self.assertEqual(totals(host.report())["QSO"], 30)
            # The operator's session is ended and the role may no longer log in.
            psql(self.database.name, f"alter role {role} nologin; select pg_terminate_backend(pid) "
                                     f"from pg_stat_activity where usename = '{role}'")
            # The module's next rebuild shows the engine's word on the ended session.
            self.assertRegex(box_text(host.do("recalc")), LOST_CONNECTION)
            failed = host.do("reconnect")[-1]
            self.assertRegex(failed, f'^reconnect: failed: .*role "{role}" is not permitted to log in')
            # Then the connection is not open: the driver manager says so.
            self.assertIn("Connection not open", box_text(host.do("recalc")))
            self.assertIn("button-enabled=1", host.do("state")[-1])

            psql(self.database.name, f"alter role {role} login")
            self.assertEqual(host.do("reconnect")[-1], "reconnect: done")
            host.do("recalc")
            self.assertEqual(totals(host.report())["QSO"], 30)
            self.assertEqual(host.finish(), 0)
        finally:
            for host in self.hosts:
                host.kill()
            psql(self.database.name, f"drop owned by {role}; drop role {role}")
        self.assertEqual(self.database.content(), content)


if __name__ == "__main__":
    DRIVER_EXE, MODULE_DLL = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
