#!/usr/bin/env bash
# Starts or stops the test servers (MariaDB, FTP) on 127.0.0.1 in a temporary folder.
#   servers.sh start DIR   -> writes DIR/env with the connection values for the tests
#   servers.sh stop DIR    -> stops the servers by the pid recorded when they were launched
set -euo pipefail
cmd="${1:?start|stop}"; dir="${2:?folder}"
here="$(cd "$(dirname "$0")" && pwd)"
schema="$here/../../data/server"

free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'; }

# A certificate authority of the test run and the MariaDB server's certificate signed by it (for
# 127.0.0.1 and localhost), and a second authority that signed nothing: the server offers TLS.
make_certificates() {
  local c="$dir/tls"
  command -v openssl >/dev/null || return 1
  mkdir -p "$c"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Kav Test-CA" \
      -keyout "$c/ca.key" -out "$c/ca.pem" >/dev/null 2>&1 &&
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Kav fremde CA" \
      -keyout "$c/fremd.key" -out "$c/fremde-ca.pem" >/dev/null 2>&1 &&
  openssl req -newkey rsa:2048 -nodes -subj "/CN=127.0.0.1" \
      -keyout "$c/server.key" -out "$c/server.csr" >/dev/null 2>&1 &&
  printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\n' >"$c/ext.cnf" &&
  openssl x509 -req -in "$c/server.csr" -CA "$c/ca.pem" -CAkey "$c/ca.key" -CAcreateserial -days 2 \
      -extfile "$c/ext.cnf" -out "$c/server.pem" >/dev/null 2>&1
}

start_mariadb() {
  local data="$dir/mysql" sock="$dir/mysql.sock" port pw runas tls=()
  port="$(free_port)"
  pw="$(/usr/bin/python3 -c 'import secrets; print(secrets.token_hex(8))')"
  runas="$(id -un)"
  mkdir -p "$data"
  if make_certificates; then
    tls=(--ssl-cert="$dir/tls/server.pem" --ssl-key="$dir/tls/server.key" --ssl-ca="$dir/tls/ca.pem")
  fi
  /usr/bin/mariadb-install-db --no-defaults --datadir="$data" --user="$runas" \
      --auth-root-authentication-method=socket --skip-test-db >"$dir/mysql-install.log" 2>&1
  /usr/sbin/mariadbd --no-defaults --datadir="$data" --socket="$sock" --port="$port" \
      --bind-address=127.0.0.1 --pid-file="$dir/mysqld.pid" --user="$runas" --skip-log-bin \
      --log-error="$dir/mysql.err" --innodb-buffer-pool-size=32M "${tls[@]}" >/dev/null 2>&1 &
  # the pid is known from the start: a start that fails or hangs is still stopped by `stop`
  echo "$!" >"$dir/mysql.pid"
  for _ in $(seq 1 120); do
    if /usr/bin/mariadb --no-defaults --socket="$sock" -uroot -e 'SELECT 1' >/dev/null 2>&1; then break; fi
    sleep 0.5
  done
  /usr/bin/mariadb --no-defaults --socket="$sock" -uroot -e 'SELECT 1' >/dev/null
  {
    cat "$schema/kav_datenerfassung.sql" "$schema/kav_update.sql"
    # the program's account: insert, update and select where it writes, select where it reads
    echo "CREATE USER 'duengung'@'127.0.0.1' IDENTIFIED BY '$pw';"
    echo "GRANT SELECT, INSERT, UPDATE ON kav_datenerfassung.* TO 'duengung'@'127.0.0.1';"
    echo "GRANT SELECT ON kav_update.* TO 'duengung'@'127.0.0.1';"
    echo "FLUSH PRIVILEGES;"
  } | /usr/bin/mariadb --no-defaults --socket="$sock" -uroot
  cat >>"$dir/env" <<ENV
export KAV_TEST_MYSQL_HOST=127.0.0.1
export KAV_TEST_MYSQL_PORT=$port
export KAV_TEST_MYSQL_USER=duengung
export KAV_TEST_MYSQL_PASSWORD=$pw
export KAV_TEST_MYSQL_SOCKET=$sock
ENV
  if [ ${#tls[@]} -gt 0 ]; then
    cat >>"$dir/env" <<ENV
export KAV_TEST_MYSQL_CA=$dir/tls/ca.pem
export KAV_TEST_MYSQL_FREMDE_CA=$dir/tls/fremde-ca.pem
ENV
  fi
}

# The exchange's rights: the program's account also deletes its own uploaded rows and reads every
# update database (each test fills one of its own); a fixture account with all rights fills them.
grant_exchange() {
  local sock="$dir/mysql.sock" pw
  pw="$(/usr/bin/python3 -c 'import secrets; print(secrets.token_hex(8))')"
  {
    echo "GRANT DELETE ON kav_datenerfassung.* TO 'duengung'@'127.0.0.1';"
    echo "GRANT SELECT ON \`kav\\_update%\`.* TO 'duengung'@'127.0.0.1';"
    echo "CREATE USER 'kavfixture'@'127.0.0.1' IDENTIFIED BY '$pw';"
    echo "GRANT ALL PRIVILEGES ON *.* TO 'kavfixture'@'127.0.0.1';"
    echo "FLUSH PRIVILEGES;"
  } | /usr/bin/mariadb --no-defaults --socket="$sock" -uroot
  cat >>"$dir/env" <<ENV
export KAV_TEST_MYSQL_FIXTURE_USER=kavfixture
export KAV_TEST_MYSQL_FIXTURE_PASSWORD=$pw
ENV
}

# A read-only FTP server (pyftpdlib) on a free port; its root folder is DIR/ftp.
start_ftp() {
  local root="$dir/ftp" port pw
  port="$(free_port)"
  pw="$(/usr/bin/python3 -c 'import secrets; print(secrets.token_hex(8))')"
  mkdir -p "$root"
  /usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$port" -d "$root" -u kavftp -P "$pw" >"$dir/ftp.log" 2>&1 &
  echo $! >"$dir/ftp.pid"
  /usr/bin/python3 - "$port" <<'PY'
import socket, sys, time
for _ in range(120):
    try:
        socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=1).close()
        sys.exit(0)
    except OSError:
        time.sleep(0.25)
sys.exit(1)
PY
  cat >>"$dir/env" <<ENV
export KAV_TEST_FTP_PORT=$port
export KAV_TEST_FTP_USER=kavftp
export KAV_TEST_FTP_PASSWORD=$pw
export KAV_TEST_FTP_ROOT=$root
ENV
}

stop_pid() {
  local f="$1"
  [ -f "$f" ] || return 0
  local pid; pid="$(cat "$f")"
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 1 60); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.5; done
  kill -9 "$pid" 2>/dev/null || true
}

case "$cmd" in
  start)
    mkdir -p "$dir"; : >"$dir/env"
    start_mariadb
    grant_exchange
    start_ftp
    ;;
  stop)
    stop_pid "$dir/ftp.pid"
    stop_pid "$dir/mysql.pid"
    ;;
  *) echo "unknown command $cmd" >&2; exit 2 ;;
esac
