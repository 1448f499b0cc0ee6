#!/usr/bin/env bash
# A private CUPS server for the print tests, with two cups-pdf queues.
#
#   tools/cups-test-server.sh start DIR   prints the variables to export
#   tools/cups-test-server.sh stop DIR
#
# Everything lives in DIR: configuration, spool, logs, the socket and the
# PDF output. The server listens only on DIR/cups.sock, so a system cupsd
# on the same machine is neither needed nor touched. Needs root, because
# the cups-pdf backend runs only as root.
#
# cups-pdf reads its configuration from /etc/cups/cups-pdf.conf whatever
# the server's ServerRoot is, and writes to ${HOME}/PDF of the job's user.
# The server therefore runs in a mount namespace of its own in which our
# cups-pdf.conf lies over the system's, so that the PDFs land in DIR/pdf.
# Where namespaces are not allowed, the system's file stays in force and
# the output folder printed is the one it names.
set -euo pipefail

queue=PDF
second_queue=PDF2
ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd

usage() {
  echo "usage: $0 start|stop DIR" >&2
  exit 2
}

[ $# -eq 2 ] || usage
action=$1
dir=$2

write_config() {
  mkdir -p "$dir/conf" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/pdf" \
    "$dir/cups-pdf-spool"
  # The filters run as lp and must reach the spool below DIR.
  chmod 0755 "$dir"
  chmod 1777 "$dir/pdf"
  cat > "$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
StateDir $dir/state
CacheDir $dir/cache
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
User lp
Group lp
FileDevice No
EOF
  cat > "$dir/conf/cupsd.conf" <<EOF
LogLevel warn
Listen $dir/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
PreserveJobHistory Yes
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat > "$dir/conf/cups-pdf.conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/cups-pdf-spool
Log $dir/log
GSTmp $dir/spool/tmp
Grp lp
UserUMask 0022
AnonUMask 0022
DecodeHexStrings 1
LogType 3
EOF
}

# The folder cups-pdf writes to when the system's configuration is in force.
# The jobs belong to the user who runs the tests, also under sudo.
system_output_folder() {
  local out user home
  user=${SUDO_USER:-$(id -un)}
  out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n1)
  [ -n "$out" ] || out='${HOME}/PDF'
  home=$(getent passwd "$user" | cut -d: -f6)
  out=${out//'${HOME}'/$home}
  echo "${out//'${USER}'/$user}"
}

start_server() {
  local conf=(-c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf")
  if unshare -m --propagation private true 2>/dev/null; then
    unshare -m --propagation private sh -c \
      'mount --bind "$1" /etc/cups/cups-pdf.conf && shift && exec /usr/sbin/cupsd "$@"' \
      sh "$dir/conf/cups-pdf.conf" -f "${conf[@]}" > "$dir/log/cupsd.out" 2>&1 &
    echo "$dir/pdf" > "$dir/pdf-folder"
  else
    /usr/sbin/cupsd -f "${conf[@]}" > "$dir/log/cupsd.out" 2>&1 &
    system_output_folder > "$dir/pdf-folder"
  fi
  echo $! > "$dir/cupsd.pid"
}

wait_until_running() {
  local i
  for i in $(seq 1 500); do
    if lpstat -h "$dir/cups.sock" -r 2>/dev/null | grep -q 'is running'; then
      return 0
    fi
    if ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
      break
    fi
    sleep 0.01
  done
  echo "cupsd did not start; see $dir/log" >&2
  cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
  return 1
}

add_queues() {
  local q
  for q in "$queue" "$second_queue"; do
    lpadmin -h "$dir/cups.sock" -p "$q" -E -v cups-pdf:/ -m "$ppd" -o printer-is-shared=no \
      -o PageSize=A4 -o pdftops-renderer-default=pdftocairo -o TitlePref=1 2>&1 \
      | { grep -v 'drivers are deprecated' >&2 || true; } || return 1
  done
  lpadmin -h "$dir/cups.sock" -d "$queue"
}

stop_server() {
  [ -f "$dir/cupsd.pid" ] || return 0
  local pid i
  pid=$(cat "$dir/cupsd.pid")
  kill "$pid" 2>/dev/null || true
  for i in $(seq 1 500); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.01
  done
  kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null || true
  rm -f "$dir/cupsd.pid"
}

case "$action" in
  start)
    [ "$(id -u)" -eq 0 ] || { echo "$0: the cups-pdf backend needs root" >&2; exit 1; }
    write_config
    start_server
    if ! wait_until_running || ! add_queues; then
      stop_server
      exit 1
    fi
    printf 'export CUPS_SERVER=%q\n' "$dir/cups.sock"
    printf 'export BARLOG_CUPS_PDF_FOLDER=%q\n' "$(cat "$dir/pdf-folder")"
    ;;
  stop)
    stop_server
    ;;
  *)
    usage
    ;;
esac
