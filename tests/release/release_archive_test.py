#!/usr/bin/env python3
"""The release archive as a user gets it.

Unpacks the archive with unzip into a temporary folder and checks what a release promises: SHA256SUMS over
every file (sha256sum -c), every time stamp in the zip and the PE files the commit's (SOURCE_DATE_EPOCH, which
REBUILD.txt names with the commit), an i686 DLL without debug sections or symbols and under 450 KB whose
.gnu_debuglink names the debug file beside it with that file's CRC, the six exports and Windows-only imports,
a VERSIONINFO that carries the archive name's version, the header, guides, pictures, licence, changelog and
example host of this tree with a README.txt that names every file, the example built by the command its comment
gives and refused by the header for a 64-bit target, and a stripped host that carries none of the test driver's
commands. Then the archive's own zqthost.exe loads the DLL that lies beside it under 32-bit Wine, in a fresh
prefix, and replays the bundled VE7IO log against Debian's cty.dat.

With --sign, first makes a throw-away code-signing certificate with openssl and runs ./zqt package --sign with
it: a missing file, a file that is no PKCS#12, a wrong password and an unreachable time-stamp server must each
fail with the reason, leaving no signed archive where an earlier one lay and the unsigned one as it was; then
with the right password. The checks above then run on the signed archive, whose DLL is the one the replay
loads, and osslsigncode must accept both signatures, beside files that are the unsigned archive's.

usage: release_archive_test.py [--sign] ARCHIVE
Prints unittest's report and, last, one summary line; the exit code is 0 when every check passed.
"""

import hashlib
import os
import re
import shlex
import signal
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile
import zlib

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OBJDUMP = "i686-w64-mingw32-objdump"
OBJCOPY = "i686-w64-mingw32-objcopy"
WINE32 = "/usr/lib/wine/wine"
SYSTEM_CTY = "/usr/share/hamradio-files/cty.dat"
REPLAYED_LOG = os.path.join(ROOT, "data", "logs", "cqww-rtty-2024-ve7io.log")
SIZE_LIMIT = 450 * 1024

FROM_THE_TREE = {"ZQTRTTYContest.h": "include/ZQTRTTYContest.h",
                 "host-authors-guide.md": "docs/host-authors-guide.md", "zqthost.md": "docs/zqthost.md",
                 "minimal_host.c": "examples/minimal_host.c", "README.txt": "release/README.txt",
                 "LICENSE.txt": "LICENSE", "CHANGELOG.md": "CHANGELOG.md", "operator-guide.md": "docs/operator-guide.md",
                 "window-scales.png": "docs/window-scales.png", "multi-op.png": "docs/multi-op.png",
                 "error-box.png": "docs/error-box.png"}
RELEASE_FILES = {"ZQTRTTYContest.dll", "ZQTRTTYContest.dll.debug", "zqthost.exe", "REBUILD.txt",
                 "SHA256SUMS"} | set(FROM_THE_TREE)

# The test driver's commands and modes, which the shipped host must not carry.
TEST_ONLY_COMMANDS = ["refuse-create", "close-on-create", "at-pump-point", "lifecycle", "broadcast", "windows-of",
                      "destroyed-report"]

ARCHIVE = ""  # set from the command line
SIGNING = None  # with --sign: what signing the unsigned archive gave

# Each bad signing: what is wrong, the certificate file, ZQT_SIGN_PASSWORD, --timestamp's URL, what the error
# says (besides that no signed archive was written).
PASSWORD = "throw-away"
BAD_SIGNINGS = [
    ("no such file", "missing.p12", PASSWORD, None, "no such readable file"),
    ("no PKCS#12 file", "cert.pem", PASSWORD, None, "PKCS#12"),
    ("a wrong (empty) password", "cert.p12", None, None, "Wrong password"),
    ("an unreachable time-stamp server", "cert.p12", PASSWORD, "http://127.0.0.1:9/", "timestamping failed"),
]


def run(*command, cwd=None):
    done = subprocess.run(command, cwd=cwd, capture_output=True, text=True)
    if done.returncode != 0:
        raise AssertionError(f"{' '.join(command)} failed ({done.returncode}):\n{done.stdout}\n{done.stderr}")
    return done.stdout


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def sign_with_a_throwaway_certificate(unsigned, scratch):
    """Runs ./zqt package --sign with each bad input, an earlier signed archive planted before each, then with
    a good certificate and password; returns their outcomes."""
    run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "key.pem", "-out", "cert.pem",
        "-days", "2", "-subj", "/CN=ZQT throw-away signer", "-addext", "extendedKeyUsage=codeSigning", cwd=scratch)
    run("openssl", "pkcs12", "-export", "-inkey", "key.pem", "-in", "cert.pem", "-out", "cert.p12",
        "-passout", f"pass:{PASSWORD}", cwd=scratch)
    signed = unsigned[:-len(".zip")] + "-signed.zip"

    def package(certificate, password, url):
        env = {k: v for k, v in os.environ.items() if k != "ZQT_SIGN_PASSWORD"}
        if password is not None:
            env["ZQT_SIGN_PASSWORD"] = password
        command = [os.path.join(ROOT, "zqt"), "package", "--sign", certificate] + (["--timestamp", url] if url else [])
        return subprocess.run(command, cwd=scratch, env=env, capture_output=True, text=True)

    # Once first, so that the unsigned archive is up to date before it is watched.
    package("cert.p12", PASSWORD, None)
    before = sha256(unsigned)
    bad = {}
    for what, certificate, password, url, _ in BAD_SIGNINGS:
        with open(signed, "wb") as stale:
            stale.write(b"an earlier signed archive")
        done = package(certificate, password, url)
        bad[what] = (done.returncode, done.stdout + done.stderr, os.path.exists(signed))
    good = package("cert.p12", PASSWORD, None)
    if good.returncode != 0:
        raise AssertionError(f"./zqt package --sign failed:\n{good.stdout}\n{good.stderr}")
    return {"bad": bad, "unsigned kept": sha256(unsigned) == before, "unsigned": unsigned, "signed": signed,
            "certificate": os.path.join(scratch, "cert.pem")}


def why_32bit_wine_cannot_run():
    """None where 32-bit Wine runs; otherwise why not. On a kernel without 32-bit execution the loader cannot
    even be started, or is killed at its first 32-bit system call."""
    try:
        done = subprocess.run([WINE32, "--version"], capture_output=True)
    except FileNotFoundError:
        return "32-bit Wine is missing"
    except OSError:
        return "this kernel does not execute 32-bit code"
    if done.returncode == -signal.SIGSYS:
        return "this kernel does not execute 32-bit code"
    return None if done.returncode == 0 else "32-bit Wine is missing or broken"


def windows_path(path):
    # Wine maps the drive Z: to the Unix root.
    return "Z:" + os.path.realpath(path).replace("/", "\\")


def archive_version():
    match = re.fullmatch(r"ZQTRTTYContest-(\d+\.\d+\.\d+)-win32(-signed)?\.zip", os.path.basename(ARCHIVE))
    if not match:
        raise AssertionError(f"{ARCHIVE} is not named ZQTRTTYContest-<version>-win32[-signed].zip")
    return match.group(1)


class Unpacked:
    """The archive unpacked once for all checks."""

    directory = None
    folder = None

    @classmethod
    def get(cls):
        if cls.directory is None:
            cls.directory = tempfile.TemporaryDirectory(prefix="zqt-release-")
            run("unzip", "-q", ARCHIVE, "-d", cls.directory.name)
            # The one folder inside, whatever its name, so that a misnamed folder fails one check only.
            entries = os.listdir(cls.directory.name)
            folder = entries[0] if len(entries) == 1 else os.path.basename(ARCHIVE)[:-len(".zip")]
            cls.folder = os.path.join(cls.directory.name, folder)
        return cls.directory.name, cls.folder

    @classmethod
    def path(cls, name):
        return os.path.join(cls.get()[1], name)


class ArchiveContents(unittest.TestCase):
    def test_one_folder_named_like_the_archive_holds_the_release_files(self):
        top, folder = Unpacked.get()
        self.assertEqual(os.listdir(top), [os.path.basename(ARCHIVE)[:-len(".zip")]])
        self.assertEqual(set(os.listdir(folder)), RELEASE_FILES)

    def test_sha256sums_list_every_other_file_and_match(self):
        folder = Unpacked.get()[1]
        with open(os.path.join(folder, "SHA256SUMS"), encoding="ascii") as sums:
            listed = [line.split("  ", 1)[1].rstrip("\n") for line in sums]
        self.assertEqual(sorted(listed), sorted(RELEASE_FILES - {"SHA256SUMS"}))
        run("sha256sum", "--check", "--strict", "--quiet", "SHA256SUMS", cwd=folder)

    def test_every_time_stamp_is_the_commits_which_rebuild_txt_names(self):
        commit, epoch = run("git", "-C", ROOT, "log", "-1", "--format=%H %ct").split()
        with zipfile.ZipFile(ARCHIVE) as archive:
            # A zip time counts whole pairs of seconds.
            dates = {entry.date_time for entry in archive.infolist()}
        self.assertEqual(dates, {time.gmtime(int(epoch) // 2 * 2)[:6]})
        for name in ("ZQTRTTYContest.dll", "ZQTRTTYContest.dll.debug", "zqthost.exe"):
            with self.subTest(file=name), open(Unpacked.path(name), "rb") as image:
                header = image.read(4096)
                (file_header,) = struct.unpack_from("<I", header, 0x3C)
                self.assertEqual(struct.unpack_from("<I", header, file_header + 8)[0], int(epoch))
        exports = re.search(r"^Time/Date stamp\s+(\w+)", run(OBJDUMP, "-p", Unpacked.path("ZQTRTTYContest.dll")), re.M)
        self.assertEqual(int(exports.group(1), 16), int(epoch))
        with open(Unpacked.path("REBUILD.txt"), encoding="ascii") as rebuild:
            text = rebuild.read()
        self.assertIn(f"commit {commit}", text)
        self.assertIn(f"SOURCE_DATE_EPOCH={epoch} ", text)

    def test_header_and_guides_are_this_trees(self):
        for name, source in FROM_THE_TREE.items():
            with self.subTest(file=name), open(Unpacked.path(name), "rb") as shipped, \
                    open(os.path.join(ROOT, source), "rb") as tree:
                self.assertEqual(shipped.read(), tree.read())
        # README.txt says what each file is, and the operator's guide finds its pictures beside it.
        with open(Unpacked.path("README.txt"), encoding="ascii") as readme, \
                open(Unpacked.path("operator-guide.md"), encoding="utf-8") as guide_file:
            readme, guide = readme.read(), guide_file.read()
        self.assertEqual(sorted(n for n in RELEASE_FILES - {"README.txt"} if n not in readme), [])
        self.assertEqual(sorted(set(re.findall(r"\]\(([^)]+\.png)\)", guide)) - RELEASE_FILES), [])

    def test_the_example_host_builds_as_its_comment_says(self):
        # With nothing but the shipped example and header, as a host author starts.
        with open(Unpacked.path("minimal_host.c"), encoding="ascii") as source:
            command = re.search(r"^ \*\s+(i686-w64-mingw32-gcc .*)$", source.read(), re.MULTILINE).group(1)
        with tempfile.TemporaryDirectory() as scratch:
            for name in ("minimal_host.c", "ZQTRTTYContest.h"):
                shutil.copy(Unpacked.path(name), scratch)
            run(*shlex.split(command), cwd=scratch)
            self.assertIn("file format pei-i386", run(OBJDUMP, "-f", os.path.join(scratch, "minimal_host.exe")))
            # For a 64-bit target the header stops the build and says why.
            command = command.replace("i686-w64-mingw32-gcc", "x86_64-w64-mingw32-gcc")
            done = subprocess.run(shlex.split(command), cwd=scratch, capture_output=True, text=True)
            self.assertNotEqual(done.returncode, 0)
            self.assertIn("32-bit hosts only: TContestData.Connection is 4 bytes", done.stderr)


class ShippedDll(unittest.TestCase):
    def test_a_stripped_i686_dll_under_450_kb(self):
        dll = Unpacked.path("ZQTRTTYContest.dll")
        size = os.path.getsize(dll)
        self.assertLess(size, SIZE_LIMIT, f"{size} bytes")
        self.assertIn("file format pei-i386", run(OBJDUMP, "-f", dll))
        sections = re.findall(r"^\s*\d+\s+(\S+)", run(OBJDUMP, "-h", dll), re.MULTILINE)
        self.assertIn(".text", sections)
        self.assertEqual([s for s in sections if s.startswith(".debug")], [])
        self.assertIn("no symbols", run(OBJDUMP, "-t", dll))

    def test_the_debuglink_names_the_debug_file_beside_it_and_its_crc(self):
        dll = Unpacked.path("ZQTRTTYContest.dll")
        self.assertIn(".gnu_debuglink", run(OBJDUMP, "-h", dll))
        with tempfile.TemporaryDirectory() as scratch:
            link_file = os.path.join(scratch, "link")
            copy = os.path.join(scratch, "copy.dll")
            run(OBJCOPY, "--dump-section", f".gnu_debuglink={link_file}", dll, copy)
            with open(link_file, "rb") as link:
                contents = link.read()
        # The file name, a zero byte, zeros up to a 4-byte boundary, then the CRC-32 of the debug file.
        name = contents[:contents.index(b"\0")].decode("ascii")
        crc_at = (len(name) + 1 + 3) // 4 * 4
        (crc,) = struct.unpack_from("<I", contents, crc_at)
        self.assertEqual(name, "ZQTRTTYContest.dll.debug")
        with open(Unpacked.path(name), "rb") as debug:
            debug_bytes = debug.read()
        self.assertEqual(crc, zlib.crc32(debug_bytes))
        # It holds the module's own debug information, not only the runtime's.
        self.assertIn(".debug_info", run(OBJDUMP, "-h", Unpacked.path(name)))
        self.assertIn(b"exports.cpp", debug_bytes)
        self.assertIn(b"RecalcFromLog", debug_bytes)

    def test_six_undecorated_exports_and_windows_imports_only(self):
        run("sh", os.path.join(ROOT, "scripts", "check-dll.sh"), OBJDUMP, Unpacked.path("ZQTRTTYContest.dll"))

    def test_the_version_resource_carries_the_archives_version(self):
        with open(Unpacked.path("ZQTRTTYContest.dll"), "rb") as dll:
            image = dll.read()
        # VS_FIXEDFILEINFO: signature, structure version, file version (most, then least significant).
        at = image.find(struct.pack("<I", 0xFEEF04BD))
        self.assertGreaterEqual(at, 0, "no VERSIONINFO")
        _, _, most, least = struct.unpack_from("<IIII", image, at)
        self.assertEqual(f"{most >> 16}.{most & 0xFFFF}.{least >> 16}", archive_version())

    def test_the_host_is_a_stripped_i686_program_without_test_commands(self):
        host = Unpacked.path("zqthost.exe")
        self.assertIn("file format pei-i386", run(OBJDUMP, "-f", host))
        self.assertIn("no symbols", run(OBJDUMP, "-t", host))
        # Whole words, an option's dashes stripped; a runtime name such as _concurrence_broadcast_error is none.
        with open(host, "rb") as image:
            words = set(re.findall(rb"(?<![\w-])-*([a-z]+(?:-[a-z]+)*)(?![\w-])", image.read()))
        self.assertIn(b"recalc-at-rows", words)
        self.assertEqual([command for command in TEST_ONLY_COMMANDS if command.encode() in words], [])


class SignedArchive(unittest.TestCase):
    def setUp(self):
        if SIGNING is None:
            self.skipTest("not asked to sign (--sign)")

    def test_each_bad_signing_fails_with_its_reason_and_leaves_no_signed_archive(self):
        for what, _, _, _, reason in BAD_SIGNINGS:
            code, output, left = SIGNING["bad"][what]
            with self.subTest(what):
                self.assertNotEqual(code, 0, output)
                self.assertIn("no signed archive written", output)
                self.assertIn(reason, output)
                self.assertFalse(left, "a signed archive is left")
        self.assertTrue(SIGNING["unsigned kept"], "the unsigned archive changed")

    def test_both_signatures_verify_beside_the_unsigned_archives_other_files(self):
        signed_files = ["ZQTRTTYContest.dll", "zqthost.exe"]
        for name in signed_files:
            with self.subTest(file=name):
                run("osslsigncode", "verify", "-CAfile", SIGNING["certificate"], "-in", Unpacked.path(name))
        folder = os.path.basename(ARCHIVE)[:-len("-signed.zip")]
        with zipfile.ZipFile(SIGNING["unsigned"]) as unsigned:
            for entry in unsigned.namelist():
                name = entry[len(folder) + 1:]
                if name not in signed_files + ["SHA256SUMS"]:
                    with self.subTest(file=name), open(Unpacked.path(name), "rb") as shipped:
                        self.assertEqual(shipped.read(), unsigned.read(entry))


WINE32_UNUSABLE = why_32bit_wine_cannot_run()


@unittest.skipIf(WINE32_UNUSABLE, WINE32_UNUSABLE)
class UnpackedHostUnderWine(unittest.TestCase):
    """The archive's zqthost.exe loads the DLL beside it (no --dll), in a Wine prefix and display of its
    own."""

    @classmethod
    def setUpClass(cls):
        folder = Unpacked.get()[1]
        cls.work = tempfile.TemporaryDirectory(prefix="zqt-release-run-")
        work = cls.work.name
        host = shlex.quote(os.path.join(folder, "zqthost.exe"))
        log = shlex.quote(windows_path(REPLAYED_LOG))
        cty = shlex.quote(windows_path(SYSTEM_CTY))
        script = f"""
            . {shlex.quote(os.path.join(ROOT, "scripts", "wine-session.sh"))}
            trap wine_session_stop EXIT
            wine_session_start
            {WINE32} {host} --help >help.txt 2>&1
            {WINE32} {host} --db {shlex.quote(os.path.join(work, "log.db"))} --fresh --watch-boxes --report \\
                --log {log} --cty {cty} >replay.txt 2>&1
        """
        # Run from elsewhere than the unpacked folder, so the DLL is found beside the host, not in the
        # current directory.
        done = subprocess.run(["bash", "-c", script], cwd=work, capture_output=True, text=True, timeout=600)
        cls.replay_code = done.returncode

        def lines(name):
            with open(os.path.join(work, name), encoding="utf-8", errors="replace") as output:
                return output.read().replace("\r", "").splitlines()

        cls.help = lines("help.txt")
        cls.replay = lines("replay.txt")

    @classmethod
    def tearDownClass(cls):
        cls.work.cleanup()

    def test_the_replay_reports_the_logs_totals(self):
        replay = "\n".join(self.replay)
        self.assertEqual(self.replay_code, 0, replay)
        self.assertEqual(self.replay[0], "read: 613 QSOs, 0 problems", replay)
        self.assertEqual(sum(line.startswith("dupe: ") for line in self.replay), 11, replay)
        self.assertFalse([line for line in self.replay if line.startswith(("box: ", "error: "))], replay)
        report = self.replay[self.replay.index("report:") + 1:self.replay.index("end report")]
        self.assertEqual(report[0], ".\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t")
        self.assertEqual(report[1], "Total\t 602\t  45\t  10\t  10\t   5\t   3\t   6\t")
        self.assertEqual(report[2], " Score: 602*(45+10+10+5+3)*6= 263676")
        self.assertEqual(report[3], "Cont(6)\tAF\tAS\tEU\tNA\tOC\tSA")
        self.assertEqual(self.replay[-1], "released")

    def test_the_hosts_guide_covers_every_option_of_its_help(self):
        self.assertTrue(self.help and self.help[0].startswith("usage: zqthost.exe"), self.help)
        with open(Unpacked.path("zqthost.md"), encoding="utf-8") as guide:
            text = guide.read()
        options = {option for line in self.help for option in re.findall(r"(?<![\w-])--[a-z-]+", line)}
        self.assertGreater(len(options), 10)
        self.assertEqual(sorted(o for o in options if f"`{o}" not in text), [])


def main():
    global ARCHIVE, SIGNING
    arguments = sys.argv[1:]
    sign = arguments[:1] == ["--sign"]
    if len(arguments) != 1 + sign:
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        return 2
    ARCHIVE = os.path.abspath(arguments[-1])
    shown = os.path.relpath(ARCHIVE, ROOT) if ARCHIVE.startswith(ROOT + os.sep) else ARCHIVE
    label = f"release archive {shown}"
    if not os.path.isfile(ARCHIVE):
        print(f"{label}: missing")
        return 1
    if sign:
        scratch = tempfile.TemporaryDirectory(prefix="zqt-signing-")
        try:
            SIGNING = sign_with_a_throwaway_certificate(ARCHIVE, scratch.name)
        except AssertionError as failure:
            print(f"{failure}\n{label}: signing it failed")
            return 1
        ARCHIVE = SIGNING["signed"]
        label += " signed by ./zqt package --sign"
    suite = unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    failed = len(result.failures) + len(result.errors)
    passed = result.testsRun - failed - len(result.skipped)
    line = f"{label}: {passed} checks passed, {failed} failed"
    if result.skipped:
        line += f", {len(result.skipped)} skipped ({'; '.join(sorted({why for _, why in result.skipped}))})"
    if Unpacked.directory is not None:
        dll = Unpacked.path("ZQTRTTYContest.dll")
        if os.path.isfile(dll):
            line += f"; the DLL is {os.path.getsize(dll) / 1024:.0f} KB"
        Unpacked.directory.cleanup()
    print(line)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
