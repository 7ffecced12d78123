# What Orca says while the game (process PID) is played by keys, read from Orca's debug log
# LOG: the cell the focus is on when the window opens, then f5 and the computer's reply, a1
# refused, the game record copied, the hint, the move taken back, each sentence once and in
# that order, while the focus Orca follows stays on the board's cells; after 待った, row 5 is
# read as it was at the start.
import re, subprocess, sys, time

pid, log_path = int(sys.argv[1]), sys.argv[2]
START = {"d4": "白", "e5": "白", "d5": "黒", "e4": "黒", "c4": "空き 打てます",
         "d3": "空き 打てます", "e6": "空き 打てます", "f5": "空き 打てます"}
CELL = re.compile(r"([a-h][1-8]) (黒|白|空き( 打てます)?( ヒント)?)\.?")
ON_A_CELL = "[table cell | "


class Orca:  # the log as it grows: what Orca spoke, and where it saw the focus go
    def __init__(self, path):
        self.log, self.rest, self.lines = open(path, encoding="utf-8", errors="replace"), "", []
        self.said, self.foci, self.heard = [], [], 0  # heard: how much has been waited for

    def read(self):
        self.rest += self.log.read()
        *lines, self.rest = self.rest.replace("\r", "").split("\n")
        for line in lines:
            self.lines.append(line)
            if spoken := re.search(r"SPEECH OUTPUT: '(.*)' ?(\{[^{}]*\})?$", line):
                self.said.append(spoken[1])
            elif focus := re.search(r"Changing locusOfFocus from .* to (.*)\. Notify", line):
                self.foci.append(focus[1])

    def wait(self, what, probe, seconds=30):
        deadline, start = time.monotonic() + seconds, len(self.lines)
        while time.monotonic() < deadline:
            self.read()
            if answer := probe():
                return answer
            time.sleep(0.05)
        print(f"screen reader check failed: gave up waiting for {what}; Orca's log since:")
        print("\n".join(line for line in self.lines[start:]
                        if "SPEECH OUTPUT" in line or "Changing locusOfFocus" in line))
        sys.exit(1)

    def hear(self, what, pattern):  # a sentence said after the last one waited for
        def said():
            for i in range(self.heard, len(self.said)):
                if match := re.fullmatch(pattern, self.said[i]):
                    self.heard = i + 1
                    return match
        return self.wait(f"Orca to say {what} ({pattern})", said)


def expect(condition, message):
    if not condition:
        sys.exit(f"screen reader check failed: {message}")


def keys(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "100", *names],
                   timeout=10, check=True)


orca = Orca(log_path)
window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)],
                        timeout=20, capture_output=True, text=True).stdout.split()[:1]
expect(window, "no window of the game")
subprocess.run(["xdotool", "windowactivate", "--sync"] + window, timeout=10, check=True)
cell = orca.wait("the focus on a cell of the board",
                 lambda: next((f for f in orca.foci if f.startswith(ON_A_CELL)), None))
cell = cell[len(ON_A_CELL):-1]
first = orca.hear(f"the focused cell {cell}", re.escape(cell) + r"\.?")
expect((c := CELL.fullmatch(cell)) and c[2] == START.get(c[1], "空き"), f"first cell {cell}")
said_before, focus_before = orca.heard, len(orca.foci)

keys("f", "5")
reply = orca.hear("the computer's reply", r"COM は ([a-h][1-8])。あなたの番です。")
expect(reply[1] in ("d6", "f4", "f6"), f"after f5 the computer cannot play {reply[1]}")
keys("a", "1")
orca.hear("that a1 may not be played", "合法手ではありません。")
keys("ctrl+c")
orca.hear("that the record of 2 moves was copied", "棋譜（2 手）をコピーしました。")
keys("ctrl+h")
hint = orca.hear("the hint", r"ヒント: [a-h][1-8]（黒から見て [+-]?\d+(\.\d+)? 石、.+）。")
keys("ctrl+z")
orca.hear("the move taken back", "待ったをしました。あなたの番です。")
keys("Down", "Down", "Down", "Down")  # from a1 to a5, where Orca reads the whole row
orca.hear("row 5", r"h5 空き\.?")
row = orca.said[orca.heard - 8:orca.heard]
expect(all((r := CELL.fullmatch(s)) and r[1] == c + "5" and r[2] == START.get(r[1], "空き")
           for s, c in zip(row, "abcdefgh")), f"row 5 after 待った: {row}")

# Besides the cells, Orca says the keys pressed, as "f " or "left control ".
sentences = [s for s in orca.said[said_before:] if not CELL.fullmatch(s) and s[-1:] != " "]
expected = [reply[0], "合法手ではありません。", "棋譜（2 手）をコピーしました。", hint[0],
            "待ったをしました。あなたの番です。"]
expect(sentences == expected, f"Orca said {sentences}, not {expected}")
astray = [f for f in orca.foci[focus_before:] if not f.startswith(ON_A_CELL)]
expect(not astray, f"the focus left the board for {astray}")
print(f"Orca said, after {first[0]!r}: {sentences}")
