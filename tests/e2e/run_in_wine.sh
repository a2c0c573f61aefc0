#!/usr/bin/env bash
# Runs a Windows program under Wine with the test run's prefix and display.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
# Not exec: the display this script may have started must go when wine is done.
wine "$@"
