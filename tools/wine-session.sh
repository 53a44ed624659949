# Shell functions of the tools that run Windows programs under Wine: a 32-bit
# prefix, and an Xvfb display of their own. Sourced; defines functions only.

# wine_prefix DIR: DIR as the 32-bit WINEPREFIX (Wine quiet, and no Mono or
# Gecko installer asked for, unless the caller set WINEDEBUG or
# WINEDLLOVERRIDES), created on first use.
wine_prefix() {
  export WINEPREFIX=$1 WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}

# start_xvfb FIRST: an Xvfb on the first free display from VELMORA_DISPLAY,
# or else from FIRST, exported as DISPLAY; its process id in xvfb_pid.
start_xvfb() {
  local n=${VELMORA_DISPLAY:-$1}
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
}

# stop_wine_session: ends the prefix's Wine processes and the Xvfb, if any.
stop_wine_session() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" >/dev/null 2>&1 || true; fi
}
