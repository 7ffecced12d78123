# What Orca says while the game (process PID) is played by keys, read from Orca's debug log
# LOG as it grows: the focused cell when the window opens, then f5 with the computer's reply,
# a1 refused, the record copied, the hint and the move taken back, each sentence once and in
# that order, while the focus Orca follows stays on the board's cells. Then a whole game
# typed letter and digit: no cell is read between the two keys, each turn is one sentence
# naming the player's square and the reply, and the status bar (Orca's status-bar command)
# gives the discs on the board, as the board's cells read over AT-SPI count them.
import re, subprocess, sys, time
import pyatspi

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
reply = hear(r"あなたは f5、COM は (d6|f4|f6)。あなたの番です。")[0]
steps = [(("a", "1"), "合法手ではありません。"), (("ctrl+c",), "棋譜（2 手）をコピーしました。"),
         (("ctrl+h",), r"ヒント: [a-h][1-8]（黒から見て [+-]?\d+(\.\d+)? 石、.+）。"),
         (("ctrl+z",), "待ったをしました。あなたの番です。")]
sentences = [reply] + [hear(pattern)[0] for names, pattern in steps if not keys(*names)]

# Besides these, once each, Orca says only cells and the keys pressed ("f ", "left control ").
cell = re.compile(r"[a-h][1-8] (黒|白|空き)( 打てます)?( ヒント)?\.?")
if (rest := [s for s in said[start:] if s[-1:] != " " and not cell.fullmatch(s)]) != sentences:
    fail(f"Orca said {rest}")
print(f"Orca said: {sentences}")

app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid)
board = pyatspi.findDescendant(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE)


def cells():  # what each cell says after its square, a1 .. h1, a2 .. h8
    for c in board:
        c.clearCache()
    return [c.name[3:] for c in board]


def typed(key):  # Orca's echo of the key: where it ends what Orca has said
    keys(key)
    hear(key + " ")
    return heard


# Black plays the first square it may in the board's order, a letter then a digit: Orca
# reads no cell between the two keys, then the square's row (or the square alone), and the
# turn is one sentence. The status bar (Orca's status-bar command) gives the discs.
END = r"(?P<end>あなたの番です|あなたはパスです|ゲーム終了)。(黒 \d+、白 \d+。.+。)?"
game, turns, read = heard, [], []
while not turns or turns[-1]["end"] != "ゲーム終了":
    first = cells().index("空き 打てます")
    square = "abcdefgh"[first % 8] + str(first // 8 + 1)
    letter, digit = typed(square[0]), typed(square[1])
    turns.append(hear(rf"あなたは {square}(、COM は( [a-h][1-8]|パスしました))?。{END}"))
    between = [s for s in said[letter:digit - 1] if cell.fullmatch(s)]
    after = [s for s in said[digit:heard] if cell.fullmatch(s)]
    if between or any(s[1] != square[1] for s in after):
        fail(f"{square} typed: Orca read {between} between the keys, then {after}")
    read += after
    while turns[-1]["end"] == "あなたはパスです":
        turns.append(hear(rf"COM は [a-h][1-8]。{END}"))
    keys("Insert+KP_Enter", "Insert+KP_Enter")
    status = hear(r".+ — (あなたの番です|ゲーム終了) — (黒 \d+・白 \d+)\.?")[2]
    if status != f"黒 {cells().count('黒')}・白 {cells().count('白')}":
        fail(f"the status bar says {status}, the board {cells()}")

# Orca said these sentences once each, and each move of the game in one of them; the rest
# is cells, keys, and the status-bar command's window title, role and line. (On a busy
# machine Orca may answer the toolkit too late to keep KP_Enter from the game, which then
# refuses the square just played.)
turns = [t[0] for t in turns]
other = re.compile(r".* |Tolvaney - トルヴァニー -|statusbar\.|.+ — 黒 \d+・白 \d+\.?"
                   r"|合法手ではありません。")
if (rest := [s for s in said[game:] if not (cell.fullmatch(s) or other.fullmatch(s))]) != turns:
    fail(f"Orca said {rest}")
played = re.findall(r"(?:あなたは|COM は) ([a-h][1-8])", "".join(turns))
if len(set(played)) != len(played) or len(played) != 60 - cells().count("空き"):
    fail(f"the squares heard {played} are not the moves of the game")
if astray := [f for f in foci[focus_start:] if not f.startswith("[table cell | ")]:
    fail(f"the focus left the board for {astray}")
print(f"a whole game typed: {len(turns)} sentences, {len(read)} cells read, "
      f"{sum(s[-1:] == ' ' for s in said[game:])} keys echoed; it ended {turns[-1]}")
