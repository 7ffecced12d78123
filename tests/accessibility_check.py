# What a screen reader finds in the running game (process PID), read over AT-SPI: one
# table 盤 of 8 x 8 cells "a1 空き" .. "h8 空き" in the start position, the four squares
# black may play saying "打てます" (whether or not the markers are drawn), and no picture
# without a name; f5 typed on the keyboard turns cell f5 black, the computer replies, and
# the message "1手目: 35" is read. At three sizes of the window each cell lies on its square
# as the screen shows it. What Orca speaks of it is check-screen-reader.sh's.
import re, subprocess, sys, time
import pyatspi

SQUARES = [c + r for r in "12345678" for c in "abcdefgh"]


def wait_for(what, probe, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            if answer := probe():
                return answer
        except Exception:  # the tree may change under a walk
            pass
        time.sleep(0.2)
    sys.exit(f"accessibility check failed: gave up waiting for {what}")


def expect(condition, message):
    if not condition:
        sys.exit(f"accessibility check failed: {message}")


def walk(node):  # every object under node, without entering the board's cells
    yield node
    if node.getRole() != pyatspi.ROLE_TABLE:
        for child in node:
            yield from walk(child)


def cells(board):  # {square: what is on it}, in the order of the board's children
    found = {}
    for cell in board:
        cell.clearCache()
        match = re.fullmatch(r"([a-h][1-8]) (黒|白|空き( 打てます)?)", cell.name)
        expect(cell.getRole() == pyatspi.ROLE_TABLE_CELL and match, f"a child {cell}")
        found[match[1]] = match[2]
    expect(list(found) == SQUARES and board.childCount == 64, f"cells {list(found)}")
    return found


def discs(contents, colour):
    return sum(value == colour for value in contents.values())


pid = int(sys.argv[1])
app = wait_for("the game", lambda: [a for a in pyatspi.Registry.getDesktop(0)
                                    if a and a.get_process_id() == pid], 15)[0]
boards = wait_for("the board", lambda: [n for n in walk(app) if n.name == "盤"
                                        and n.getRole() == pyatspi.ROLE_TABLE], 10)
expect(len(boards) == 1, f"{len(boards)} boards")
board, table = boards[0], boards[0].queryTable()
unnamed = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_IMAGE and not n.name]
expect(not unnamed, f"{len(unnamed)} pictures without a name")
start = cells(board)
placed = {square: what for square, what in start.items() if what != "空き"}
expect(placed == {"d4": "白", "e5": "白", "d5": "黒", "e4": "黒", "c4": "空き 打てます",
                  "d3": "空き 打てます", "e6": "空き 打てます", "f5": "空き 打てます"},
       f"start {placed}")
expect((table.nRows, table.nColumns) == (8, 8), "not 8 x 8")
expect([table.getRowDescription(i) + table.getColumnDescription(i) for i in range(8)]
       == [str(i + 1) + "abcdefgh"[i] for i in range(8)], "row and column names")
expect(all(table.getAccessibleAt(i // 8, i % 8).name.startswith(SQUARES[i] + " ")
           for i in range(64)), "cells at their rows and columns")
f5 = board.getChildAtIndex(SQUARES.index("f5")).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
expect((f5.width, f5.height) == (38, 38), f"f5 is {f5.width} x {f5.height}")
print("start position, rows, columns and cells read")

window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)],
                        timeout=10, capture_output=True, text=True).stdout.split()[:1]


def screen():  # the screen's pixels, as a function of a point
    shot = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True,
                          timeout=20, check=True).stdout
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", shot)
    width, data = int(header[1]), shot[header.end():]
    return lambda x, y: tuple(data[3 * (y * width + x):3 * (y * width + x) + 3])


def looks(pixel):  # what a point of the board shows: a disc's colour or the board
    r, g, b = pixel
    return "黒" if max(pixel) < 70 else "白" if min(pixel) > 170 else "空き" if g > r + 30 else "?"


def check_extents(size):  # every cell's extents lie on its square as the screen shows it
    def extents(cell):
        return cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "windowsize"] + window + [str(n) for n in size], timeout=10,
                   check=True)
    side = wait_for(f"the cells at {size}", lambda: (e := extents(board[0])).width > 0 and
                    abs(e.width - extents(board[63]).width) <= 1 and
                    (e.width != last or size == sizes[0]) and e.width, 10)
    pixel = screen()
    for square, cell in zip(SQUARES, board):
        e = extents(cell)
        inside = [(e.x + e.width // 2, e.y + e.height // 2)]
        if start[square] != "空き":  # a disc fills its box but for the corners
            inside += [(e.x + e.width // 2, e.y + 4 * side // 38),
                       (e.x + 4 * side // 38, e.y + e.height // 2)]
        seen = [looks(pixel(x, y)) for x, y in inside]
        expect(seen == [start[square].split()[0]] * len(inside),
               f"at {size} cell {square} at {e.x},{e.y} {e.width}x{e.height} shows {seen}")
    return side


sizes, last = [(628, 388), (1256, 776), (1000, 500)], 0
for size in sizes:
    last = check_extents(size)
    print(f"every cell on its square at {size[0]} x {size[1]}: cells {last} pixels wide")
subprocess.run(["xdotool", "windowfocus", "--sync"] + window, timeout=10, check=True)
wait_for("the board's focus", lambda: board.getState().contains(pyatspi.STATE_FOCUSED), 5)
subprocess.run(["xdotool", "key", "--delay", "100", "f", "5"], timeout=10, check=True)
played = wait_for("f5 黒", lambda: (c := cells(board))["f5"] == "黒" and c, 10)
focused = [c.name for c in board if c.getState().contains(pyatspi.STATE_FOCUSED)]
expect(focused == ["f5 黒"], f"focused {focused}")
replied = wait_for("the reply", lambda: (c := cells(board)) and discs(c, "白") >= 3
                   and discs(c, "黒") + discs(c, "白") == 6 and c, 20)
print(f"after f5: 白 {discs(played, '白')}; after the reply: 白 {discs(replied, '白')}")
label = wait_for("「1手目: 35」", lambda: [n.name for n in walk(app) if n.clearCache() or
                 n.getRole() == pyatspi.ROLE_LABEL and "1手目: 35" in n.name], 10)
print(f"message: {label[0]!r}")
