#!/usr/bin/env bash
# Start-up: `splimera --version` and a merge of two 1-page files against qpdf
# doing the same, run as users run them (from another folder, no display, an
# empty settings folder). Each case runs RUNS times (default 50) in turns with
# its qpdf command, for ROUNDS rounds (default 3); prints the median wall and
# CPU milliseconds of each round and the middle round's ratio (ours / qpdf).
# Other programs on the machine move the figures: compare rounds, not runs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
start_program_bench

for page in a b; do
  printf '%%!PS\n/Helvetica findfont 12 scalefont setfont 50 700 moveto (%s) show showpage\n' "$page" >"$work/$page.ps"
  gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -o "$work/$page.pdf" "$work/$page.ps"
done
mkdir -p "$work/settings"

# alternate NAME -- OUR COMMAND -- QPDF COMMAND (arguments split on a lone "@@").
alternate() {
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$work/settings" \
     python3 - "${RUNS:-50}" "${ROUNDS:-3}" "$@" <<'PY'
import os, statistics, sys, time
runs, rounds, name = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
commands, current = [], None
for word in sys.argv[4:]:
    if word == "@@":
        current = []
        commands.append(current)
    else:
        current.append(word)
quiet = os.open(os.devnull, os.O_WRONLY)

def once(command):
    if os.path.exists("m.pdf"):
        os.unlink("m.pdf")
    start = time.perf_counter()
    pid = os.posix_spawn(command[0], command, os.environ,
                         file_actions=[(os.POSIX_SPAWN_DUP2, quiet, 1), (os.POSIX_SPAWN_DUP2, quiet, 2)])
    _, status, usage = os.wait4(pid, 0)
    if status != 0:
        sys.exit(f"failed: {' '.join(command)}")
    return (time.perf_counter() - start) * 1000, (usage.ru_utime + usage.ru_stime) * 1000

medians = []
for _ in range(rounds):
    times = [[once(command) for command in commands] for _ in range(runs)]
    medians.append([(statistics.median(t[k][0] for t in times), statistics.median(t[k][1] for t in times))
                    for k in range(len(commands))])
for row in medians:
    print(f"{name:<22}" + "".join(f" {wall:8.1f} {cpu:8.1f}" for wall, cpu in row))
middle = sorted(medians, key=lambda row: row[0][0])[len(medians) // 2]
print(f"{name:<22} middle round: {middle[0][0]:.1f} ms against {middle[1][0]:.1f} ms, {middle[0][0] / middle[1][0]:.2f}x")
PY
  )
}

printf '%-22s %8s %8s %8s %8s\n' case "ours ms" "CPU ms" "qpdf ms" "CPU ms"
alternate --version @@ "$program" --version @@ "$(command -v qpdf)" --version
alternate "merge 2 x 1 page" @@ "$program" merge a.pdf b.pdf -o m.pdf @@ "$(command -v qpdf)" --empty --pages a.pdf b.pdf -- m.pdf
