# A throw-away PostgreSQL cluster for a test run or a demo: zqt sources this file, calls pg_session_start, and
# pg_session_stop removes the cluster again. The server runs as an unprivileged user (the cluster refuses root),
# listens on a free localhost port with trust authentication, and holds a database "zqt" with ICU collation,
# the linguistic order many servers use. The connection details reach CTest and every Wine process through the
# environment; tests that stop and start the server mid-run call pg_cluster_stop and pg_cluster_start from here.

zqt_pg_bin() {
  local dir
  dir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$dir" ] && [ -x "$dir/pg_ctl" ] || return 1
  echo "$dir"
}

# Runs a PostgreSQL program as the cluster's owner, from "/": the programs look up their own path through the
# current directory, which the owner may not be allowed to enter (a clone under /root).
zqt_pg_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    (cd / && runuser -u "$ZQT_PG_OS_USER" -- "$@")
  else
    "$@"
  fi
}

zqt_pg_free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

pg_cluster_start() {
  zqt_pg_as_owner "$ZQT_PG_BIN/pg_ctl" -D "$ZQT_PG_DATA/data" -w -t 60 -l "$ZQT_PG_DATA/server.log" \
    -o "-p $ZQT_PG_PORT -k $ZQT_PG_DATA -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=60" \
    start </dev/null >/dev/null
}

# Fast shutdown: open sessions are ended, as when a server is taken down mid-contest.
pg_cluster_stop() {
  zqt_pg_as_owner "$ZQT_PG_BIN/pg_ctl" -D "$ZQT_PG_DATA/data" -w -t 60 -m fast stop </dev/null >/dev/null
}

# psql as the superuser on the session's server; extra arguments follow (e.g. -d DB -c SQL).
pg_psql() {
  psql -X -q -v ON_ERROR_STOP=1 -h "$ZQT_PG_SERVER" -p "$ZQT_PG_PORT" -U "$ZQT_PG_USER" "$@"
}

pg_session_stop() {
  if [ -n "${ZQT_PG_DATA:-}" ] && [ -d "$ZQT_PG_DATA" ]; then
    zqt_pg_as_owner "$ZQT_PG_BIN/pg_ctl" -D "$ZQT_PG_DATA/data" -w -m immediate stop </dev/null \
      >/dev/null 2>&1 || true
    rm -rf "$ZQT_PG_DATA"
  fi
  unset ZQT_PG_DATA
}

pg_session_start() {
  ZQT_PG_BIN=$(zqt_pg_bin) || {
    echo "postgres-session: no PostgreSQL server programs under /usr/lib/postgresql (./zqt setup installs them)" >&2
    return 1
  }
  ZQT_PG_OS_USER=$(id -un)
  [ "$(id -u)" -eq 0 ] && ZQT_PG_OS_USER=postgres
  ZQT_PG_DATA=$(mktemp -d /tmp/zqt-pg.XXXXXX)
  chmod 755 "$ZQT_PG_DATA"
  [ "$(id -u)" -eq 0 ] && chown "$ZQT_PG_OS_USER" "$ZQT_PG_DATA"
  export ZQT_PG_BIN ZQT_PG_OS_USER ZQT_PG_DATA
  export ZQT_PG_SERVER=127.0.0.1 ZQT_PG_USER=postgres ZQT_PG_DATABASE=zqt
  export ZQT_PG_SESSION_SCRIPT
  ZQT_PG_SESSION_SCRIPT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/postgres-session.sh

  if ! zqt_pg_as_owner "$ZQT_PG_BIN/initdb" -D "$ZQT_PG_DATA/data" -A trust -U "$ZQT_PG_USER" -E UTF8 \
    --locale=C.UTF-8 --no-sync </dev/null >"$ZQT_PG_DATA/initdb.log" 2>&1; then
    cat "$ZQT_PG_DATA/initdb.log" >&2
    pg_session_stop
    return 1
  fi
  # Another process may take the port between the look-up and the start: try a few.
  local attempt
  for attempt in 1 2 3 4 5; do
    ZQT_PG_PORT=$(zqt_pg_free_port)
    export ZQT_PG_PORT
    pg_cluster_start && break
    [ "$attempt" -eq 5 ] && {
      echo "postgres-session: the server did not start:" >&2
      tail -n 20 "$ZQT_PG_DATA/server.log" >&2
      pg_session_stop
      return 1
    }
  done
  if ! pg_psql -d postgres -c "create database $ZQT_PG_DATABASE locale_provider icu icu_locale 'en-US' \
    template template0" </dev/null; then
    pg_session_stop
    return 1
  fi
  echo "== PostgreSQL $("$ZQT_PG_BIN/postgres" -V | awk '{print $3}') on $ZQT_PG_SERVER:$ZQT_PG_PORT"
}
