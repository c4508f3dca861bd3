#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Scans that arrive as streams, warm cache (RUNS=3 by default; the best time
# and the largest peak memory of the runs), on the 1m tree:
#  - its export read from a file, and the same bytes from a pipe;
#  - the tree scanned "on another machine" over SSH to an SSH server of the
#    bench's own on 127.0.0.1: the scan there alone, headless here through
#    SSH, and the window's live root with its longest event-loop stall.
set -euo pipefail
runs="${RUNS:-3}"
cold=""
source "$(dirname "$0")/common.sh"
work="$(mktemp -d)"
export XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config"
server=""
trap '[ -z "$server" ] || kill "$server"; rm -rf "$work"' EXIT
spacelens="$top/build/app/spacelens"
tree=$(bench_tree 1m)

"$spacelens" --nogui --quiet --export-ncdu "$work/1m.json" "$tree"
measure "import from a file" "$spacelens" --nogui --import "$work/1m.json" --export /dev/null
measure "import from a pipe" sh -c "cat '$work/1m.json' | '$spacelens' --nogui --import - --export /dev/null"

# The other machine: this one, through an SSH server that finds only this
# build's program.
mkdir -p "$work/bin"
ln -s /bin/sh "$work/bin/sh"
ln -s "$spacelens" "$work/bin/spacelens"
ssh-keygen -q -t ed25519 -N '' -f "$work/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$work/user_key"
cp "$work/user_key.pub" "$work/authorized_keys"
printf '#!/bin/sh\nPATH=%s/bin\nexport PATH\nexec /bin/sh -c "$SSH_ORIGINAL_COMMAND"\n' "$work" >"$work/remote.sh"
chmod +x "$work/remote.sh"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$work/sshd_config" <<CONF
Port $port
ListenAddress 127.0.0.1
HostKey $work/host_key
PidFile $work/sshd.pid
AuthorizedKeysFile $work/authorized_keys
StrictModes no
UsePAM no
PasswordAuthentication no
PermitRootLogin prohibit-password
ForceCommand $work/remote.sh
LogLevel ERROR
CONF
cat >"$work/ssh_config" <<CONF
Host *
  IdentityFile $work/user_key
  UserKnownHostsFile $work/known_hosts
  StrictHostKeyChecking no
  BatchMode yes
  LogLevel ERROR
CONF
[ "$(id -u)" -ne 0 ] || mkdir -p /run/sshd
/usr/sbin/sshd -D -e -f "$work/sshd_config" &
server=$!
sleep 1
export SPACELENS_SSH="ssh -F $work/ssh_config"
measure "scan there alone" sh -c "$SPACELENS_SSH -p $port 127.0.0.1 spacelens --nogui --quiet --export-ncdu - '$tree' >/dev/null"
measure "headless here over SSH" "$spacelens" --nogui --quiet "ssh://127.0.0.1:$port$tree" --export /dev/null

echo
printf '| run | wall time (s) | peak memory (MB) |\n|---|---|---|\n'
for name in "${order[@]}"; do
  printf '| %s | %s | %s |\n' "$name" "${seconds[$name]}" "${megabytes[$name]}"
done
echo
echo "the window's live root over SSH:"
for _ in $(seq "$runs"); do
  QT_QPA_PLATFORM=offscreen "$top/build/bench/bench_window" "ssh://127.0.0.1:$port$tree" 2>/dev/null | tail -n 1
done
echo "targets: a pipe at most 1.2 x the file's time and no more memory; over SSH, the window's longest stall under 50 ms and its time at most 1.3 x the scan there alone"
