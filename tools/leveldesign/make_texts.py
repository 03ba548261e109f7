#!/usr/bin/env python3
"""Writes the English texts of Vantero Vista for both layouts:
data/cfg/texts/r800x600_l1033.xml and data/cfg/texts/r1280x720_l1033.xml.

A text element carries its words and its place together, so every layout gets
its own file.  The words live once in this script; the places are given for
800 x 600 and moved for 1280 x 720 according to how the screen is placed:

  "abs"  an absolute place on a screen that is centred in 1280 x 720: X+240, Y+60
  "absx" only X is absolute (the program adds a computed Y): X+240
  "rel"  relative to something the program places (tip bubble, dialog, map): unchanged
  "own"  the two layouts have their own places (given explicitly)

Texts: "^" breaks a line, "@" is a non-breaking blank; "&" and "<" are escaped here.
Usage: make_texts.py [repository root]
"""
import os
import sys
from xml.sax.saxutils import escape

CX, CY = 240, 60

TITLE = "font01"   # capitals for titles
BODY = "font03"    # the running text of dialogs, tips and help
SMALL = "font04"   # small print: descriptions, pin labels, legends

MONUMENTS = [
    # (title on the map, pin label, name on the player's parchment, legend)
    ("The Great Pyramid of Giza", "Giza", "Giza",
     "Around 2560 BC the builders of King Khufu raised a mountain of limestone on the plateau "
     "above the Nile. More than two million blocks were hauled up ramps by work gangs who "
     "left their team names painted inside the stones. For nearly four thousand years no "
     "building on Earth stood taller."),
    ("The Temple of Poseidon", "Sounion", "Sounion",
     "On the cliffs of Cape Sounion, where ships rounding Attica first see land, the Athenians "
     "built a marble temple to the god of the sea around 440 BC. Its slender columns were "
     "cut from stone quarried nearby, and sailors greeted it as the sign of home."),
    ("The Pyramid of the Sun", "Teotihuacan", "Teotihuacan",
     "In the valley of Mexico, around 200 AD, the people of Teotihuacan piled earth, rubble "
     "and adobe into one of the largest pyramids of the Americas. It faces the setting sun "
     "along the great Avenue of the Dead, in a city that once housed a hundred thousand people."),
    ("Hagia Sophia", "Hagia@Sophia", "Hagia@Sophia",
     "Emperor Justinian wanted the greatest church of his empire, and in only five years, "
     "by 537 AD, ten thousand workers raised it in Constantinople. Its vast dome seems to "
     "float on a ring of forty windows, and it still crowns the skyline of Istanbul."),
    ("Angkor Wat", "Angkor", "Angkor@Wat",
     "King Suryavarman II of the Khmer had this temple city built in the twelfth century as "
     "a model of the universe in stone. Five lotus towers rise above a moat so wide that "
     "the whole sandstone mountain is mirrored in the water at dusk."),
    ("Notre-Dame de Paris", "Notre-Dame", "Notre-Dame",
     "From 1163 masons, carpenters and glaziers worked for almost two centuries on the island "
     "in the Seine. Flying buttresses let the walls open up into rose windows of coloured "
     "glass, and the cathedral became the heart of Paris."),
    ("Himeji Castle", "Himeji", "Himeji",
     "Its white plastered walls and sweeping roofs earned it the name White Heron Castle. "
     "Completed in 1609, the keep of Himeji rises on a hill above the plain, a maze of gates "
     "and walls that was never taken by force."),
]

TIPS = [
    # 1: the board settles for the first time
    "Swap two neighbouring gems to line up three or more of a kind. The arrow shows you a "
    "good first move!",
    # 2: first removal
    "Well done! Every gem you clear wears down the stone beneath it and sends bricks to "
    "the workers. Clear every stone tile to finish the stage.",
    # 3: bonus 1 on the board
    "Four in a row made a fire stone. Swap it or match it, and it sends fireballs to the "
    "left and right.",
    # 4: bonus 2 on the board
    "Five or more made a star stone! It sends fireballs in all four directions.",
    # 5: the time bar
    "Keep an eye on the water clock. If it runs dry the stage is lost, but every drop "
    "left over turns into points.",
    # 6: a box cannot be swapped
    "Stone blocks cannot be swapped. Clear the gems underneath and let the block drop.",
    # 7: a box on the board
    "Bring this block down to the bottom row. The mechanic pushes it onto the conveyor "
    "and the carriers take it to the site.",
    # 8: super bonus on the board
    "The great sun stone! It sweeps away a handful of gems, first the ones holding up "
    "the blocks.",
    # 9: every box delivered, tiles left
    "All blocks are on their way. Now clear the last stone tiles to finish the stage!",
    # 10: every tile cleared, boxes missing
    "The ground is clear! Now bring the remaining blocks down to the bottom row.",
]

HELP = [
    # 1, beside the match demonstration
    (230, 100, 200, 110, "Swap two neighbouring gems to make a line of three or more. "
     "Each line wears down the stone under it and throws bricks to your workers."),
    # 2, beside the bonus demonstration
    (440, 160, 320, 80, "A line of four leaves a fire stone, a line of five a star stone. "
     "They burn through whole rows and columns."),
    # 3, beside the conveyor demonstration
    (230, 250, 220, 120, "Stone blocks appear on the board. Bring them down to the bottom "
     "row: the mechanic pushes them onto the conveyor and the carriers haul them away."),
    # 4, beside the super bonus
    (470, 360, 300, 80, "Set off enough fire and star stones and a sun stone drops in. "
     "It clears gems where they matter most."),
    # 5, beside the grumbling worker
    (230, 440, 220, 80, "Workers need bricks. Leave them idle too long and they go home; "
     "when the last one leaves, the stage is lost."),
    # 6, general goal
    (470, 450, 300, 70, "Clear every stone tile and deliver every block before the water "
     "clock runs dry to raise the next part of the monument."),
]

CONGRATS = [
    (150, 110, 500, 40, "center", "The seven wonders stand complete!"),
    (150, 0, 500, 40, "center", "Your workers raised every monument in"),
    (10, 0, 300, 40, "left", "@building years"),
    (150, 0, 500, 40, "center", "History will remember you as"),
    (150, 0, 500, 40, "center", "Now the world calls you again: every monument waits to be built once more, "
     "bigger and faster."),
    (150, 0, 500, 40, "center", "Thank you for playing Vantero Vista!"),
]

CREDITS = """VANTERO VISTA
 
Game design
Lia Marrow
Teodor Quill
 
Programming
Anselm Berg
Ida Voss
Rune Halvorsen
 
Graphics and animation
Mira Castell
Oskar Lind
 
Music and sound
Pavel Orsini
 
Level design
Nadia Fenwick
 
Testing
The night shift of the Korvane studio
 
Thanks to every builder
who ever carried a stone
 
Korvane Games"""


def fixed(name, place, x, y, w, h, font, text, halign=None, valign=None, own=None):
    return dict(tag=name, id=None, place=place, x=x, y=y, w=w, h=h, font=font, text=text,
                halign=halign, valign=valign, own=own)


def repeated(tag, ident, place, x, y, w, h, font, text, halign=None, valign=None):
    d = fixed(tag, place, x, y, w, h, font, text, halign, valign)
    d["id"] = ident
    return d


def elements():
    E = []
    # Main menu: greeting (the player's name follows at X + 6, Y + 15 in font04)
    E.append(fixed("WelcomeMenuText", "own", 20, 14, 260, 20, SMALL, "Welcome to the site,",
                   own=(40, 24)))
    descr = [
        ("PlayBtnDescr", "Pick up your tools where you left them and keep on building."),
        ("FreePlayDisableBtnDescr", "Finish the first monument to play any monument you have built."),
        ("FreePlayEnableBtnDescr", "Build again any monument you have already finished."),
        ("PlayerBtnDescr", "Choose who is building, or add a new builder."),
        ("OptionsBtnDescr", "Sound, music, full screen and tips."),
        ("HelpBtnDescr", "How the building site works."),
        ("ScoresBtnDescr", "The finest builders of all time."),
        ("ExitBtnDescr", "Lay down your tools for today."),
    ]
    for name, text in descr:
        # 800 x 600: on the plate at (582, 465); 1280 x 720: under the buttons
        E.append(fixed(name, "own", 592, 478, 180, 96, SMALL, text, "center", "center",
                       own=(920, 600, 300, 80)))
    # Welcome dialog after a new profile (the name is drawn 20 px above Y)
    E.append(fixed("WelcometText", "abs", 200, 220, 400, 200, BODY,
                   "Welcome to the building site! Seven wonders of the world are waiting "
                   "for their builder. Match the gems, keep your workers busy and raise "
                   "them stone by stone.", "center"))
    # Keyboard name entry (placed from the fixed point 215, 150)
    E.append(fixed("EnterYourNameText", "abs", 30, 40, 310, 40, BODY,
                   "Please enter your name:", "center"))
    E.append(fixed("LimitCharactersText", "abs", 30, 130, 310, 30, SMALL,
                   "Up to 12 letters, digits or blanks", "center"))
    E.append(fixed("NewPlayerText", "abs", 30, 40, 310, 40, BODY, "New builder", "center"))
    # Controller name entry
    E.append(fixed("ControllerEnterYourNameText", "abs", 200, 120, 400, 40, BODY,
                   "Enter your name (8 letters at most)", "center"))
    # Player list and its parchment
    E.append(fixed("PlayAsText", "abs", 230, 80, 340, 60, BODY,
                   "Who is building today?", "center"))
    E.append(fixed("AdventureText", "absx", 265, 50, 270, 20, SMALL, "Campaign"))
    # Dialogs on ui/confirm/confirm (301 x 240, buttons at y + 180)
    E.append(fixed("AreYouSureText", "rel", 25, 40, 251, 120, BODY,
                   "Do you really want to send this builder home for good?", "center", "center"))
    E.append(fixed("GameWillSaveText", "rel", 25, 110, 251, 50, SMALL,
                   "Your finished stages are kept; the stage you are playing starts over.",
                   "center", "center"))
    E.append(fixed("ExitText", "rel", 25, 35, 251, 70, BODY,
                   "Put down your tools and leave?", "center", "center"))
    E.append(fixed("ResolutionTitle", "rel", 25, 18, 251, 30, BODY, "Screen layout", "center"))
    E.append(fixed("ChangeResolutionText", "rel", 25, 45, 251, 35, SMALL,
                   "The new layout is used from the next start.", "center"))
    E.append(fixed("Resolution0", "rel", 80, 84, 141, 36, SMALL, "800 x 600 only", "center", "center"))
    E.append(fixed("Resolution1", "rel", 80, 84, 141, 36, SMALL, "Wide screen allowed", "center", "center"))
    E.append(fixed("Resolution2", "rel", 80, 84, 141, 36, SMALL, "Best for this screen", "center", "center"))
    E.append(fixed("ChangeResolutionText1", "rel", 25, 35, 251, 80, BODY,
                   "Keep playing in full screen?", "center", "center"))
    E.append(fixed("ChangeResolutionText2", "rel", 25, 120, 251, 40, SMALL,
                   "Back to the window in %d seconds", "center", "center"))
    # Options dialog (340 x 500, centred): absolute place
    E.append(fixed("OptionsText", "abs", 260, 80, 280, 70, BODY,
                   "Site settings^Effects, music, full screen and tips", "center"))
    # Credits: only the font and the lines count
    E.append(fixed("CreditText", "rel", 0, 0, 0, 0, BODY, CREDITS))

    for i, text in enumerate(TIPS, start=1):
        E.append(repeated("Tip", i, "rel", 22, 40, 196, 150, BODY, text, "center", "center"))
    for i, (x, y, w, h, text) in enumerate(HELP, start=1):
        E.append(repeated("Help", i, "abs", x, y, w, h, SMALL, text))
    # Map: title and legend beside the photo; pins labelled beside their pins
    pins = [(182, 371, "left"), (249, 322, "center"), (160, 196, "left"), (3, 170, "center"),
            (166, 219, "left"), (172, 242, "left"), (83, 333, "left")]
    for i, (title, pin, short, legend) in enumerate(MONUMENTS, start=1):
        E.append(repeated("MapScreenTitle", i, "rel", 515, 175, 275, 30, TITLE, title, "center"))
    for i, (title, pin, short, legend) in enumerate(MONUMENTS, start=1):
        E.append(repeated("LegendText", i, "rel", 540, 212, 235, 120, SMALL, legend))
    for i, (title, pin, short, legend) in enumerate(MONUMENTS, start=1):
        x, y, al = pins[i - 1]
        w = 120 if al == "center" else 130
        for tag in ("YellowPinsText", "WhitePinsText", "YellowPinsTextSmall"):
            E.append(repeated(tag, i, "rel", x, y, w, 16, SMALL, pin, al))
    for i, (title, pin, short, legend) in enumerate(MONUMENTS, start=1):
        E.append(repeated("LevelNameText", i, "absx", 265, 28, 270, 20, SMALL, short))
    for i, (x, y, w, h, al, text) in enumerate(CONGRATS, start=1):
        place = "abs" if i == 1 else "absx"
        E.append(repeated("CongratsText", i, place, x, y, w, h, BODY, text, al))
    return E


def attributes(e, big):
    x, y, w, h = e["x"], e["y"], e["w"], e["h"]
    if big:
        if e["place"] == "abs":
            x, y = x + CX, y + CY
        elif e["place"] == "absx":
            x = x + CX
        elif e["place"] == "own":
            own = e["own"]
            x, y = own[0], own[1]
            if len(own) > 2:
                w, h = own[2], own[3]
    a = []
    if e["id"] is not None:
        a.append('Id="%d"' % e["id"])
    if e["tag"] != "CreditText":
        a += ['X="%d"' % x, 'Y="%d"' % y, 'Width="%d"' % w, 'Height="%d"' % h]
        if e["halign"]:
            a.append('HAlign="%s"' % e["halign"])
        if e["valign"]:
            a.append('VAlign="%s"' % e["valign"])
    a.append('FontName="%s"' % e["font"])
    return " ".join(a)


SECTIONS = {
    "WelcomeMenuText": "Main menu", "WelcometText": "Welcome dialog",
    "EnterYourNameText": "Name entry", "PlayAsText": "Player list",
    "AreYouSureText": "Dialogs (placed on the dialog picture)", "OptionsText": "Options",
    "CreditText": "Credits (one screen line per source line; a lone blank makes an empty line)",
    "Tip": "Tips (placed on the tip bubble)", "Help": "Help screen",
    "MapScreenTitle": "Map: monument titles", "LegendText": "Map: legends",
    "YellowPinsText": "Map: pin labels (normal, highlighted, pressed)",
    "LevelNameText": "Player list: the builder's current monument",
    "CongratsText": "Congratulations after the whole campaign",
}


def write(path, big, title):
    out = ["<!-- Vantero Vista: English texts (language 1033), layout %s." % title,
           "     Generated by tools/leveldesign/make_texts.py; edit the words there. -->"]
    done = set()
    for e in elements():
        tag = e["tag"]
        if tag in SECTIONS and tag not in done:
            done.add(tag)
            out.append("")
            out.append("<!-- %s -->" % SECTIONS[tag])
        body = escape(e["text"])
        if "[%" in body:
            raise SystemExit("directive opener in a text: " + tag)
        if tag == "CreditText":
            out.append("<CreditText %s>%s</CreditText>" % (attributes(e, big), body))
        else:
            out.append("<%s %s>%s</%s>" % (tag, attributes(e, big), body, tag))
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(out) + "\n")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    d = os.path.join(root, "data", "cfg", "texts")
    os.makedirs(d, exist_ok=True)
    write(os.path.join(d, "r800x600_l1033.xml"), False, "800 x 600")
    write(os.path.join(d, "r1280x720_l1033.xml"), True, "1280 x 720")


if __name__ == "__main__":
    main()
