#!/bin/sh
# Runs the PostgreSQL cases of an archive test program on a throwaway cluster:
# pg_virtualenv creates it, sets PGHOST, PGPORT, PGUSER and PGPASSWORD for the
# command and drops the cluster afterwards. Exit 77 (skipped) without it.
set -eu
command -v pg_virtualenv >/dev/null 2>&1 || { echo "pg_virtualenv not installed"; exit 77; }
exec pg_virtualenv sh -c '
  TIRS48_TEST_POSTGRES="postgresql://$PGUSER:$PGPASSWORD@$PGHOST:${PGPORT:-5432}/postgres"
  export TIRS48_TEST_POSTGRES
  exec "$@" --gtest_filter="Postgres*"' sh "$@"
