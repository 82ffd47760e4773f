#!/usr/bin/env bash
# Saves of one answer through the history, killed with SIGKILL at random moments: after every
# kill the answer must be a whole version, and the version before it must still be kept.
# Bounded: at most 50 kills or about 50 seconds.
set -u
saver=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
folder="$root/应答 历史"
"$saver" init "$folder" || exit 1

kills=0
deadline=$((SECONDS + 50))
while [ "$kills" -lt 50 ] && [ "$SECONDS" -lt "$deadline" ]; do
  "$saver" save "$folder" 50 &
  pid=$!
  sleep "0.$(printf '%03d' $((RANDOM % 300)))"
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  kills=$((kills + 1))
  if ! last=$("$saver" check "$folder"); then
    echo "after kill $kills the answer or its previous version was lost"
    exit 1
  fi
done
echo "$kills kills; last: $last"
[ "$kills" -ge 10 ] || { echo "too few kills in the time allowed"; exit 1; }
