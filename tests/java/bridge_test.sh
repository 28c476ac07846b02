#!/bin/sh
# Runs the Java bridge under Wine the way a Windows program runs a JVM (here from a batch file of
# Wine's cmd) and checks what the Linux java behind it receives: arguments, class path, environment,
# working folder; and what comes back: exit codes, and no java left when the bridge is killed.
#
#   bridge_test.sh BRIDGE.exe.so PROBE_FOLDER WINEBENCH     (QIV_BENCH names a started bench)
set -u
winebench=$3
prefix="$(cd "$QIV_BENCH" && pwd)/prefix"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/bridgetest.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
home="$tmp/jvm home"
pkg="$tmp/package dir"
mkdir -p "$home/bin" "$pkg"
cp "$1" "$home/bin/java.exe"
cp "$2/BridgeProbe.class" "$pkg/"
failures=0

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
java_exe=$(winpath "$home/bin/java.exe")

# The batch lines on stdin become t.bat in the package folder.
batch() { { printf '@echo off\r\n'; sed 's/$/\r/'; } > "$pkg/t.bat"; }

# Runs t.bat: its exit code in rc, its output in $tmp/out.
run_batch() {
    rc=0
    (cd "$pkg" && sh "$winebench" run cmd /c t.bat) > "$tmp/out" 2>&1 || rc=$?
}

expect() {
    if [ "$2" != "$3" ]; then
        failures=$((failures + 1))
        printf 'FAILED %s\n  expected: %s\n  got:      %s\n  output of the run:\n' "$1" "$2" "$3"
        sed 's/^/    /' "$tmp/out"
    fi
}

# What the probe printed for KEY; several lines (the arguments) joined with '|'.
probe() { sed -n "s/^$1=//p" "$tmp/out" | tr '\n' '|'; }

# Windows paths, class path separators and an empty argument; the shell's CLASSPATH, which the
# batch removed only from the Windows environment, must not reach java.
batch <<EOF
set CLASSPATH=
"$java_exe" "-Dprobe.path=$(winpath "$pkg")\\x" -cp ".;sub\\dir;$(winpath "$tmp");" BridgeProbe "$(winpath "$pkg")" "" plain "a;b\\c" C:/x D:rel
EOF
CLASSPATH=/from/the/shell run_batch
expect "java's exit code, the number of its arguments" 6 "$rc"
expect "CLASSPATH removed on the Windows side" "null|" "$(probe CLASSPATH)"
expect "class path" ".:sub/dir:$tmp:|" "$(probe java.class.path)"
expect "property with a path" "$pkg/x|" "$(probe probe.path)"
expect "arguments" "$pkg||plain|a:b/c|$prefix/dosdevices/c:/x|D:rel|" "$(probe arg)"

QIV_REAL_JAVA=/no/such/java run_batch
expect "exit code when java cannot start" 127 "$rc"
expect "message when java cannot start" 1 "$(grep -c 'javabridge: cannot start /no/such/java' "$tmp/out")"

# Whoever kills the bridge means to stop its java too.
printf '"%s" -cp . BridgeProbe sleep\n' "$java_exe" | batch
run_batch &
for i in $(seq 300); do [ -s "$pkg/java.pid" ] && break; sleep 0.1; done
java_pid=$(cat "$pkg/java.pid" 2>/dev/null)
state() { [ -z "$java_pid" ] && echo "never started" || { kill -0 "$java_pid" 2>/dev/null && echo alive || echo gone; }; }
[ -n "$java_pid" ] && kill -KILL $(ps -o ppid= -p "$java_pid")
wait
for i in $(seq 50); do [ "$(state)" = alive ] || break; sleep 0.1; done
expect "java after the bridge was killed" gone "$(state)"
[ "$(state)" = alive ] && kill -KILL "$java_pid"

[ $failures -eq 0 ] && echo "all checks passed" || echo "$failures checks failed"
[ $failures -eq 0 ]
