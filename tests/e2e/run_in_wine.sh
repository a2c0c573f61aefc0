#!/usr/bin/env bash
# Runs a Windows program under Wine with the test run's prefix and display.
# A 32-bit program on a host that runs no 32-bit code is skipped (exit 77).
# Not exec: the display this script may have started is stopped by its exit trap.
source "$(dirname "$0")/lib.sh"
if [ "$(orvanel_pe_kind "$1")" = pei-i386 ]; then
  orvanel_skip_without_32bit "$(basename "$1") (a 32-bit Windows program)"
fi
orvanel_prepare_wine
orvanel_prepare_display
wine "$@"
