#!/usr/bin/env bash
# The core purity check itself: each include below, alone in a file of a scratch core folder, must pass
# or fail as its row says, and a failure must name the file and line.
set -euo pipefail
checker="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rows=(
  'pass|#include <string>'
  'pass|#include <nlohmann/json.hpp>'
  'pass|#include <unicode/ucol.h>'
  'pass|#include "TessarilCore/Support/Error.hpp"'
  'pass|#include <random> // engines only'
  'fail|#include <thread>'
  'fail|#  include <chrono>'
  'fail|#include <fstream>'
  'fail|#include <filesystem>'
  'fail|#include <mutex>'
  'fail|#include <atomic>'
  'fail|#include <cstdio>'
  'fail|#include <clocale>'
  'fail|#include "TessarilCore/../Platform/Clock/UptimeClock.hpp"'
  'fail|#include "../Platform/Clock/UptimeClock.hpp"'
  'fail|#include "Platform/Clock/UptimeClock.hpp"'
  'fail|#include <QString>'
  'fail|#include <unistd.h>'
  'fail|#include <sys/stat.h>'
)
failures=0
for row in "${rows[@]}"; do
  expected=${row%%|*}
  directive=${row#*|}
  rm -rf "$scratch/core" && mkdir -p "$scratch/core/Support"
  printf '#pragma once\n\n#include <string>\n%s\n' "$directive" >"$scratch/core/Support/Probe.hpp"
  status=0
  output=$("$checker" "$scratch/core" 2>&1) || status=$?
  if [ "$expected" = pass ] && [ $status -ne 0 ]; then
    echo "refused, should pass: $directive"$'\n'"$output" >&2
    failures=$((failures + 1))
  elif [ "$expected" = fail ] && { [ $status -ne 1 ] || [[ "$output" != *"Support/Probe.hpp:4:$directive"* ]]; }; then
    echo "not reported at Support/Probe.hpp:4 (status $status): $directive"$'\n'"$output" >&2
    failures=$((failures + 1))
  fi
done
echo "check-core-includes: $((${#rows[@]} - failures)) rows as expected, $failures not" >&2
[ $failures -eq 0 ]
