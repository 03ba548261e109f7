// The player list (slots, statistics parchment, its buttons), the keyboard name-entry dialog and the
// controller name entry (character keys and its own backdrop).
#include "ArtJobs.h"
#include "ArtText.h"
#include "UiKitB.h"

#include <cmath>
#include <string>

using namespace vantero::art;
using namespace vantero::art::uib;

namespace {

// Slot pictures: names are centred in the width; slots stand 25 px apart.
constexpr int SlotW = 298, SlotH = 24;
// Character key of the controller name entry; its size sets the grid cell (2 px gaps).
constexpr int KeyW = 40, KeyH = 40;
// Buttons used on these screens (OK, Cancel of the options folder).
constexpr int ButtonW = 110, ButtonH = 36;

// The player-list dialog: the title space, a sunk list of seven slots, the emblem and two button rows.
Canvas PlayAsFrame(ArtContext& ctx) {
    const int w = 384, h = 490;
    Canvas c = DialogTablet(w, h, ctx.SubSeed("tablet"), 17);
    const double listX = 43, listY = 112;
    // The list panel under the seven slots.
    Groove(c, listX - 8, listY - 8, SlotW + 16, 25 * 6 + SlotH + 16, 8, 1.0);
    cairo_t* cr = c.Cr();
    for (int i = 0; i < 7; ++i) {
        // Faint ruled line under each slot, as on a ledger.
        const double y = listY + 25 * i + SlotH + 0.5;
        if (i < 6) {
            cairo_move_to(cr, listX + 6, y);
            cairo_line_to(cr, listX + SlotW - 6, y);
            SetSource(cr, Hex(0x7A5228, 0.18));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    }
    GildedLine(c, 40, w - 40, 92);
    GildedLine(c, 40, w - 40, 322);
    Emblem(c, w / 2.0, 345, 34);
    Grain(c, ctx.SubSeed("grain"), 0.02);
    return c;
}

// An unused slot: a faint sunk strip.
Canvas SlotEmpty() {
    Canvas c(SlotW, SlotH);
    Groove(c, 1, 2, SlotW - 2, SlotH - 4, 6, 0.45);
    return c;
}

// A used slot under the pointer: a warm glowing strip with gold edges.
Canvas SlotHover() {
    Canvas c(SlotW, SlotH);
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, 1, 1, SlotW - 2, SlotH - 2, 7);
    FillLinear(cr, 0, 0, SlotW, 0, {{0.0, Hex(0xFFE8A0, 0.25)}, {0.5, Hex(0xFFF4C8, 0.7)}, {1.0, Hex(0xFFE8A0, 0.25)}});
    RoundRectPath(cr, 1.5, 1.5, SlotW - 3, SlotH - 3, 7);
    cairo_set_line_width(cr, 1.4);
    SetSource(cr, Hex(0xC08A30, 0.8));
    cairo_stroke(cr);
    return c;
}

const char* const Roman[] = {"I", "II", "III", "IV", "V", "VI", "VII"};

// The current player's slot: a gilded ribbon with the slot's number on a medallion at each end.
Canvas SlotSelected(int slot, uint32_t seed) {
    Canvas c(SlotW, SlotH);
    const Canvas shape = RoundShape(SlotW, SlotH, 1, 1, SlotW - 3, SlotH - 3, 8);
    DropShadow(c, shape, 0, 0, 0.5, 1, 1.2, Hex(0x2A1404, 0.5));
    Canvas band = StoneTexture(SlotW, SlotH, seed, Hex(0xF2D088), 14.0);
    band = MaskWith(band, shape);
    {
        cairo_t* b = band.Cr();
        cairo_save(b);
        cairo_set_operator(b, CAIRO_OPERATOR_ATOP);
        cairo_rectangle(b, 0, 0, SlotW, SlotH);
        FillLinear(b, 0, 0, 0, SlotH, {{0.0, Hex(0xFFF6D0, 0.7)}, {0.5, Hex(0xF4D080, 0.55)}, {1.0, Hex(0xC8902C, 0.7)}});
        cairo_restore(b);
    }
    Bevel(band, 1.6, 0.9);
    c.Paint(band, 0, 0);
    cairo_t* cr = c.Cr();
    RoundRectPath(cr, 1.5, 1.5, SlotW - 4, SlotH - 4, 8);
    cairo_set_line_width(cr, 1.2);
    SetSource(cr, Hex(0x8A5418, 0.9));
    cairo_stroke(cr);
    TextStyle t;
    t.Family = fonts::Title;
    t.Size = 12;
    t.Bold = true;
    t.FillTop = Hex(0xFFF6CC);
    t.FillBottom = Hex(0xF0C060);
    t.OutlineWidth = 0;
    for (double cx : {13.0, SlotW - 14.0}) {
        cairo_arc(cr, cx, SlotH / 2.0 - 0.5, 9, 0, 2 * Pi);
        FillRadial(cr, cx - 3, SlotH / 2.0 - 3, 0, 11, {{0.0, Hex(0xD07048)}, {0.6, Hex(0x9A3A18)}, {1.0, Hex(0x5A1C08)}});
        cairo_arc(cr, cx, SlotH / 2.0 - 0.5, 9, 0, 2 * Pi);
        SetSource(cr, Hex(0xE8B048));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        DrawTextInBox(c, Roman[slot - 1], t, cx - 8, SlotH / 2.0 - 8.5, 16, 16);
    }
    return c;
}

// The statistics parchment: a small scroll with curled ends for the level name and the pass.
Canvas StatParch(uint32_t seed) {
    const int w = 300, h = 80;
    Canvas c(w, h);
    const Canvas sheetMask = RoundShape(w, h, 10, 6, w - 20, h - 13, 4);
    DropShadow(c, sheetMask, 0, 0, 1.5, 2.5, 3, Hex(0x1A0C02, 0.55));
    c.Paint(ParchmentFace(sheetMask, seed, 0.6), 0, 0);
    // Curled ends: rolled paper at left and right.
    for (int side = 0; side < 2; ++side) {
        const double x = side == 0 ? 3 : w - 17;
        Canvas roll(w, h);
        RoundRectPath(roll.Cr(), x, 3, 14, h - 8, 7);
        FillLinear(roll.Cr(), x, 0, x + 14, 0, {{0.0, Hex(0xC8A060)}, {0.4, Hex(0xF6E4B8)}, {1.0, Hex(0x9A7038)}});
        DropShadow(c, roll, 0, 0, side == 0 ? 1.5 : -1.5, 1, 2, Hex(0x2A1404, 0.45));
        c.Paint(roll, 0, 0);
    }
    cairo_t* cr = c.Cr();
    cairo_move_to(cr, 24, h / 2.0 + 1);
    cairo_line_to(cr, w - 24, h / 2.0 + 1);
    SetSource(cr, Hex(0x9C6A1C, 0.25));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return c;
}

// The keyboard name-entry dialog: the name field at y + 98 (centred in 270 px from x + 50), the
// buttons at y + 177, and an ornament in the foot.
Canvas NewPlayerFrame(ArtContext& ctx) {
    const int w = 370, h = 300;
    Canvas c = DialogTablet(w, h, ctx.SubSeed("tablet"), 17);
    Groove(c, 42, 90, 286, 36, 8, 1.2);
    GildedLine(c, 40, w - 40, 232);
    Emblem(c, w / 2.0, 262, 30);
    Grain(c, ctx.SubSeed("grain"), 0.02);
    return c;
}

// Controller keys. BtnSelect is drawn over a letter: clear when idle, a gold ring when focused.
Sequence KeyFocus() {
    Sequence seq;
    for (int f = 0; f < 4; ++f) {
        Canvas c(KeyW, KeyH);
        cairo_t* cr = c.Cr();
        if (f == 1 || f == 2) {
            const bool pressed = f == 2;
            Canvas ring(KeyW, KeyH);
            RoundRectPath(ring.Cr(), 2.5, 2.5, KeyW - 5, KeyH - 5, 7);
            cairo_set_line_width(ring.Cr(), 3);
            SetSource(ring.Cr(), Hex(0xFFFFFF));
            cairo_stroke(ring.Cr());
            OuterGlow(c, ring, 0, 0, 2.5, Hex(0xFFE070, pressed ? 0.5 : 0.9));
            Canvas gold(KeyW, KeyH);
            gold.Paint(ring, 0, 0);
            cairo_t* g = gold.Cr();
            cairo_save(g);
            cairo_set_operator(g, CAIRO_OPERATOR_ATOP);
            cairo_rectangle(g, 0, 0, KeyW, KeyH);
            FillLinear(g, 0, 0, 0, KeyH, {{0.0, pressed ? Hex(0xE0A840) : Hex(0xFFF6C8)}, {1.0, pressed ? Hex(0x9C6A1C) : Hex(0xE8A838)}});
            cairo_restore(g);
            c.Paint(gold, 0, 0);
            if (pressed) {
                RoundRectPath(cr, 4, 4, KeyW - 8, KeyH - 8, 6);
                SetSource(cr, Hex(0x5A3010, 0.18));
                cairo_fill(cr);
            }
        }
        seq.Frames.push_back(std::move(c));
    }
    return seq;
}

// The cell under each letter: a small sandstone key cap.
Canvas KeyCap(uint32_t seed) {
    Canvas c(KeyW, KeyH);
    const Canvas shape = RoundShape(KeyW, KeyH, 2, 2, KeyW - 5, KeyH - 5, 6);
    DropShadow(c, shape, 0, 0, 1, 1.5, 1.5, Hex(0x1A0C02, 0.6));
    Canvas cap = StoneSlab(shape, seed, Hex(0xE8D2A4), 2.5);
    {
        cairo_t* k = cap.Cr();
        cairo_save(k);
        cairo_set_operator(k, CAIRO_OPERATOR_ATOP);
        cairo_rectangle(k, 0, 0, KeyW, KeyH);
        FillRadial(k, KeyW * 0.4, KeyH * 0.35, 0, KeyW * 0.7, {{0.0, Hex(0xFFF8E0, 0.35)}, {1.0, Hex(0xFFF8E0, 0.0)}});
        cairo_restore(k);
    }
    c.Paint(cap, 0, 0);
    return c;
}

// The delete key (first cell of the grid): a plate with a backward arrow and a cross.
Sequence DeleteKey(uint32_t seed) {
    return ButtonStrip(KeyW, KeyH, seed, [](Canvas& c, double x, double y, double w, double h, ButtonState s) {
        cairo_t* cr = c.Cr();
        const double cx = x + w / 2 + 1, cy = y + h / 2;
        cairo_move_to(cr, cx - 13, cy);
        cairo_line_to(cr, cx - 5, cy - 8);
        cairo_line_to(cr, cx + 11, cy - 8);
        cairo_line_to(cr, cx + 11, cy + 8);
        cairo_line_to(cr, cx - 5, cy + 8);
        cairo_close_path(cr);
        GoldStroke(cr, 1.8, cy - 8, cy + 8, s == ButtonState::Hover);
        cairo_move_to(cr, cx - 1, cy - 3.5);
        cairo_line_to(cr, cx + 6, cy + 3.5);
        cairo_move_to(cr, cx + 6, cy - 3.5);
        cairo_line_to(cr, cx - 1, cy + 3.5);
        GoldStroke(cr, 1.8, cy - 4, cy + 4, s == ButtonState::Hover);
    }, 8);
}

// Rectangle helper for the layout of the controller screen.
struct Box {
    double X0 = 1e9, Y0 = 1e9, X1 = -1e9, Y1 = -1e9;
    void Add(double x, double y, double w, double h) {
        X0 = std::min(X0, x); Y0 = std::min(Y0, y);
        X1 = std::max(X1, x + w); Y1 = std::max(Y1, y + h);
    }
};

// The controller name-entry screen: the site backdrop with a stone tablet holding the prompt, the
// name field, the key grid (rows of nine) and the two buttons, all placed from the layout values.
Canvas ControllerBackdrop(ArtContext& ctx) {
    const int w = ctx.GameWidth(), h = ctx.GameHeight();
    const KeyValues& v = ctx.Values();
    Canvas c = SiteBackdrop(w, h, ctx.SubSeed("site"));
    const int keys = 1 + static_cast<int>(ctx.Data().Root.Text("ControllerEnterNameChars").size());
    const int rows = (keys + 8) / 9;
    const double gx = v.Int("ControllerEnterNameBtnsX"), gy = v.Int("ControllerEnterNameBtnsY");
    const double gw = 9 * KeyW + 8 * 2, gh = rows * KeyH + (rows - 1) * 2;
    const double tx = v.Int("ControllerEnterNameTextX"), ty = v.Int("ControllerEnterNameTextY");
    const double tw = v.Int("ControllerEnterNameWidth"), th = 34;
    Box box;
    box.Add(gx, gy, gw, gh);
    box.Add(tx, ty, tw, th);
    box.Add(v.Int("ControllerEnterNameOkX"), v.Int("ControllerEnterNameOkY"), ButtonW, ButtonH);
    box.Add(v.Int("ControllerEnterNameCancelX"), v.Int("ControllerEnterNameCancelY"), ButtonW, ButtonH);
    for (const TextBox& t : TextBoxes(ctx, "ControllerEnterYourNameText")) box.Add(t.X, t.Y, t.W, t.H);
    const double pad = 34;
    const int px = static_cast<int>(box.X0 - pad), py = static_cast<int>(box.Y0 - pad);
    const int pw = static_cast<int>(box.X1 - box.X0 + 2 * pad), ph = static_cast<int>(box.Y1 - box.Y0 + 2 * pad);
    Canvas panel = DialogTablet(pw, ph, ctx.SubSeed("tablet"), 20);
    Groove(panel, tx - px - 6, ty - py - 4, tw + 12, th + 4, 8, 1.2);
    Groove(panel, gx - px - 6, gy - py - 6, gw + 12, gh + 12, 8, 0.9);
    GildedLine(panel, 40, pw - 40, (gy + gh + std::min(v.Int("ControllerEnterNameOkY"), v.Int("ControllerEnterNameCancelY"))) / 2.0 - py);
    Grain(panel, ctx.SubSeed("grain"), 0.02);
    c.Paint(panel, px, py);
    return c;
}

}  // namespace

ARTGEN_MODULE(players) {
    reg.Add("base/ui/playas/PlayAs.png", [](ArtContext& ctx) { return Sequence(PlayAsFrame(ctx)); }, {}, 2.0);
    reg.Add("base/ui/playas/select_empty.png", [](ArtContext&) { return Sequence(SlotEmpty()); });
    reg.Add("base/ui/playas/select_sel.png", [](ArtContext&) { return Sequence(SlotHover()); });
    for (int i = 1; i <= 7; ++i)
        reg.Add("base/ui/playas/Select0" + std::to_string(i) + ".png",
                [i](ArtContext& ctx) { return Sequence(SlotSelected(i, ctx.SubSeed("band"))); });
    reg.Add("base/ui/playas/statparch.png", [](ArtContext& ctx) { return Sequence(StatParch(ctx.SubSeed("parch"))); });
    reg.Add("L1033/ui/playas/BtNew.4.png", [](ArtContext& ctx) { return TextButton(ButtonW, ButtonH, ctx.SubSeed("b"), "New"); });
    reg.Add("L1033/ui/playas/BtDelete.4.png", [](ArtContext& ctx) { return TextButton(ButtonW, ButtonH, ctx.SubSeed("b"), "Delete"); });
    reg.Add("base/ui/newplayer/newplayer.png", [](ArtContext& ctx) { return Sequence(NewPlayerFrame(ctx)); }, {}, 1.5);
    reg.Add("base/ui/ControllerEnterName/BtnDel.4.png", [](ArtContext& ctx) { return DeleteKey(ctx.SubSeed("b")); });
    reg.Add("base/ui/ControllerEnterName/BtnSelect.4.png", [](ArtContext&) { return KeyFocus(); });
    reg.Add("base/ui/ControllerEnterName/BtnBack.png", [](ArtContext& ctx) { return Sequence(KeyCap(ctx.SubSeed("cap"))); });
    reg.Add("base/<R>/ui/ControllerEnterName/ControllerEnterName.jpg",
            [](ArtContext& ctx) { return Sequence(ControllerBackdrop(ctx)); }, WriteOptions{.JpegQuality = 90}, 4.0);
}
