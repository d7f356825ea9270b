#!/usr/bin/env bash
# A private print spooler, display and Wine prefix for running Fontprobe and its
# Windows-side tests, never touching the machine's own CUPS or Wine set-up.
#
#   rig.sh start STATE_FILE [--dpi N] [--use-display] [--cups-only]
#                [--ipp NAME=FORMATS[:fail]]... QUEUE...
#                                                 start everything; the rig's folder
#                                                 is written to STATE_FILE. With
#                                                 --use-display, windows go to $DISPLAY
#                                                 instead of a private Xvfb screen;
#                                                 --cups-only starts the spooler alone
#   rig.sh stop STATE_FILE                        stop everything and remove the folder
#   rig.sh exec STATE_FILE COMMAND...             run COMMAND inside the rig
#
# A QUEUE is a CUPS queue name with optional markers: a leading '*' makes it the
# default printer; a trailing '!' makes it refuse jobs, '~' stops it with the
# reason "Paused for maintenance", '^' gives it a backend that fails, so that its
# jobs are aborted. Every queue captures the raw
# bytes of each job in the rig's jobs/ folder as JOBID.data, JOBID.title,
# JOBID.queue and JOBID.time (when it arrived, in ns). A queue NAME@PRINTER
# has for its device the rig's IPP printer PRINTER. A queue added later with a
# socket:// device (as the fonts tests add them) captures its jobs the same
# way: the rig's socket backend is the capture backend.
#
# --ipp starts an IPP printer of CUPS's own (ippeveprinter) that lists the
# comma-separated FORMATS as document-format-supported, at the address in the
# rig's ipp/NAME.uri; it keeps each job's file in ipp-jobs/NAME.N, or with
# ":fail" ends each job aborted with "the rig's IPP printer jammed". The prefix's web browser only notes each address it is handed, one
# a line, in the rig's browser-visits file.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

die() {
  echo "rig: $*" >&2
  exit 1
}

write_cups_config() {
  local dir=$1
  mkdir -p "$dir/cups/"{etc,spool,cache,state,log,bin/backend}
  chmod 0755 "$dir/cups" "$dir/cups/bin" "$dir/cups/bin/backend"
  for sub in filter daemon cgi-bin notifier monitor; do
    ln -s "/usr/lib/cups/$sub" "$dir/cups/bin/$sub"
  done
  ln -s /usr/lib/cups/backend/ipp "$dir/cups/bin/backend/ipp"
  ln -s capture "$dir/cups/bin/backend/socket"
  sed "s|@JOBS@|$dir/jobs|" "$here/capture-backend.sh" >"$dir/cups/bin/backend/capture"
  chmod 0755 "$dir/cups/bin/backend/capture"
  cat >"$dir/cups/etc/cups-files.conf" <<EOF
ServerRoot $dir/cups/etc
RequestRoot $dir/cups/spool
CacheDir $dir/cups/cache
StateDir $dir/cups/state
ServerBin $dir/cups/bin
DataDir /usr/share/cups
AccessLog $dir/cups/log/access_log
ErrorLog $dir/cups/log/error_log
PageLog $dir/cups/log/page_log
FileDevice No
EOF
  cat >"$dir/cups/etc/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
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
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
}

start_cupsd() {
  local dir=$1 log=$1/cups/log/error_log
  # A copy of the daemon: AppArmor profiles confine /usr/sbin/cupsd by its path
  # and may deny it a configuration, spool and backend under /tmp; a copy here
  # is named by no profile.
  cp "$(command -v cupsd)" "$dir/cups/cupsd"
  # Detached from our output, so that whoever ran us is not kept waiting on it.
  "$dir/cups/cupsd" -f -c "$dir/cups/etc/cupsd.conf" -s "$dir/cups/etc/cups-files.conf" \
    </dev/null >"$dir/cups/log/cupsd.out" 2>&1 &
  local pid=$!
  echo "$pid" >"$dir/cupsd.pid"
  export CUPS_SERVER="$dir/cups.sock"
  # Ready means answering on its own socket, not merely having made it.
  for _ in $(seq 150); do
    LC_ALL=C lpstat -r 2>/dev/null | grep -qx 'scheduler is running' && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  {
    echo "rig: the private cupsd did not answer on $CUPS_SERVER within 15 s; its error log $log ends:"
    tail -n 20 "$log" "$dir/cups/log/cupsd.out" 2>/dev/null
  } >&2
  exit 1
}

add_queue() {
  local name=$1 is_default=0 kind=""
  [[ $name == \** ]] && is_default=1 && name=${name#\*}
  [[ $name == *[\!~^] ]] && kind=${name: -1} && name=${name%?}
  if [[ $name == *@* ]]; then
    lpadmin -p "${name%@*}" -E -v "$(cat "$RIG_DIR/ipp/${name#*@}.uri")"
    name=${name%@*}
  elif [ "$kind" = "^" ]; then
    lpadmin -p "$name" -E -v capture:/fail -o printer-error-policy=abort-job
  else
    lpadmin -p "$name" -E -v capture:/rig
  fi
  [ $is_default = 1 ] && lpadmin -d "$name"
  case $kind in
    !) cupsreject "$name" ;;
    "~") cupsdisable -r "Paused for maintenance" "$name" ;;
  esac
  return 0
}

# A D-Bus system bus of the rig's own: ippeveprinter needs one even when it
# announces nothing.
start_bus() {
  local dir=$1
  [ -f "$dir/dbus.pid" ] && return 0
  cat >"$dir/dbus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$dir/dbus.sock</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
EOF
  dbus-daemon --config-file="$dir/dbus.conf" --fork --print-pid >"$dir/dbus.pid"
}

# True when something listens on the loopback port.
listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

free_port() {
  local port
  for _ in $(seq 50); do
    port=$((20000 + RANDOM % 30000))
    listening "$port" || { echo "$port" && return 0; }
  done
  die "no free port found"
}

start_ipp_printer() {
  local dir=$1 printer=$2 name formats fail="" port jobs=$1/ipp-jobs
  name=${printer%%=*} formats=${printer#*=}
  [[ $formats == *:fail ]] && fail=1 && formats=${formats%:fail}
  start_bus "$dir"
  mkdir -p "$dir/ipp/$name.spool" "$jobs"
  printf 'ATTR mimeMediaType document-format-supported %s\nATTR text printer-make-and-model "Rig %s"\n' \
    "$formats" "$name" >"$dir/ipp/$name.conf"
  if [ -n "$fail" ]; then
    printf '#!/bin/sh\necho "ERROR: the rig'\''s IPP printer jammed" >&2\nexit 1\n' >"$dir/ipp/$name.print"
  else
    # Each job's file, whole, as ipp-jobs/NAME.N.
    printf '#!/bin/sh\nn=$(ls "%s" | wc -l)\ncp "$1" "%s/.part" && mv "%s/.part" "%s/%s.$n"\n' \
      "$jobs" "$jobs" "$jobs" "$jobs" "$name" >"$dir/ipp/$name.print"
  fi
  chmod 0755 "$dir/ipp/$name.print"
  port=$(free_port)
  DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/dbus.sock" ippeveprinter -r off -p "$port" -n localhost \
    -d "$dir/ipp/$name.spool" -k -c "$dir/ipp/$name.print" -a "$dir/ipp/$name.conf" "$name" \
    </dev/null >"$dir/ipp/$name.log" 2>&1 &
  echo $! >"$dir/ipp/$name.pid"
  for _ in $(seq 100); do
    if listening "$port"; then
      echo "ipp://localhost:$port/ipp/print" >"$dir/ipp/$name.uri"
      return 0
    fi
    kill -0 "$(cat "$dir/ipp/$name.pid")" 2>/dev/null || break
    sleep 0.1
  done
  cat "$dir/ipp/$name.log" >&2
  die "the IPP printer $name did not start"
}

start_display() {
  local dir=$1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$dir/display.number" </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    if [ -s "$dir/display.number" ]; then
      echo ":$(cat "$dir/display.number")" >"$dir/display"
      return 0
    fi
    sleep 0.1
  done
  die "Xvfb did not start"
}

write_env() {
  local dir=$1
  cat >"$dir/env" <<EOF
export CUPS_SERVER='$dir/cups.sock'
export LANG=C.UTF-8
export FONTPROBE_RIG_JOBS='$dir/jobs'
EOF
  [ -f "$dir/display" ] || return 0
  cat >>"$dir/env" <<EOF
export WINEPREFIX='$dir/prefix'
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
export DISPLAY='$(cat "$dir/display")'
export FONTPROBE_RIG_BROWSER_VISITS='$dir/browser-visits'
EOF
}

make_prefix() {
  local dir=$1 dpi=$2
  (
    # shellcheck source=/dev/null
    source "$dir/env"
    # The wineserver outlives this step; it must not hold our output open.
    wineboot -i </dev/null >"$dir/wine.log" 2>&1
    printf '#!/bin/sh\necho "$1" >>"%s/browser-visits"\n' "$dir" >"$dir/browser.sh"
    chmod 0755 "$dir/browser.sh"
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$dir/browser.sh" /f \
      </dev/null >>"$dir/wine.log" 2>&1
    if [ -n "$dpi" ]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >>"$dir/wine.log" 2>&1
      wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >>"$dir/wine.log" 2>&1
    fi
    wineserver -w </dev/null >>"$dir/wine.log" 2>&1
  )
}

start() {
  local state=$1 dpi="" use_display=0 wine=1 ipp_printers=()
  shift
  while [[ ${1:-} == --* ]]; do
    case $1 in
      --dpi) dpi=$2 && shift ;;
      --use-display) use_display=1 ;;
      --cups-only) wine=0 ;;
      --ipp) ipp_printers+=("$2") && shift ;;
      *) die "unknown option $1" ;;
    esac
    shift
  done
  local dir
  dir=$(mktemp -d /tmp/fontprobe-rig.XXXXXX)
  chmod 0755 "$dir"
  echo "$dir" >"$state"
  mkdir -p "$dir/jobs"
  chmod 0777 "$dir/jobs"
  RIG_DIR=$dir
  for printer in "${ipp_printers[@]}"; do start_ipp_printer "$dir" "$printer"; done
  write_cups_config "$dir"
  start_cupsd "$dir"
  for queue in "$@"; do add_queue "$queue"; done
  if [ $wine = 0 ]; then
    write_env "$dir"
    return 0
  fi
  if [ $use_display = 1 ] && [ -n "${DISPLAY:-}" ]; then
    echo "$DISPLAY" >"$dir/display"
  else
    start_display "$dir"
  fi
  write_env "$dir"
  make_prefix "$dir" "$dpi"
}

stop() {
  local state=$1 dir
  [ -f "$state" ] || return 0
  dir=$(cat "$state")
  if [ -f "$dir/display" ]; then
    (
      # shellcheck source=/dev/null
      source "$dir/env"
      wineserver -k 2>/dev/null || true
    )
  fi
  for pidfile in "$dir/cupsd.pid" "$dir/xvfb.pid" "$dir/dbus.pid" "$dir"/ipp/*.pid; do
    [ -f "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null || true
  done
  sleep 0.2
  case $dir in /tmp/fontprobe-rig.*) rm -rf "$dir" ;; esac
  rm -f "$state"
}

run_in() {
  local state=$1
  shift
  [ -f "$state" ] || die "no rig is running for $state"
  # shellcheck source=/dev/null
  source "$(cat "$state")/env"
  exec "$@"
}

case "${1:-}" in
  start) shift && start "$@" ;;
  stop) shift && stop "$@" ;;
  exec) shift && run_in "$@" ;;
  *) die "usage: rig.sh start|stop|exec STATE_FILE ..." ;;
esac
