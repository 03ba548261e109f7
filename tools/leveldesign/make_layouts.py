#!/usr/bin/env python3
"""Writes the two screen layouts of Vantero Vista:
data/cfg/layout/r800x600.xml and data/cfg/layout/r1280x720.xml.

Both files are attribute fragments: they hold only key="value" lines and are
pasted into the start tag of the root element <Vantero ...> by Config.xml.
Each key is written once per layout, so both tables below list the same keys.

The game screen has its own arrangement in each layout (the 1280 x 720 board
uses 60-pixel cells and the building site is wider).  The screens around play
(menu, map, help, scores, credits, dialogs) keep the 800 x 600 arrangement and
are centred in the 1280 x 720 area, so their positions are moved by (240, 60).

Usage: make_layouts.py [repository root]   (default: two folders above this file)
"""
import os
import sys

# The screens around play are drawn 240 px right and 60 px down in 1280 x 720.
CX, CY = 240, 60


def centred(x_key, x, y_key, y):
    """A position pair of a centred screen: (800 value, 1280 value) for X and Y."""
    return [(x_key, x, x + CX), (y_key, y, y + CY)]


def same(key, value):
    return [(key, value, value)]


# (group comment, [(key, value at 800 x 600, value at 1280 x 720), ...])
GROUPS = []

GROUPS.append(("Board, conveyor and building site (read once after loading)", [
    ("CellSize", 50, 60),
    ("FieldX", 285, 650),
    ("FieldY", 15, 24),
    ("ConveyerY", 548, 660),
    ("GroundY", 585, 706),
    ("MechanicY", 572, 690),
    ("LeftBound", 300, 668),
    ("RightBound", 760, 1228),
    ("BrickAverageY", 575, 696),
    ("LifeX", 228, 562),
    ("LifeY", 476, 610),
    ("TimeLineX", 228, 562),
    ("TimeLineY", 130, 250),
    ("ParchX", 120, 310),
    ("ParchY", 20, 30),
    ("ParchYOut", -600, -720),
    ("ParchPercentX", 420, 470),
]))

GROUPS.append(("Time bar and life indicator", [
    ("GameScreenTimeX", 218, 552),
    ("GameScreenTimeY", 120, 240),
    ("GameBubblesDX", 248, 582),
    ("GameBubblesDY", 130, 250),
    ("GameTimeTipX", 249, 583),
    ("GameTimeTipY", 300, 420),
    ("GameScreenLifeX", 214, 548),
    ("GameScreenLifeY", 462, 596),
]))

GROUPS.append(("Score, level counter and the roll menu of the game screen", [
    ("GameScoresX", 10, 16),
    ("GameScoresY", 8, 10),
    ("GameScoresTextX", 40, 52),
    ("GameScoresTextY", 22, 26),
    ("GameLevelX", 10, 16),
    ("GameLevelY", 52, 62),
    ("GameLevelTextX", 60, 72),
    ("GameLevelTextY", 62, 74),
    ("GameMenuX", 140, 200),
    ("GameMenuY", 2, 2),
    ("RollMenuAniX", 120, 180),
    ("RollMenuAniY", 40, 44),
    ("RollMenu00X", 150, 210),
    ("RollMenu00Y", 6, 6),
    ("RollMenu01X", 150, 210),
    ("RollMenu01Y", 80, 84),
    ("RollMenu02X", 150, 210),
    ("RollMenu02Y", 130, 134),
    ("RollMenu03X", 150, 210),
    ("RollMenu03Y", 180, 184),
    ("RollMenu04X", 150, 210),
    ("RollMenu04Y", 230, 234),
]))

GROUPS.append(("Backdrop props: the gik's stone and the seagulls' posts (they match the fixed flight paths)", [
    ("GameStoneX", 150, 610),
    ("GameStoneY", 478, 628),
    ("GameLeftBilletX", 188, 543),
    ("GameLeftBilletY", 78, 205),
    ("GameRightBilletX", 235, 591),
    ("GameRightBilletY", 72, 199),
]))

GROUPS.append(("Mechanic, boxes and the three carriers", [
    ("LeftPuhBlockBound", 310, 678),
    ("LeftBlockFallBound1", 292, 655),
    ("LeftBlockFallBound2", 288, 650),
    ("GameWorkersPosForBlockCarringX", 200, 560),
    ("GDX", 4, 4),
]))

GROUPS.append(("Figures walking in and out of the site", [
    ("GameScreenOverRightX", 880, 1360),
    ("GameHawkerMaxX", 860, 1340),
    ("GameHawkerEndX", 560, 900),
    ("GameHawkerMinX", -120, -120),
    ("GameGirlEndX", 470, 760),
]))

GROUPS.append(("Trophy at the end of a monument (also where its flight starts on the map)", [
    ("GameBigTrophyBigX", 400, 640),
    ("GameBigTrophyBigY", 300, 360),
]))

GROUPS.append(("Loading screen", [
    *centred("LoadingBarX", 220, "LoadingBarY", 500),
    *centred("LoadingScreenCaptionX", 200, "LoadingScreenCaptionY", 60),
]))

# Main menu: the 1280 x 720 menu has its own picture with the buttons further right.
menu = []
for i, (name, y) in enumerate([("Start", 120), ("FreePlay", 180), ("Player", 230),
                               ("Options", 280), ("Help", 330), ("Scores", 380),
                               ("Exit", 430)]):
    menu.append(("Menu%sX" % name, 560, 960))
    menu.append(("Menu%sY" % name, y, y + 90))
menu += [("MenuLightBigX", 80, 200), ("MenuLightBigY", 40, 60)]
# Eighteen little workers busy on the scaffold of the menu picture.
workers800 = [(60, 300), (95, 318), (140, 296), (182, 330), (230, 312), (270, 338),
              (48, 380), (90, 402), (150, 376), (205, 410), (250, 390), (300, 420),
              (70, 470), (120, 492), (176, 468), (228, 500), (286, 476), (340, 505)]
for i, (x, y) in enumerate(workers800, start=1):
    menu.append(("MenuWorker%dX" % i, x, round(x * 1.6) + 40))
    menu.append(("MenuWorker%dY" % i, y, round(y * 1.2)))
menu += centred("WelcomeOkX", 340, "WelcomeOkY", 500)
GROUPS.append(("Main menu and welcome dialog", menu))

GROUPS.append(("Player list and the controller name entry", [
    *centred("PlayAsStatParchX", 250, "PlayAsStatParchY", 45)[:1],
    ("PlayAsStatParchY", 45, 45),
    *centred("ControllerEnterNameBtnsX", 190, "ControllerEnterNameBtnsY", 250),
    *centred("ControllerEnterNameCancelX", 250, "ControllerEnterNameCancelY", 500),
    *centred("ControllerEnterNameOkX", 450, "ControllerEnterNameOkY", 500),
    ("ControllerEnterNameCharDX", 14, 14),
    ("ControllerEnterNameCharDY", 8, 8),
    *centred("ControllerEnterNameTextX", 250, "ControllerEnterNameTextY", 180),
    ("ControllerEnterNameWidth", 300, 300),
]))

GROUPS.append(("Map screen (the map picture is laid out for 800 x 600 and moved by MapDX, MapDY)", [
    ("MapDX", 0, CX),
    ("MapDY", 0, CY),
    ("MapTimeLineDX", 0, 0),
    ("MapTimeLineDY", 0, 0),
    *centred("MapScreenPlayX", 660, "MapScreenPlayY", 540),
    *centred("MapScreenExitX", 20, "MapScreenExitY", 540),
    *centred("MapScreenLegendPhotoX", 530, "MapScreenLegendPhotoY", 20),
    *centred("MapScreenNfoScrollX", 525, "MapScreenNfoScrollY", 330),
    *centred("MapScreenNfoScrollPicX", 550, "MapScreenNfoScrollPicY", 358),
    *centred("MapScreenPercentX", 740, "MapScreenPercentY", 345),
    *centred("MapHistorianX", 20, "MapHistorianY", 420),
    ("PixelsPerYear", "0,1", "0,1"),
]))

GROUPS.append(("Help screen and its demonstrations", [
    *centred("HelpScreenDoneX", 340, "HelpScreenDoneY", 530),
    *centred("HelpScreenCaptionX", 290, "HelpScreenCaptionY", 10),
    *centred("HelpMatchSampleX", 60, "HelpMatchSampleY", 100),
    *centred("HelpPushBlockSampleX", 60, "HelpPushBlockSampleY", 250),
    *centred("Shutter1X", 40, "Shutter1Y", 240),
    *centred("HelpScreenBastaSampleX", 110, "HelpScreenBastaSampleY", 440),
    ("HelpWalkMoveY", 470, 530),
    *centred("HelpScreenBonusSampleX", 440, "HelpScreenBonusSampleY", 100),
    *centred("HelpScreenSuperBonusSampleX", 560, "HelpScreenSuperBonusSampleY", 300),
]))

GROUPS.append(("High scores (the parchment is shifted by the program at width 1280)", [
    *centred("HighScoresCaptionX", 270, "HighScoresCaptionY", 20),
    *centred("HighScoresDoneX", 340, "HighScoresDoneY", 530),
    *centred("HighScoresRankX", 110, "HighScoresRankY", 128),
    *centred("HighScoresPlayerNameX", 200, "HighScoresPlayerNameY", 140),
    *centred("HighScoresScoresX", 420, "HighScoresScoresY", 140),
    *centred("HighScoresMedalsX", 560, "HighScoresMedalsY", 134),
    ("HighScoresStripeHeight", 52, 52),
    ("HighScoresRankShutterX", 100, 340),
]))

GROUPS.append(("Credits, congratulations and the welcome dialog's title", [
    *centred("CreditScreenMenuX", 340, "CreditScreenMenuY", 540),
    *centred("CreditScreenTitleX", 300, "CreditScreenTitleY", 20),
    ("CreditTextXDelta", 0, 0),
    ("Credits_2Y", 90, 150),
    ("Credits_3Y", 480, 540),
    *centred("CongratulationMenuX", 340, "CongratulationMenuY", 530),
    *centred("CongratulationTitleX", 250, "CongratulationTitleY", 30),
    ("CongratulationRankX", 300, 540),
]))


def write(path, column, title):
    seen = set()
    # XML allows no comment inside a start tag, so the notes are directive tags
    # that the preprocessor drops ("NOTE" is no directive keyword).
    lines = ["[% NOTE Vantero Vista: screen layout " + title + ".",
             "   Attribute fragment of the root element (pasted into <Vantero ...>).",
             "   Generated by tools/leveldesign/make_layouts.py; edit the table there. %]"]
    for comment, rows in GROUPS:
        lines.append("")
        lines.append("[% NOTE " + comment + " %]")
        for row in rows:
            key, value = row[0], row[column]
            if key in seen:
                raise SystemExit("key written twice: " + key)
            seen.add(key)
            lines.append('%s="%s"' % (key, value))
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    return len(seen)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    out = os.path.join(root, "data", "cfg", "layout")
    os.makedirs(out, exist_ok=True)
    n1 = write(os.path.join(out, "r800x600.xml"), 1, "800 x 600")
    n2 = write(os.path.join(out, "r1280x720.xml"), 2, "1280 x 720")
    print("layout keys: %d (800 x 600), %d (1280 x 720)" % (n1, n2))


if __name__ == "__main__":
    main()
