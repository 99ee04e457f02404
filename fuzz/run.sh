#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for a bounded time, starting from the committed seeds in
# fuzz/corpus/<target>/ plus whatever earlier runs found (kept in build-fuzz/corpus/<target>/).
# Prints the executions run per target and every broken property; exits non-zero on any.
#
#   FUZZ_SECONDS   seconds per target (60)
#   FUZZ_TARGETS   which targets to run (all twelve)
#   FUZZ_BUILD_DIR where to build (build-fuzz)
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${FUZZ_SECONDS:-60}"
targets="${FUZZ_TARGETS:-text_to_number general_format display_format entry_typing study_file station_file flow_series population_table livestock_table sanitation_table code_table region_file}"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

# Debian splits clang from its sanitizer and libFuzzer runtimes; install what is missing,
# as scripts/install-deps.sh does for the main build.
compiler=""
for c in clang++-14 clang++; do
  command -v "$c" >/dev/null 2>&1 && { compiler="$c"; break; }
done
can_link_fuzzer() {
  [ -n "$compiler" ] || return 1
  local probe
  probe="$(mktemp -d)"
  printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
    'extern "C" int LLVMFuzzerTestOneInput(const uint8_t *, size_t) { return 0; }' \
    >"$probe/probe.cpp"
  "$compiler" -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" \
    >/dev/null 2>&1
  local ok=$?
  rm -rf "$probe"
  return $ok
}
if ! can_link_fuzzer; then
  sudo_=""
  [ "$(id -u)" -ne 0 ] && sudo_=sudo
  echo "Installing clang-14 and its libFuzzer runtime"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends \
    clang-14 libclang-rt-14-dev || exit 1
  compiler=clang++-14
  can_link_fuzzer || { echo "clang++-14 cannot link a libFuzzer target" >&2; exit 1; }
fi

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Configured every time (quick once cached), so a target added since the last run is known.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="$compiler" "${launcher[@]}" \
    >/dev/null || exit 1
else
  cmake -S "$root/fuzz" -B "$build" >/dev/null || exit 1
fi
build_targets=()
for t in $targets; do build_targets+=(--target "fuzz_$t"); done
cmake --build "$build" -j "$(nproc)" "${build_targets[@]}" || exit 1

# How each target is driven: the typing target gets long keystroke sequences from the
# start, since some faults need dozens of keystrokes to show.
options_for() {
  case "$1" in
    entry_typing) echo "-len_control=0 -max_len=256" ;;
    display_format) echo "-max_len=256" ;;
    study_file) echo "-max_len=65536 -dict=$root/fuzz/study_file.dict" ;;
    station_file) echo "-max_len=4096" ;;
    flow_series) echo "-max_len=8192 -dict=$root/fuzz/flow_series.dict" ;;
    population_table | livestock_table | sanitation_table | code_table) echo "-max_len=4096" ;;
    region_file) echo "-max_len=65536 -dict=$root/fuzz/region_file.dict" ;;
    *) echo "-max_len=1024" ;;
  esac
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

failed=0
summary=()
for t in $targets; do
  work="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  log="$build/logs/$t.log"
  mkdir -p "$work" "$artifacts" "$(dirname "$log")"
  echo "== fuzz_$t: $seconds s"
  # shellcheck disable=SC2046
  "$build/fuzz_$t" "$work" "$root/fuzz/corpus/$t" -max_total_time="$seconds" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" $(options_for "$t") >"$log" 2>&1
  status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
  coverage="$(grep -o 'cov: [0-9]*' "$log" | tail -1)"
  if [ "$status" -eq 0 ]; then
    result="ok"
  else
    result="FAILED"
    failed=1
    echo "-- fuzz_$t failed (exit $status); from $log:"
    if grep -q 'PROPERTY BROKEN' "$log"; then
      # The property and its detail; of a long keystroke log, its start and its end.
      awk '/PROPERTY BROKEN/ {on = 1} /ERROR: libFuzzer/ {on = 0} on' "$log" | cut -c1-400 |
        awk '{ line[NR] = $0 } END { for (i = 1; i <= NR; i++)
               if (i <= 3 || i > NR - 15) print line[i]; else if (i == 4) print "    ..." }'
    else
      grep -A8 -E 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error' "$log" |
        cut -c1-400 | head -30
    fi
    artifact="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)"
    if [ -n "$artifact" ]; then
      echo "-- input: $artifact"
      echo "-- replay: $build/fuzz_$t $artifact"
    fi
  fi
  summary+=("$(printf '%-16s %12s %10s %10s  %s' "$t" "${runs:-?}" "${rate:-?}" \
    "${coverage#cov: }" "$result")")
done

echo
printf '%-16s %12s %10s %10s  %s\n' target executions "exec/s" coverage result
printf '%s\n' "${summary[@]}"
exit $failed
