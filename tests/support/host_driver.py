"""What the Python end-to-end suites share: test drivers under Wine on the real DLL, driven through their
standard input, and the run's PostgreSQL server (scripts/postgres-session.sh) reached with psql."""

import os
import queue
import subprocess
import threading
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run")


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def pg_variable(name):
    value = os.environ.get(name)
    if not value:
        raise RuntimeError(f"No PostgreSQL server for this run: {name} is not set (./zqt test starts one)")
    return value


def psql(database, sql, stdin=None):
    result = subprocess.run(
        ["psql", "-X", "-q", "-At", "-v", "ON_ERROR_STOP=1", "-h", pg_variable("ZQT_PG_SERVER"), "-p",
         pg_variable("ZQT_PG_PORT"), "-U", pg_variable("ZQT_PG_USER"), "-d", database, "-c", sql],
        input=stdin, capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        raise RuntimeError(f"psql failed on {sql!r}: {result.stderr}")
    return result.stdout.strip()


def pg_connection_string(database, user=None, options=""):
    return (f"Driver=PostgreSQL ANSI;Server={pg_variable('ZQT_PG_SERVER')};Port={pg_variable('ZQT_PG_PORT')};"
            f"Database={database};Uid={user or pg_variable('ZQT_PG_USER')};{options}")


class PostgresDatabase:
    """A database of the test's own with ICU collation, as the run's main database."""
    count = 0

    def __init__(self, prefix):
        PostgresDatabase.count += 1
        self.name = f"{prefix}_{os.getpid()}_{PostgresDatabase.count}"
        psql("postgres", f"create database {self.name} locale_provider icu icu_locale 'en-US' "
                         "template template0")

    def drop(self):
        psql("postgres", f"drop database if exists {self.name} with (force)")

    def content(self, table="log"):
        """Row count and a digest of every row in storage order: a lost or changed row changes it."""
        return psql(self.name, f"select count(*) || ' ' || coalesce(md5(string_agg(t::text, '|' order by ctid)), "
                               f"'') from {table} t")


class Host:
    """zqtdriver.exe under Wine with the real DLL, driven through its standard input."""

    def __init__(self, exe, dll, name, connect, table="Log"):
        self.name = name
        self.lines = queue.Queue()
        self.early = []  # a line looked at before anyone expected it
        self.output = []
        self.process = subprocess.Popen(
            [WINE_RUN, exe, "--dll", windows_path(dll), "--connect", connect, "--table", table,
             "--caption-prefix", name, "--watch-boxes", "--script", "-"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        with self.process.stdout:
            for line in self.process.stdout:
                self.lines.put(line.rstrip("\r\n"))
        self.lines.put(None)

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()

    def expect(self, prefix, timeout=180):
        """Lines up to and including the first that starts with prefix; fails on the host's end or a timeout."""
        seen = []
        deadline = time.monotonic() + timeout
        while True:
            try:
                line = self.early.pop() if self.early else self.lines.get(
                    timeout=max(deadline - time.monotonic(), 0.01))
            except queue.Empty:
                raise AssertionError(f"{self.name}: no {prefix!r} within {timeout} s; output:\n" +
                                     "\n".join(self.output + seen))
            if line is None:
                raise AssertionError(f"{self.name} ended (code {self.process.wait()}) before {prefix!r}; "
                                     "output:\n" + "\n".join(self.output + seen))
            seen.append(line)
            if line.startswith(prefix):
                self.output += seen
                return seen

    def silent_for(self, seconds):
        """Whether the host printed nothing for that long: it is still inside the command it was sent."""
        if self.early:
            return False
        try:
            self.early.append(self.lines.get(timeout=seconds))
        except queue.Empty:
            return True
        return False

    def do(self, command, prefix=None, timeout=180):
        self.send(command)
        return self.expect(prefix or command.split()[0] + ":", timeout)

    def report(self):
        self.send("report")
        self.expect("report:")
        return "\n".join(self.expect("end report")[:-1])

    def finish(self):
        """Ends the script; the host releases the module and must exit cleanly."""
        self.process.stdin.close()
        self.expect("released", timeout=60)
        return self.process.wait(timeout=60)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if not self.process.stdin.closed:
            self.process.stdin.close()


def box_text(lines):
    """The text of the one message box among a command's lines (it may run over several); the module titles
    its boxes with the host's name."""
    text = "\n".join(lines)
    if text.count("box: ") != 1:
        raise AssertionError(f"not one box among:\n{text}")
    caption, _, message = text[text.index("box: ") + len("box: "):].partition("|")
    if caption != "zqtdriver":
        raise AssertionError(f"a box titled {caption!r} among:\n{text}")
    return message[:message.rindex("\n")].strip() if "\n" in message else message
