#!/usr/bin/env bash
# Starts and stops the throwaway database servers of the server import tests, each in a
# folder of its own, reached on 127.0.0.1 at a free port and by a socket in that folder.
#   test_servers.sh start postgresql|mariadb FOLDER SCHEMA.sql   prints the port
#   test_servers.sh stop  postgresql|mariadb FOLDER              stops it, removes the folder
# Exits 77 when the server's programs are not installed. The import reads as the role
# "reader" (password "reader"), which may read the tables but owns none of them.
# PostgreSQL refuses to run as root, so as root each server runs as its package's user.
set -euo pipefail
action=$1 kind=$2 folder=$3
pg_bin=/usr/lib/postgresql/15/bin
as_root=false
[ "$(id -u)" -eq 0 ] && as_root=true

run_as() {  # user command...
  local user=$1
  shift
  if $as_root; then runuser -u "$user" -- "$@"; else "$@"; fi
}

free_port() {  # one that nothing answers on
  local port
  for port in $(shuf -i 20000-60000 -n 50); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return
    fi
  done
  return 1
}

start_postgresql() {
  [ -x "$pg_bin/initdb" ] && [ -x "$pg_bin/pg_ctl" ] || exit 77
  local port data=$folder/data
  port=$(free_port)
  mkdir -p "$folder"
  $as_root && chown postgres "$folder"
  run_as postgres "$pg_bin/initdb" -D "$data" -U admin --auth-local=trust \
    --auth-host=scram-sha-256 --no-sync -E UTF8 --no-locale >"$folder/initdb.log"
  run_as postgres "$pg_bin/pg_ctl" -D "$data" -l "$folder/server.log" -w -t 30 \
    -o "-p $port -k $folder -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
  local psql=(psql -X -q -v ON_ERROR_STOP=1 -h "$folder" -p "$port" -U admin)
  "${psql[@]}" -d postgres -c "CREATE DATABASE shop" \
    -c "CREATE ROLE reader LOGIN PASSWORD 'reader'"
  "${psql[@]}" -d shop -f "$1" >/dev/null
  echo "$port"
}

start_mariadb() {
  command -v mariadbd >/dev/null || [ -x /usr/sbin/mariadbd ] || exit 77
  command -v mariadb-install-db >/dev/null || exit 77
  local port data=$folder/data user=()
  port=$(free_port)
  mkdir -p "$folder"
  if $as_root; then
    chown mysql "$folder"
    user=(--user=mysql)
  fi
  mariadb-install-db --no-defaults --datadir="$data" "${user[@]}" --skip-test-db \
    --auth-root-authentication-method=normal >"$folder/install.log" 2>&1
  PATH=$PATH:/usr/sbin mariadbd --no-defaults --datadir="$data" "${user[@]}" \
    --socket="$folder/socket" --port="$port" --bind-address=127.0.0.1 \
    --pid-file="$folder/server.pid" --log-error="$folder/server.log" \
    --skip-log-bin --innodb-buffer-pool-size=16M --innodb-flush-log-at-trx-commit=0 >/dev/null 2>&1 &
  local client=(mariadb --no-defaults -u root --socket="$folder/socket")
  for _ in $(seq 100); do
    "${client[@]}" -e "SELECT 1" >/dev/null 2>&1 && break
    sleep 0.1
  done
  "${client[@]}" -e "CREATE DATABASE shop; CREATE USER reader@'127.0.0.1' IDENTIFIED BY 'reader';
    CREATE USER reader@localhost IDENTIFIED BY 'reader'; GRANT SELECT ON shop.* TO reader@'127.0.0.1';
    GRANT SELECT ON shop.* TO reader@localhost"
  "${client[@]}" shop <"$1"
  echo "$port"
}

stop() {
  if [ "$kind" = postgresql ]; then
    run_as postgres "$pg_bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null 2>&1 || true
  elif [ -f "$folder/server.pid" ]; then
    local pid
    pid=$(cat "$folder/server.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  rm -rf "$folder"
}

case "$action" in
  start) "start_$kind" "$4" ;;
  stop) stop ;;
esac
