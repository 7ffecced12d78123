# What Orca says while the game (process PID) is played by keys, read from Orca's debug log
# LOG as it grows: the focused cell when the window opens, then the computer's reply to f5,
# a1 refused, the record copied, the hint and the move taken back, each sentence once and in
# that order, while the focus Orca follows stays on the board's cells.
import re, subprocess, sys, time

pid, log = int(sys.argv[1]), open(sys.argv[2], encoding="utf-8", errors="replace")
lines, said, foci, heard = [], [], [], 0  # heard: the sentences waited for so far


def fail(message):
    print(f"screen reader check failed: {message}; Orca's speech and focus:")
    print("\n".join(l for l in lines if "SPEECH OUTPUT" in l or "locusOfFocus from" in l))
    sys.exit(1)


def hear(pattern, seconds=60):  # waits for a sentence after the last one heard
    global heard
    deadline, rest = time.monotonic() + seconds, ""
    while time.monotonic() < deadline:
        rest += log.read()
        *new, rest = rest.replace("\r", "").split("\n")
        for line in new:
            lines.append(line)
            if spoken := re.search(r"SPEECH OUTPUT: '(.*)' ?(\{[^{}]*\})?$", line):
                said.append(spoken[1])
            elif focus := re.search(r"Changing locusOfFocus from .* to (.*)\. Notify", line):
                foci.append(focus[1])
        for i in range(heard, len(said)):
            if match := re.fullmatch(pattern, said[i]):
                heard = i + 1
                return match
        time.sleep(0.05)
    fail(f"gave up waiting for {pattern}")


def keys(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "100", *names],
                   timeout=10, check=True)


window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)],
                        timeout=20, capture_output=True, text=True).stdout.split()[:1]
subprocess.run(["xdotool", "windowactivate", "--sync"] + window, timeout=10, check=True)
hear(r"f5 空き 打てます\.?")  # the cell the board's frame starts on
start, focus_start = heard, len(foci)
keys("f", "5")
reply = hear(r"COM は (d6|f4|f6)。あなたの番です。")[0]
steps = [(("a", "1"), "合法手ではありません。"), (("ctrl+c",), "棋譜（2 手）をコピーしました。"),
         (("ctrl+h",), r"ヒント: [a-h][1-8]（黒から見て [+-]?\d+(\.\d+)? 石、.+）。"),
         (("ctrl+z",), "待ったをしました。あなたの番です。")]
sentences = [reply] + [hear(pattern)[0] for names, pattern in steps if not keys(*names)]

# Besides these, once each, Orca says only cells and the keys pressed ("f ", "left control ").
cell = re.compile(r"[a-h][1-8] (黒|白|空き)( 打てます)?( ヒント)?\.?")
if (rest := [s for s in said[start:] if s[-1:] != " " and not cell.fullmatch(s)]) != sentences:
    fail(f"Orca said {rest}")
if astray := [f for f in foci[focus_start:] if not f.startswith("[table cell | ")]:
    fail(f"the focus left the board for {astray}")
print(f"Orca said: {sentences}")
