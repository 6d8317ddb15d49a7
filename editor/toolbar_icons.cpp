#include "editor/toolbar_icons.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <tuple>

namespace editor {
namespace {

using plat::Color;
using plat::Rgb;

constexpr Color kInk = Rgb(40, 60, 90);
constexpr Color kAccent = Rgb(0, 122, 236);
constexpr Color kWhite = Rgb(255, 255, 255);

// a + (b - a) * percent / 100, channel by channel.
constexpr Color Mix(Color a, Color b, int percent) {
    auto ch = [&](int ca, int cb) { return ca + (cb - ca) * percent / 100; };
    return Rgb(ch(plat::RedOf(a), plat::RedOf(b)), ch(plat::GreenOf(a), plat::GreenOf(b)),
               ch(plat::BlueOf(a), plat::BlueOf(b)));
}

// One pixel map row per string. The soft tones of an edge are mixed with the
// background the icon is drawn on; the marks on white paper keep their colour.
//   .  background          #  ink        =  ink 65 %      :  ink 35 %
//   +  accent              *  accent 65 % -  accent 35 %
//   w  white               g  grey line on white          o  pale accent on white
using IconMap = std::array<const char*, kToolbarIconSize>;

constexpr bool IsMapChar(char c) {
    for (char k : {'.', '#', '=', ':', '+', '*', '-', 'w', 'g', 'o'})
        if (c == k) return true;
    return false;
}

Color MapColor(char c, Color background) {
    switch (c) {
        case '#': return kInk;
        case '=': return Mix(background, kInk, 65);
        case ':': return Mix(background, kInk, 35);
        case '+': return kAccent;
        case '*': return Mix(background, kAccent, 65);
        case '-': return Mix(background, kAccent, 35);
        case 'w': return kWhite;
        case 'g': return Mix(kWhite, kInk, 45);
        case 'o': return Mix(kWhite, kAccent, 30);
        default: return background;
    }
}

// Undo: a left-pointing head on a stroke that turns back underneath.
// Redo is the same map mirrored.
constexpr IconMap kUndoMap{
    "................",
    "....#...........",
    "...##...........",
    "..###...........",
    ".##########=:...",
    ".############=..",
    "..###......:##:.",
    "...##.......:#=.",
    "....#........##.",
    ".............##.",
    "............:#=.",
    "...........:##:.",
    ".....########=..",
    ".....######=:...",
    "................",
    "................",
};

// A clipboard: the accent clip over a sheet with lines of text.
constexpr IconMap kClipboardMap{
    "................",
    "......++++......",
    "..=##++++++##=..",
    "..#ww++++++ww#..",
    "..#wwwwwwwwww#..",
    "..#wwggggggww#..",
    "..#wwwwwwwwww#..",
    "..#wwwwwwwwww#..",
    "..#wwggggggww#..",
    "..#wwwwwwwwww#..",
    "..#wwwwwwwwww#..",
    "..#wwggggwwww#..",
    "..#wwwwwwwwww#..",
    "..=##########=..",
    "................",
    "................",
};

// A diskette: shutter with its slot at the top, label at the bottom, the
// upper right corner cut.
constexpr IconMap kDiskMap{
    "................",
    ".*++wwwwwww+-...",
    ".+++wwww++w++-..",
    ".+++wwww++w+++-.",
    ".+++wwww++w++++.",
    ".+++wwwwwww++++.",
    ".++++++++++++++.",
    ".++++++++++++++.",
    ".++++++++++++++.",
    ".++wwwwwwwwww++.",
    ".++wwwwwwwwww++.",
    ".++wwggggggww++.",
    ".++wwwwwwwwww++.",
    ".++wwwwwwwwww++.",
    ".*++++++++++++*.",
    "................",
};

constexpr IconMap kCloseMap{
    "................",
    "................",
    "...=........=...",
    "..=##......##=..",
    "...###....###...",
    "....###..###....",
    ".....######.....",
    "......####......",
    "......####......",
    ".....######.....",
    "....###..###....",
    "...###....###...",
    "..=##......##=..",
    "...=........=...",
    "................",
    "................",
};

constexpr IconMap kArrowMap{
    "................",
    ".......*+++++++.",
    "........*++++++.",
    ".........*+++++.",
    "..........+++++.",
    ".........++++++.",
    "........+++.*++.",
    ".......+++...*+.",
    "......+++.....*.",
    ".....+++........",
    "....+++.........",
    "...+++..........",
    "..+++...........",
    ".+++............",
    ".++.............",
    "................",
};

constexpr IconMap kTextMap{
    "................",
    "................",
    "..++++++++++++..",
    "..++++++++++++..",
    "..++...++...++..",
    "..++...++...++..",
    ".......++.......",
    ".......++.......",
    ".......++.......",
    ".......++.......",
    ".......++.......",
    ".......++.......",
    ".......++.......",
    ".....++++++.....",
    ".....++++++.....",
    "................",
};

constexpr IconMap kEllipseMap{
    "................",
    "................",
    "................",
    "....-*++++*-....",
    "...*++++++++*...",
    "..+++-....-+++..",
    ".*+*........*+*.",
    ".++..........++.",
    ".++..........++.",
    ".*+*........*+*.",
    "..+++-....-+++..",
    "...*++++++++*...",
    "....-*++++*-....",
    "................",
    "................",
    "................",
};

constexpr IconMap kRectangleMap{
    "................",
    "................",
    "................",
    ".++++++++++++++.",
    ".++++++++++++++.",
    ".++..........++.",
    ".++..........++.",
    ".++..........++.",
    ".++..........++.",
    ".++..........++.",
    ".++..........++.",
    ".++++++++++++++.",
    ".++++++++++++++.",
    "................",
    "................",
    "................",
};

// A framed picture: sun and hills on white.
constexpr IconMap kFrameMap{
    "................",
    "................",
    ".##############.",
    ".#wwwwwwwwwwww#.",
    ".#wwwwwwwo++ow#.",
    ".#wwwwwww++++w#.",
    ".#wwwwwwwo++ow#.",
    ".#wwwo+owwwwww#.",
    ".#wwo+++owwwww#.",
    ".#wo+++++wo+ow#.",
    ".#o++++++++++o#.",
    ".#++++++++++++#.",
    ".#++++++++++++#.",
    ".##############.",
    "................",
    "................",
};

struct IconEntry {
    const IconMap* map;
    bool mirrored;
};

// By toolbar index.
constexpr std::array<IconEntry, kToolbarIconCount> kIcons{{
    {&kUndoMap, false},        // 0 "Revert"
    {&kClipboardMap, false},   // 1 "Save to clipboard"
    {&kDiskMap, false},        // 2 "Save"
    {&kCloseMap, false},       // 3 "Exit snip"
    {&kArrowMap, false},       // 4 "Add the arrow"
    {&kTextMap, false},        // 5 "Add text"
    {&kEllipseMap, false},     // 6 "Add an ellipse"
    {&kRectangleMap, false},   // 7 "Add a rectangle"
    {&kUndoMap, true},         // 8 "Redo"
    {&kFrameMap, false},       // 9 "Add Frame"
}};

constexpr bool MapsWellFormed() {
    for (const IconEntry& entry : kIcons) {
        for (const char* row : *entry.map) {
            int n = 0;
            for (; row[n] != '\0'; ++n)
                if (!IsMapChar(row[n])) return false;
            if (n != kToolbarIconSize) return false;
        }
    }
    return true;
}
static_assert(MapsWellFormed(), "every icon row is 16 known map characters");

// Drawing on the design's 100 % grid at `dpi`: a grid rectangle covers its
// scaled pixels, so cells tile the picture without gaps or overlaps.
struct Grid {
    int dpi;
    int operator()(int v) const { return plat::ScaledPx(v, dpi); }
    plat::Picture Create(int w, int h, Color c) const { return plat::Picture::Create((*this)(w), (*this)(h), c); }
    void Fill(plat::Picture& p, const plat::Rect& r, Color c) const {
        const plat::Rect in = plat::Rect{(*this)(r.left), (*this)(r.top), (*this)(r.right), (*this)(r.bottom)}.Intersect(
            {0, 0, p.Width(), p.Height()});
        const std::uint32_t px = plat::PixelFromColor(c);
        for (int y = in.top; y < in.bottom; ++y) std::fill(p.MutableRow(y) + in.left, p.MutableRow(y) + in.right, px);
    }
    void Put(plat::Picture& p, int x, int y, Color c) const { Fill(p, {x, y, x + 1, y + 1}, c); }
};

struct SizeButtonStyle {
    Color fill, border, mark;
    int markDrop;  // the pressed triangle sinks a pixel
};
// By look: normal, hover, pressed.
constexpr std::array<SizeButtonStyle, 3> kSizeButtonStyles{{
    {kWhite, Rgb(150, 170, 196), kInk, 0},
    {Rgb(229, 243, 255), Rgb(36, 143, 251), kAccent, 0},
    {Rgb(204, 228, 252), Rgb(0, 102, 204), Rgb(0, 90, 180), 1},
}};

// Every editor shows the same few dozen icons: each is drawn once and kept
// for the program's life, so opening an editor draws none. Kept pictures are
// shared; nothing draws on a button's picture once it is set.
template <class DrawIcon>
plat::Picture Kept(const void* kind, int index, Color background, int dpi, DrawIcon draw) {
    using Key = std::tuple<const void*, int, Color, int>;
    static std::map<Key, plat::Picture> kept;
    const Key key{kind, index, background, dpi};
    if (const auto it = kept.find(key); it != kept.end()) return it->second;
    plat::Picture p = draw();
    if (!p.Empty()) kept.emplace(key, p);
    return p;
}

plat::Picture DrawToolbarIcon(int index, Color background, int dpi) {
    const IconEntry& entry = kIcons[static_cast<size_t>(index)];
    const Grid g{dpi};
    plat::Picture p = g.Create(kToolbarIconSize, kToolbarIconSize, background);
    if (p.Empty()) return p;
    for (int y = 0; y < kToolbarIconSize; ++y) {
        const char* row = (*entry.map)[static_cast<size_t>(y)];
        for (int x = 0; x < kToolbarIconSize; ++x) {
            const char c = row[entry.mirrored ? kToolbarIconSize - 1 - x : x];
            if (c != '.') g.Put(p, x, y, MapColor(c, background));
        }
    }
    return p;
}

plat::Picture DrawIconFromMap(const IconRows& rows, Color background, int dpi) {
    const Grid g{dpi};
    plat::Picture p = g.Create(kToolbarIconSize, kToolbarIconSize, background);
    if (p.Empty()) return p;
    for (int y = 0; y < kToolbarIconSize; ++y) {
        const char* row = rows[static_cast<size_t>(y)];
        for (int x = 0; x < kToolbarIconSize && row[x] != '\0'; ++x)
            if (row[x] != '.' && IsMapChar(row[x])) g.Put(p, x, y, MapColor(row[x], background));
    }
    return p;
}

plat::Picture DrawSizeIcon(int dpi) {
    const Grid g{dpi};
    plat::Picture p = g.Create(kSizeIconSize, kSizeIconSize, kToolbarBackground);
    if (p.Empty()) return p;
    const Color soft = Mix(kToolbarBackground, kInk, 55);
    int top = 4;
    for (int thickness : {1, 2, 4}) {
        const plat::Rect line{4, top, 16, top + thickness};
        g.Fill(p, line, kInk);
        if (thickness >= 3) {  // the thick line gets rounded ends
            for (int x : {line.left, line.right - 1})
                for (int y : {line.top, line.bottom - 1}) g.Put(p, x, y, soft);
        }
        top += thickness + 3;
    }
    return p;
}

plat::Picture DrawSizeButtonLook(int look, int dpi) {
    const SizeButtonStyle& s = kSizeButtonStyles[static_cast<size_t>(look)];
    constexpr int w = kSizeButtonWidth, h = kSizeButtonHeight;
    const Grid g{dpi};
    plat::Picture p = g.Create(w, h, kToolbarBackground);
    if (p.Empty()) return p;
    g.Fill(p, {1, 1, w - 1, h - 1}, s.fill);
    g.Fill(p, {1, 0, w - 1, 1}, s.border);
    g.Fill(p, {1, h - 1, w - 1, h}, s.border);
    g.Fill(p, {0, 1, 1, h - 1}, s.border);
    g.Fill(p, {w - 1, 1, w, h - 1}, s.border);
    // Rounded corners: half-tone outside, a touch of the border inside.
    for (int x : {0, w - 1})
        for (int y : {0, h - 1}) g.Put(p, x, y, Mix(kToolbarBackground, s.border, 50));
    for (int x : {1, w - 2})
        for (int y : {1, h - 2}) g.Put(p, x, y, Mix(s.fill, s.border, 35));
    // The drop-down triangle, 7 pixels wide and 4 high, pointing down.
    const int top = 9 + s.markDrop;
    for (int row = 0; row < 4; ++row) g.Fill(p, {38 + row, top + row, 45 - row, top + row + 1}, s.mark);
    return p;
}

}  // namespace

plat::Picture ToolbarIcon(int index, Color background, int dpi) {
    if (index < 0 || index >= kToolbarIconCount) return {};
    return Kept(&kIcons, index, background, dpi, [&] { return DrawToolbarIcon(index, background, dpi); });
}

plat::Picture IconFromMap(const IconRows& rows, Color background, int dpi) {
    return Kept(&rows, 0, background, dpi, [&] { return DrawIconFromMap(rows, background, dpi); });
}

plat::Picture SizeIcon(int dpi) {
    return Kept(&kSizeButtonStyles, -1, 0, dpi, [&] { return DrawSizeIcon(dpi); });
}

plat::Picture SizeButtonLook(int look, int dpi) {
    if (look < 0 || look >= static_cast<int>(kSizeButtonStyles.size())) return {};
    return Kept(&kSizeButtonStyles, look, 0, dpi, [&] { return DrawSizeButtonLook(look, dpi); });
}

plat::Color SizeButtonFill(int look) {
    if (look < 0 || look >= static_cast<int>(kSizeButtonStyles.size())) return kWhite;
    return kSizeButtonStyles[static_cast<size_t>(look)].fill;
}

}  // namespace editor
