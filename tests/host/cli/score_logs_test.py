#!/usr/bin/env python3
"""./zqt score on the two bundled Cabrillo logs: the real DLL's report against counts made here.

The QSO and dupe counts are computed by this test from the QSO: lines themselves (call, band from the
frequency, mode), and pinned as well. The multiplier counts come from a separate throwaway script that
resolved every call of both logs against Debian's cty.dat (hamradio-files 20230502) by exact "=" calls and
longest prefix, taking portable calls by their location part (DU7/VK4CIU is DU) or their area digit
(KB1EFS/2 is K2), with the WAE-only entities ("*" before the primary prefix) left out: the multiplier is the
DXCC entity, so the Sicilian stations (IB9T, IQ9RG, IT9VCE, ...) count as Italy. They agree with the
per-area counts of tests/host/calls/real_logs_test.cpp, which were taken by hand from the files.
"""

import collections
import os
import re
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "support"))
from tally_model import report

ROOT = os.environ.get("ZQT_ROOT") or os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
SCORE = os.path.join(ROOT, "scripts", "score.sh")

BANDS_KHZ = [(1800, 2000, "160m"), (3500, 4000, "80m"), (7000, 7300, "40m"), (14000, 14350, "20m"),
             (21000, 21450, "15m"), (28000, 29700, "10m")]
MODES = {"RY": "RTTY", "CW": "CW", "PH": "SSB", "FM": "FM", "DG": "DIGI"}

ALL_AREAS = {entity: [f"{entity}{digit}" for digit in range(10)] for entity in ("JA", "K")}

EXPECTED = {
    "cqww-rtty-2024-7n2uqc.log": {
        "QSO": 615, "DX": 67,
        "areas": {"JA": ALL_AREAS["JA"], "W": ALL_AREAS["K"], "VE": ["VE3", "VE5", "VE6", "VE7"],
                  "VK": ["VK3", "VK4"]},
        "continents": ["AF", "AS", "EU", "NA", "OC", "SA"],
    },
    "cqww-rtty-2024-ve7io.log": {
        "QSO": 602, "DX": 45,
        "areas": {"JA": ALL_AREAS["JA"], "W": ALL_AREAS["K"], "VE": ["VE2", "VE3", "VE5", "VE6", "VE7"],
                  "VK": ["VK2", "VK3", "VK4"]},
        "continents": ["AF", "AS", "EU", "NA", "OC", "SA"],
    },
}


def band_of(khz):
    for low, high, band in BANDS_KHZ:
        if low <= khz <= high:
            return band
    raise ValueError(f"{khz} kHz is in no contest band")


def cabrillo_qsos(path):
    """(call, band, mode) of every QSO: line; the worked call is the ninth field after the tag."""
    qsos = []
    with open(path, encoding="ascii") as log:
        for line in log:
            fields = line.split()
            if fields and fields[0] == "QSO:":
                qsos.append((fields[9].upper(), band_of(int(fields[1])), MODES[fields[2]]))
    return qsos


def start_score(*args):
    return subprocess.Popen(["bash", SCORE, *args], cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True)


def finish(process):
    stdout, stderr = process.communicate(timeout=600)
    return subprocess.CompletedProcess(process.args, process.returncode, stdout, stderr)


def score(*args):
    return finish(start_score(*args))


class ScoreBundledLogs(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Built once here (the build whose suites run natively: an emulated product takes minutes a run), so the
        # two runs below find the tree up to date instead of building it side by side;
        # each run then has a display and a Wine prefix of its own.
        preset = subprocess.run(["bash", "-c", ". scripts/wine-session.sh && zqt_suites_preset"], cwd=ROOT,
                                capture_output=True, text=True, check=True).stdout.strip()
        os.environ["ZQT_WINDOWS_PRESET"] = preset
        for command in (["cmake", "--preset", preset],
                        ["cmake", "--build", "--preset", preset, "-j2", "--target", "zqthost", "ZQTRTTYContest"]):
            build = subprocess.run(command, cwd=ROOT, capture_output=True, text=True)
            if build.returncode != 0:
                raise RuntimeError(f"{' '.join(command)} failed:\n{build.stdout}\n{build.stderr}")
        started = {name: start_score(os.path.join("data", "logs", name), "--verbose-mults") for name in EXPECTED}
        cls.runs = {name: finish(process) for name, process in started.items()}

    def lines(self, name):
        run = self.runs[name]
        self.assertEqual(run.returncode, 0, f"{name}:\n{run.stdout}\n{run.stderr}")
        return run.stdout.splitlines()

    def report(self, name):
        lines = self.lines(name)
        start = lines.index("report:")
        return "\n".join(lines[start + 1:lines.index("end report", start)])

    def test_qso_count_is_the_number_of_distinct_call_band_mode(self):
        for name, expected in EXPECTED.items():
            with self.subTest(log=name):
                qsos = cabrillo_qsos(os.path.join(ROOT, "data", "logs", name))
                self.assertEqual(len(set(qsos)), expected["QSO"])

    def test_every_repeated_qso_is_reported_as_a_dupe(self):
        for name in EXPECTED:
            with self.subTest(log=name):
                qsos = cabrillo_qsos(os.path.join(ROOT, "data", "logs", name))
                repeats = collections.Counter(qsos) - collections.Counter(set(qsos))
                dupes = collections.Counter(
                    tuple(line.split()[1:4]) for line in self.lines(name) if line.startswith("dupe: "))
                self.assertEqual(dupes, repeats)

    def test_report_shows_the_qsos_multipliers_and_score(self):
        for name, expected in EXPECTED.items():
            with self.subTest(log=name):
                counts = {"QSO": expected["QSO"], "DX": expected["DX"], "Cont": len(expected["continents"]),
                          **{column: len(areas) for column, areas in expected["areas"].items()}}
                self.assertEqual(self.report(name), report(counts, expected["continents"]))

    def test_host_multiplier_lines_agree_with_the_module(self):
        for name, expected in EXPECTED.items():
            with self.subTest(log=name):
                lines = self.lines(name)
                self.assertEqual(sum(line.startswith("mult: ") for line in lines), expected["QSO"])
                new = collections.defaultdict(list)
                for line in lines:
                    match = re.fullmatch(r"new: (\S+) (\S+)", line)
                    if match:
                        new[match.group(1)].append(match.group(2))
                self.assertEqual(len(new["DX"]), expected["DX"])
                self.assertEqual(sorted(new["Cont"]), expected["continents"])
                for column, values in expected["areas"].items():
                    self.assertEqual(sorted(new[column]), values, column)

    def test_the_log_is_read_without_problems(self):
        for name in EXPECTED:
            with self.subTest(log=name):
                lines = self.lines(name)
                qso_lines = len(cabrillo_qsos(os.path.join(ROOT, "data", "logs", name)))
                self.assertEqual(lines[0], f"read: {qso_lines} QSOs, 0 problems")
                self.assertEqual(lines[-1], "released")


class ScoreCommandLine(unittest.TestCase):
    """Refusals that need neither a build nor Wine."""

    def test_help(self):
        run = score("--help")
        self.assertEqual(run.returncode, 0)
        self.assertTrue(run.stdout.startswith("usage: ./zqt score LOGFILE"))

    def test_refusals(self):
        cases = [([], 2, "usage: ./zqt score"),
                 (["data/logs/no-such.log"], 1, "zqt score: cannot read data/logs/no-such.log"),
                 (["data/logs/sample.adi", "--cty", "no-such.dat"], 1, "zqt score: cannot read no-such.dat"),
                 (["data/logs/sample.adi", "--band"], 2, "zqt score: --band needs a value"),
                 (["data/logs/sample.adi", "--bands", "15m"], 2, "zqt score: unknown option --bands"),
                 (["a.log", "b.log"], 2, "zqt score: one log file at a time: b.log")]
        for args, code, text in cases:
            with self.subTest(args=args):
                run = score(*args)
                self.assertEqual(run.returncode, code, run.stderr)
                self.assertIn(text, run.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
