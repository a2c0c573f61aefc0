#!/usr/bin/env bash
# Runs a Windows program under Wine with the test run's prefix and display.
# Not exec: the display this script may have started is stopped by its exit trap.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
wine "$@"
