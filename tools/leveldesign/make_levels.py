#!/usr/bin/env python3
"""Writes the seven monuments of Vantero Vista into data/cfg/levels/.

Per monument NN (01 .. 07):
  NN.xml                 the little figures on the monument and the three passes
                         of seven sublevels (the same in every layout)
  NN_r800x600_attr.xml   attribute fragments pasted into <Level ...>: places of the
  NN_r1280x720_attr.xml  monument, cabin, foreman and the walking lines
  NN_r800x600.xml        backdrop animations of each layout (the engines with fixed
  NN_r1280x720.xml       paths exist in one variant per layout)

Pass 0 is hand-made (boards in fields.py, the tuning below).  Passes 1 and 2,
played in the second and every later campaign, are derived from it: shorter
time, more double tiles, more blocks, one more gem kind each, fewer and more
impatient workers.  Every board is checked against the rules of the field
format before anything is written.

Usage: make_levels.py [repository root]
"""
import os
import re
import sys

from fields import FIELDS

try:
    from bot_times import BOT_SECONDS
except ImportError:
    BOT_SECONDS = {}

HERE = os.path.dirname(os.path.abspath(__file__))

MONUMENTS = [
    # (title, place and era, Track)
    ("The Great Pyramid of Giza", "Egypt, about 2560 BC"),
    ("The Temple of Poseidon at Sounion", "Greece, about 440 BC"),
    ("The Pyramid of the Sun, Teotihuacan", "Mexico, about 200 AD"),
    ("Hagia Sophia", "Constantinople, 537 AD"),
    ("Angkor Wat", "Cambodia, 12th century"),
    ("Notre-Dame de Paris", "France, 1163 to 1345"),
    ("Himeji Castle", "Japan, 1609"),
]

# Gem kinds (sprite numbers of elements/marbleNN); each monument starts its list
# at another kind so that every site has its own colours.
KINDS = [11, 12, 13, 14, 15, 16, 17]

PASS_NAMES = ["Pass 0: the first campaign (hand-made boards)",
              "Pass 1: the second campaign (tighter time, more blocks, one more gem kind)",
              "Pass 2: every later campaign (the hardest)"]


# ---------------------------------------------------------------- boards

def sublevel_names():
    """The comment of every board in fields.py, in order, per monument."""
    text = open(os.path.join(HERE, "fields.py"), encoding="utf-8").read()
    names, current = {}, None
    for line in text.splitlines():
        m = re.match(r"\s+(\d+): \[", line)
        if m:
            current = int(m.group(1))
            names[current] = []
            continue
        m = re.match(r"\s+# \d+: (.*)", line)
        if m and current:
            names[current].append(m.group(1))
    return names


def parse(text):
    rows = [r.strip() for r in text.strip().splitlines() if r.strip()]
    return [list(r) for r in rows]


def check(grid, where, blocks):
    if len(grid) != 10 or any(len(r) != 10 for r in grid):
        raise SystemExit("%s: the board is not 10 x 10" % where)
    for r in grid:
        for ch in r:
            if ch not in "#.@$":
                raise SystemExit("%s: unexpected cell %r" % (where, ch))
    rows = [i for i in range(10) if any(ch != "#" for ch in grid[i])]
    bottom = rows[-1]
    spawn_cols = set()
    for r in range(10):
        for c in range(10):
            if grid[r][c] != "@":
                continue
            if c in (0, 9):
                raise SystemExit("%s: block spawn in column %d" % (where, c))
            column = [grid[i][c] for i in range(10)]
            top = next(i for i in range(10) if column[i] != "#")
            if r != top:
                raise SystemExit("%s: block spawn below the top of column %d" % (where, c))
            # Blocks fall past holes, but they leave the board only from its bottom row.
            if grid[bottom][c] == "#":
                raise SystemExit("%s: column %d has no bottom cell" % (where, c))
            spawn_cols.add(c)
    if blocks >= 2 and len(spawn_cols) < 2:
        raise SystemExit("%s: two or more blocks need spawns in two columns" % where)
    if blocks and not spawn_cols:
        raise SystemExit("%s: blocks without a spawn" % where)
    return spawn_cols


def harden(grid, pass_no):
    """More double tiles for the later passes, placed mirror-symmetrically: every
    sixth stone tile of rows 2 .. 7 in pass 1, of rows 1 .. 8 in pass 2."""
    g = [r[:] for r in grid]
    rows = range(2, 8) if pass_no == 1 else range(1, 9)
    for r in rows:
        for c in range(5):
            if (r + 2 * c) % 6 == 1:
                for cc in (c, 9 - c):
                    if g[r][cc] == ".":
                        g[r][cc] = "$"
    return g


def work(grid):
    """Tile levels to wear down: one per stone tile, two per double tile."""
    return sum(1 for r in grid for ch in r if ch in ".@") + 2 * sum(r.count("$") for r in grid)


# ---------------------------------------------------------------- tuning

def round5(x):
    return int(5 * round(x / 5.0))


def expected_seconds(grid, kinds, blocks):
    """A rough guess of what clearing the board takes a steady player (about
    0.7 s per move plus the cascades, which run 1.3 s each), for boards the bot
    has not measured yet: tiles, double tiles and blocks cost more the more gem
    kinds there are (fewer free cascades)."""
    tiles = sum(1 for r in grid for ch in r if ch != "#")
    doubles = sum(r.count("$") for r in grid)
    more = kinds - 4
    return tiles * (1.0 + 0.35 * more) + doubles * 0.5 + blocks * (5.0 + 5.0 * more)


# Share of the TimeLimit that the bot's mean play may take, per pass: room for
# a person in the first campaign, less in the later ones; and the share that its
# slowest measured play may take (above 1: that play would need a second try).
TIME_SHARE = (0.70, 0.80, 0.88)
SLOWEST_SHARE = (1.0, 1.1, 1.25)


def time_limit(monument, index, pass_no, grid, kinds, blocks):
    """The TimeLimit, from the bot's measured plays (bot_times.py, written by
    measure_times.py) or, for a board not measured yet, from the guess above."""
    measured = BOT_SECONDS.get((monument, pass_no, index + 1))
    mean, slowest = measured if measured else (expected_seconds(grid, kinds, blocks),) * 2
    return max(90, round5(max(mean / TIME_SHARE[pass_no], slowest / SLOWEST_SHARE[pass_no]) + 2.4))


def difficulty(step, pass_no):
    """Gem kinds and blocks of the sublevel at step 0 .. 48 of a campaign: a fifth
    kind from monument 4 on, a second block from the middle of monument 4; the
    later passes add a kind (at most six) and a block each."""
    kinds = min((4 if step < 21 else 5) + pass_no, 6)
    blocks = 1 + step // 25 + pass_no
    return kinds, blocks


def sublevel(monument, index, pass_no, grid):
    """The tuning of one sublevel; step runs 0 .. 48 through the campaign."""
    step = (monument - 1) * 7 + index
    kinds, blocks = difficulty(step, pass_no)
    start = (monument - 1) % 7
    elements = [KINDS[(start + i) % 7] for i in range(kinds)]

    limit = time_limit(monument, index, pass_no, grid, kinds, blocks)

    workers = max(2, 6 - step // 17 - pass_no)
    leaving = 34 - step // 8 - 3 * pass_no
    thresholds = [0, 0, 20, 45, 75, 110]

    # Easier gem lists for players who failed: after one failure one kind fewer
    # and the first kind twice as likely, after two failures only three kinds.
    p1 = "0" + "".join(str(i) for i in range(kinds - 1))
    p2 = "001122" if kinds > 3 else None
    return dict(elements=elements, blocks=blocks, time=limit,
                workers=[(thresholds[i], leaving) for i in range(workers)],
                p1=p1, p2=p2)


def block_list(n):
    out = []
    span = 70.0 / n
    for k in range(n):
        low = int(round(10 + span * k))
        high = int(round(10 + span * (k + 1)))
        out.append((1 + k % 2, low, high))
    return out


# ---------------------------------------------------------------- scenery

# Little figures on the monument picture, one per building stage 1 .. 25,
# standing on the course being laid (places relative to the picture's top-left;
# a figure is 16 x 24 with its feet on a plank at Y + 24).
#
# Outline of each complete monument picture (base/levels/NN/vantero.25.png):
# its top painted row, then "row:left-right" painted columns of every sixth row.
# Measured from the generated pictures without figures; measure again when the
# monument drawings change (the stage cut below follows the monument module).
MONUMENT_BASE = 296
FIGURE_W, FIGURE_H = 16, 24
SILHOUETTE = {
    1: (86,
        "86:101-101 92:97-105 98:94-109 104:93-109 110:90-112 116:87-115 122:84-118 128:82-121 134:79-124 140:76-126 146:73-129 152:71-132 158:68-135 164:65-138 170:63-141 176:60-143 182:57-146 188:54-149 194:52-152 200:49-155 206:46-158 212:43-160 218:41-163 224:38-166 230:35-169 236:32-172 242:30-175 248:27-177 254:24-180 260:21-183 266:19-186 272:16-189 278:13-192 284:11-194 290:2-203"),
    2: (95,
        "98:100-105 104:91-114 110:72-133 116:54-151 122:35-170 128:2-203 134:5-200 140:10-195 146:10-195 152:10-195 158:10-195 164:10-195 170:16-189 176:20-185 182:20-185 188:20-185 194:20-185 200:20-185 206:20-185 212:20-185 218:20-185 224:20-185 230:20-185 236:19-186 242:19-186 248:19-186 254:19-186 260:19-186 266:19-186 272:15-190 278:15-190 284:9-196 290:3-202"),
    3: (92,
        "92:78-127 98:81-124 104:81-124 110:81-124 116:74-131 122:75-130 128:73-132 134:71-134 140:69-136 146:61-144 152:61-144 158:60-145 164:58-147 170:56-149 176:55-150 182:46-159 188:45-160 194:43-162 200:42-163 206:41-164 212:39-166 218:29-176 224:28-177 230:27-178 236:25-180 242:24-181 248:23-182 254:8-197 260:9-196 266:8-197 272:6-199 278:5-200 284:4-201 290:3-202"),
    4: (74,
        "74:7-198 80:6-199 86:5-200 92:4-201 98:3-202 104:3-202 110:3-202 116:3-202 122:2-203 128:3-202 134:3-202 140:3-202 146:3-202 152:2-203 158:3-202 164:3-202 170:3-202 176:3-202 182:3-202 188:3-202 194:3-202 200:3-202 206:3-202 212:3-202 218:3-202 224:3-202 230:3-202 236:3-202 242:3-202 248:3-202 254:3-202 260:3-202 266:3-202 272:3-202 278:3-202 284:3-202 290:3-202"),
    5: (69,
        "74:101-104 80:101-104 86:99-106 92:98-107 98:96-109 104:95-110 110:94-111 116:62-143 122:62-143 128:60-145 134:59-146 140:58-147 146:57-148 152:56-149 158:25-180 164:25-180 170:24-181 176:23-182 182:53-152 188:21-184 194:21-184 200:20-185 206:19-186 212:19-186 218:18-187 224:18-187 230:17-188 236:17-188 242:16-189 248:16-189 254:11-194 260:13-192 266:13-192 272:13-192 278:2-203 284:3-202 290:3-202"),
    6: (19,
        "20:97-98 26:97-98 32:97-98 38:4-194 44:2-193 50:4-191 56:4-191 62:4-191 68:4-191 74:4-191 80:4-191 86:4-191 92:4-191 98:4-191 104:4-191 110:4-191 116:2-193 122:2-193 128:2-193 134:2-193 140:2-193 146:2-193 152:2-193 158:2-193 164:2-193 170:2-193 176:2-193 182:2-193 188:2-193 194:2-193 200:2-193 206:2-193 212:2-193 218:2-193 224:2-193 230:2-193 236:2-193 242:2-193 248:2-193 254:2-193 260:2-193 266:2-193 272:2-193 278:2-193 284:2-193 290:2-193"),
    7: (68,
        "68:102-103 74:69-137 80:69-135 86:77-128 92:70-135 98:62-143 104:74-131 110:74-131 116:71-134 122:55-150 128:67-138 134:67-138 140:63-142 146:54-151 152:57-148 158:57-148 164:57-148 170:50-155 176:34-171 182:46-159 188:46-159 194:46-159 200:38-167 206:23-182 212:35-170 218:35-170 224:35-170 230:35-170 236:31-174 242:29-176 248:28-177 254:26-179 260:24-181 266:21-184 272:19-186 278:15-190 284:11-194 290:7-198"),
}


# The monument is drawn after the time bar: its figures keep left of the bar in every layout.
def figure_x_limit():
    return min(LAYOUT_TIME_X[l] - ATTR[l]["ConstructionX"] for l in ATTR) - FIGURE_W - 4


def silhouette_span(monument, y):
    text = SILHOUETTE[monument][1]
    rows = [tuple(int(v) for v in r.replace(":", "-").split("-")) for r in text.split()]
    best = min(rows, key=lambda r: abs(r[0] - y))
    return best[1], best[2]


def small_workers(monument):
    out = []
    top = SILHOUETTE[monument][0]
    limit = figure_x_limit()
    for phase in range(1, 26):
        frame = phase - 1
        built = 0.04 + 0.96 * frame / 24.0
        cut = MONUMENT_BASE - (MONUMENT_BASE - top) * built
        # On the ground beside the foundations, later on the fresh course.
        # Never on a bare spire tip: the top figures work a little below it.
        feet = MONUMENT_BASE - 2 if frame == 0 else max(cut + 4, top + 34)
        left, right = silhouette_span(monument, min(feet + 4, MONUMENT_BASE - 6))
        inset = (right - left) * 0.12
        lo = int(left + inset)
        hi = min(int(right - inset) - FIGURE_W, limit)
        if hi <= lo:
            x = min(int((left + right) / 2) - FIGURE_W // 2, limit)
        else:
            x = lo + (phase * 37 + monument * 23) % (hi - lo + 1)
        y = int(round(feet)) - FIGURE_H
        out.append((phase, max(0, x), max(0, y)))
    return out


# The layout-dependent attributes of each Level.
ATTR = {
    "r800x600": dict(ConstructionX=10, ConstructionY=110, CabinX=8, CabinY=468,
                     WorkerInitialY=580, WorkerMinY=562, WorkerMaxY=596,
                     SupervisorX=116, SupervisorY=498),
    "r1280x720": dict(ConstructionX=90, ConstructionY=200, CabinX=20, CabinY=588,
                      WorkerInitialY=700, WorkerMinY=682, WorkerMaxY=716,
                      SupervisorX=300, SupervisorY=620),
}

# Left edge of the time-bar frame per layout ("GameScreenTimeX" of make_layouts.py).
LAYOUT_TIME_X = {"r800x600": 218, "r1280x720": 552}


# Backdrop animations per monument (Src in the level folder, engine, attributes
# for 800 x 600, attributes for 1280 x 720).
def scenery(monument, layout):
    big = layout == "r1280x720"
    S = []

    def add(comment, **a):
        S.append((comment, a))

    if monument == 1:   # desert: the king's flag, a desert flower, a butterfly, a scarab
        add("the king's banner on the ramp", Engine="Flag", Src="flags",
            X=560 if big else 60, Y=150 if big else 40, Alpha=255, MinPeriod=20, MaxPeriod=45)
        add("a desert flower opening in the sand", Engine="Flower", Src="flower",
            X=480 if big else 200, Y=600 if big else 470, Alpha=255, MinPeriod=30, MaxPeriod=60)
        add("a butterfly in front of the water clock", Src="butterfly",
            X=570 if big else 236, Y=330 if big else 210, Alpha=230)
        add("a scarab crawling off", Engine="Bug1280X720" if big else "Bug800X600", Src="bug",
            X=800 if big else 120, Y=10 if big else 96, Alpha=255, MinPeriod=25, MaxPeriod=50,
            RandomMirror=0)
    elif monument == 2:  # harbour: gulls, waves, a ship, fish and a dolphin
        add("seagulls that sometimes land on the posts",
            Engine="Seagull1280X720" if big else "Seagull800X600", Src="seagull",
            X=-80, Y=110 if big else 60, Alpha=255, MinPeriod=15, MaxPeriod=35,
            DY=30 if big else 20, YForSwooping=150 if big else 36)
        add("waves below the cliff", Engine="Wave", Src="wave",
            X=20 if big else 0, Y=440 if big else 400, Alpha=200, MinPeriod=6, MaxPeriod=12)
        add("a trading ship sailing off", Engine="Ship", Src="ship",
            X=300 if big else 120, Y=380 if big else 330, Alpha=255, MinPeriod=40, MaxPeriod=80)
        add("fish jumping (seen through the gaps of the board)", Src="fish",
            X=860 if big else 420, Y=330 if big else 300, Alpha=255, MinPeriod=12, MaxPeriod=25,
            RandomMirror=1)
        add("a dolphin far out at sea", Src="dolphin",
            X=420 if big else 160, Y=420 if big else 380, Alpha=220, MinPeriod=20, MaxPeriod=45,
            RandomMirror=1)
    elif monument == 3:  # jungle: the gik behind its stone, eyes and a snake
        add("the gik creeping from behind the stone",
            Engine="Gik1280X720" if big else "Gik", Src="gik",
            X=520 if big else 30, Y=640 if big else 498, Alpha=255, MinPeriod=30, MaxPeriod=60)
        add("eyes in the dark of the jungle", Src="eyes",
            X=40 if big else 20, Y=300 if big else 250, Alpha=255, MinPeriod=10, MaxPeriod=25)
        add("a snake on the terrace", Src="snake",
            X=880 if big else 500, Y=420 if big else 360, Alpha=255, MinPeriod=20, MaxPeriod=40,
            RandomMirror=1)
    elif monument == 4:  # the Bosporus wind: dust clouds and falling stars
        add("dust blowing over the site", Src="dust",
            X=200 if big else 60, Y=560 if big else 440, Alpha=160)
        add("a second gust of dust", Src="dust2",
            X=900 if big else 520, Y=300 if big else 260, Alpha=150, MinPeriod=15, MaxPeriod=30)
        add("falling stars over the dome", Engine="Meteor", Src="fallingstar",
            X=300 if big else 120, Y=80 if big else 40, Alpha=255, MinPeriod=8, MaxPeriod=20,
            DX=120 if big else 80, DY=40 if big else 25)
    elif monument == 5:  # night over the moat
        add("the moon over the towers", Src="moon",
            X=420 if big else 180, Y=40 if big else 20, Alpha=255, FPS=4)
        add("stars twinkling", Src="star",
            X=120 if big else 40, Y=60 if big else 30, Alpha=255, Mask=1)
        add("a bright star rising now and then", Src="bstar",
            X=860 if big else 480, Y=200 if big else 160, Alpha=255, Mask=1,
            MinPeriod=10, MaxPeriod=22, Delay=2)
        add("starlight on the water", Src="starshine",
            X=300 if big else 100, Y=520 if big else 420, Alpha=200, Mask=1)
    elif monument == 6:  # storm over the Seine
        add("lightning behind the towers", Engine="Lightning", Src="bolt",
            X=260 if big else 90, Y=30 if big else 10, Alpha=255, Mask=1,
            MinPeriod=12, MaxPeriod=30, RandomMirror=1)
        add("the river flowing past the island", Src="waterani01",
            X=0, Y=560 if big else 440, Alpha=220)
    else:               # castle: banners, a butterfly and falling stars
        add("a banner raised on the keep", Engine="Flag", Src="flags",
            X=420 if big else 150, Y=160 if big else 60, Alpha=255, MinPeriod=25, MaxPeriod=50)
        add("a butterfly in front of the water clock", Src="butterfly",
            X=570 if big else 236, Y=300 if big else 190, Alpha=230)
        add("falling stars over the plain", Engine="Meteor", Src="fallingstar",
            X=900 if big else 480, Y=100 if big else 60, Alpha=255, MinPeriod=10, MaxPeriod=24,
            DX=150 if big else 90, DY=40 if big else 30)
    return S


# ---------------------------------------------------------------- writing

ORDER = ["Engine", "Src", "X", "Y", "Alpha", "Mask", "FPS", "MinPeriod", "MaxPeriod",
         "Delay", "RandomMirror", "DX", "DY", "YForSwooping"]


def write_file(path, lines):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..")
    out = os.path.join(root, "data", "cfg", "levels")
    os.makedirs(out, exist_ok=True)
    names = sublevel_names()
    summary = []
    for m, (title, era) in enumerate(MONUMENTS, start=1):
        nn = "%02d" % m
        boards = FIELDS[m]
        if len(boards) != 7 or len(names[m]) != 7:
            raise SystemExit("monument %d needs seven boards" % m)
        L = ["<!-- Monument %d: %s (%s)." % (m, title, era),
             "     Written by tools/leveldesign/make_levels.py from the boards in fields.py. -->",
             "",
             "<!-- Little figures on the monument, one per building stage -->"]
        for phase, x, y in small_workers(m):
            L.append('<SmallWorker Phase="%d" X="%d" Y="%d"/>' % (phase, x, y))
        for p in range(3):
            L.append("")
            L.append("<!-- %s -->" % PASS_NAMES[p])
            L.append("<Pass>")
            for i, text in enumerate(boards):
                grid = parse(text)
                if p:
                    grid = harden(grid, p)
                s = sublevel(m, i, p, grid)
                where = "monument %d, pass %d, sublevel %d" % (m, p, i + 1)
                check(grid, where, s["blocks"])
                attrs = 'TimeLimit="%d" P1="%s"' % (s["time"], s["p1"])
                if s["p2"]:
                    attrs += ' P2="%s"' % s["p2"]
                L.append("  <!-- %s %d.%d: %s -->" % (title, m, i + 1, names[m][i]))
                L.append("  <SubLevel %s>" % attrs)
                for k in s["elements"]:
                    L.append('    <Element SpriteIndex="%d"/>' % k)
                for sprite, low, high in block_list(s["blocks"]):
                    L.append('    <Block SpriteIndex="%d" LowerBound="%d" UpperBound="%d"/>'
                             % (sprite, low, high))
                for bricks, leaving in s["workers"]:
                    L.append('    <Worker Bricks="%d" LeavingTime="%d"/>' % (bricks, leaving))
                L.append('    <Field SolidCellsByDefault="0">')
                for row in grid:
                    L.append("      " + "".join(row))
                L.append("    </Field>")
                L.append("  </SubLevel>")
                summary.append((m, p, i + 1, s["time"], len(s["elements"]), s["blocks"],
                                len(s["workers"]), work(grid)))
            L.append("</Pass>")
        write_file(os.path.join(out, nn + ".xml"), L)

        for layout in ("r800x600", "r1280x720"):
            A = ["[% NOTE Monument " + str(m) + ": " + title + ", layout " + layout[1:] + ".",
                 "   Attribute fragment pasted into the Level start tag. %]"]
            for key, value in ATTR[layout].items():
                A.append('%s="%d"' % (key, value))
            write_file(os.path.join(out, "%s_%s_attr.xml" % (nn, layout)), A)

            B = ["<!-- Monument %d: %s, backdrop animations of layout %s. -->"
                 % (m, title, layout[1:])]
            for comment, a in scenery(m, layout):
                B.append("<!-- %s -->" % comment)
                parts = ['%s="%s"' % (k, a[k]) for k in ORDER if k in a]
                B.append("<BackgroundAnimation %s/>" % " ".join(parts))
            write_file(os.path.join(out, "%s_%s.xml" % (nn, layout)), B)

    print("monument pass sub  time kinds blocks workers work")
    for row in summary:
        print("%8d %4d %3d %5d %5d %6d %7d %4d" % row)


if __name__ == "__main__":
    main()
