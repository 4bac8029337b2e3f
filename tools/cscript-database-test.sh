#!/usr/bin/env bash
# Runs a VBScript test on the test data source: fills the database with an SQL file, runs the
# script with its servers registered (cscript-test.sh), then reads the database back with a
# second SQL file, whose output must be exactly the expected text.
#   cscript-database-test.sh <database> <setup.sql> <check.sql> <expected output> <script.vbs> <server.dll>...
set -uo pipefail
database=$1 setup=$2 check=$3 expected=$4
shift 4

if ! sqlite3 -bail "$database" <"$setup"; then
  echo "cscript-database-test: $(basename "$setup") failed on $database" >&2
  exit 1
fi
"$(dirname "$0")/cscript-test.sh" "$@" || exit $?
actual=$(sqlite3 -bail "$database" <"$check") || exit 1
if [ "$actual" != "$expected" ]; then
  echo "cscript-database-test: $(basename "$check") gave" >&2
  printf '%s\n' "$actual" >&2
  echo "expected" >&2
  printf '%s\n' "$expected" >&2
  exit 1
fi
