#!/usr/bin/env bash
# Runs a Windows program of the build under wine (the build's emulator: it runs
# tsv2dat at build time, and the tests). Unix paths in the arguments work: Wine maps the
# root of the file system to drive Z:, the current drive.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
