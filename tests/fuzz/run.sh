#!/usr/bin/env bash
# The fuzz targets, each started from seeds among the generated assets and from its own
# corpus in tests/fuzz/corpus/NAME (hand-made hostile files and every input that once failed).
#   run.sh replay NAME BIN_DIR ASSETS
#       runs BIN_DIR/replay_NAME once on every seed and corpus input (the normal test run)
#   run.sh fuzz BIN_DIR ASSETS SECONDS JOBS WORK
#       runs every BIN_DIR/fuzz_NAME under libFuzzer for SECONDS, JOBS at a time; the corpus
#       grown so far is kept in WORK/corpus/NAME, failing inputs go to WORK/artifacts/NAME;
#       FUZZ_TARGETS="NAME ..." runs only those
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
read -r -a targets <<< "${FUZZ_TARGETS:-levels options_stats xfile bmp_header texture_image level_building}"

# Asset files and folders a target starts from.
seeds() {
  case "$1" in
    levels) echo "levels.dat levels" ;;
    level_building) echo "levels.dat" ;;
    xfile) echo "models" ;;
    bmp_header) echo "gui misc textures skins" ;;
    texture_image) echo "misc textures skins backgrounds" ;;
    *) echo "" ;;
  esac
}

# Longer inputs than the seeds need would only slow the search.
limits() {
  case "$1" in
    bmp_header) echo "-max_len=256" ;;
    texture_image) echo "-max_len=24576" ;;
    *) echo "" ;;
  esac
}

inputs() {  # name assets: the existing seed and corpus paths
  local name=$1 assets=$2 s
  for s in $(seeds "$name"); do [ -e "$assets/$s" ] && echo "$assets/$s"; done
  [ -d "$here/corpus/$name" ] && echo "$here/corpus/$name"
  return 0
}

case "$1" in
  replay)
    name=$2 bin=$3 assets=$4
    mapfile -t paths < <(inputs "$name" "$assets")
    VELORUNE_ASSETS="$assets" "$bin/replay_$name" "${paths[@]}"
    ;;
  fuzz)
    bin=$2 assets=$3 seconds=$4 jobs=$5 work=$6
    mkdir -p "$work/logs"
    run_one() {
      local name=$1 seedDir="$work/seeds/$1"
      rm -rf "$seedDir" && mkdir -p "$seedDir" "$work/corpus/$name" "$work/artifacts/$name"
      mapfile -t paths < <(inputs "$name" "$assets")
      for p in "${paths[@]}"; do
        if [ -d "$p" ]; then cp -r "$p"/. "$seedDir"/; else cp "$p" "$seedDir"/; fi
      done
      # shellcheck disable=SC2046
      VELORUNE_ASSETS="$assets" "$bin/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=10 \
        -artifact_prefix="$work/artifacts/$name/" $(limits "$name") "$work/corpus/$name" "$seedDir" \
        > "$work/logs/$name.log" 2>&1 && echo 0 > "$work/logs/$name.status" || echo $? > "$work/logs/$name.status"
    }
    for name in "${targets[@]}"; do
      while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
      rm -f "$work/logs/$name.status"
      run_one "$name" &
    done
    wait
    status=0 failed=()
    for name in "${targets[@]}"; do
      [ "$(cat "$work/logs/$name.status" 2>/dev/null)" = 0 ] || failed+=("$name")
    done
    printf '%-16s %12s %8s %8s %8s\n' target runs seconds crashes peak_rss
    for name in "${targets[@]}"; do
      log="$work/logs/$name.log"
      done_line=$(grep -E '^Done [0-9]+ runs' "$log" | tail -1 || true)
      runs=$(echo "$done_line" | awk '{print $2}')
      secs=$(echo "$done_line" | awk '{print $5}')
      rss=$(grep -oE 'rss: [0-9]+Mb' "$log" | tail -1 | awk '{print $2}')
      crashes=$(find "$work/artifacts/$name" -type f | wc -l)
      printf '%-16s %12s %8s %8s %8s\n' "$name" "${runs:-?}" "${secs:-?}" "$crashes" "${rss:-?}"
    done
    for name in "${failed[@]}"; do
      echo "== fuzz_$name failed; its log ends:"
      tail -40 "$work/logs/$name.log"
      status=1
    done
    exit $status
    ;;
  *)
    echo "usage: run.sh replay NAME BIN_DIR ASSETS | run.sh fuzz BIN_DIR ASSETS SECONDS JOBS WORK" >&2
    exit 2
    ;;
esac
