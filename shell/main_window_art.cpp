#include "shell/main_window_art.h"

#include <algorithm>
#include <cmath>

#include "platform/services/dpi.h"

namespace shell {
namespace {

constexpr plat::Color kWhite = plat::Rgb(255, 255, 255);

plat::Color Mix(plat::Color a, plat::Color b, int num, int den) {
    auto ch = [&](int ca, int cb) { return ca + (cb - ca) * num / den; };
    return plat::Rgb(ch(plat::RedOf(a), plat::RedOf(b)), ch(plat::GreenOf(a), plat::GreenOf(b)),
                     ch(plat::BlueOf(a), plat::BlueOf(b)));
}

// The pictures are drawn on a grid of design pixels (15 twips each); every
// edge is scaled on its own, so shapes stay sharp at any DPI.
struct Grid {
    int dpi;
    int operator()(int designPx) const { return plat::TwipsToPixels(designPx * plat::kTwipsPerPixel, dpi); }
    plat::Rect operator()(int l, int t, int r, int b) const { return {(*this)(l), (*this)(t), (*this)(r), (*this)(b)}; }
};

// The title buttons are slices of the band itself, so they sit in it seamlessly.
plat::Picture TitleButton(int dpi) {
    const Grid g{dpi};
    const int w = g(33), h = g(41), band = g(48);
    plat::Picture p = plat::Picture::Create(w, h, kTitleBlue);
    for (int y = 0; y < h; ++y) p.Draw().FillRect({0, y, w, y + 1}, TitleBandColor(y, band));
    return p;
}

}  // namespace

plat::Color TitleBandColor(int y, int bandHeight) {
    if (y >= bandHeight - 1) return plat::Rgb(0, 90, 180);  // the band's lower edge
    return Mix(plat::Rgb(0, 134, 248), plat::Rgb(0, 106, 212), y, bandHeight - 1);
}

plat::Picture MainBackgroundPicture(int width, int height, int dpi) {
    const Grid g{dpi};
    const int band = plat::TwipsToPixels(kTitleBandTwips, dpi);
    const plat::Rect card{plat::TwipsToPixels(kRightCardTwips.left, dpi), plat::TwipsToPixels(kRightCardTwips.top, dpi),
                          plat::TwipsToPixels(kRightCardTwips.right, dpi),
                          plat::TwipsToPixels(kRightCardTwips.bottom, dpi)};
    const int hair = g(1);
    plat::Picture p = plat::Picture::Create(width, height, kWindowBody);
    plat::Canvas& c = p.Draw();
    for (int y = 0; y < band; ++y) c.FillRect({0, y, width, y + 1}, TitleBandColor(y, band));
    c.FillRect(card, kCardColor);
    c.FrameRect(card, plat::Rgb(208, 220, 236), hair);
    // A thin outline keeps the borderless window apart from what lies behind it.
    constexpr plat::Color kOutline = plat::Rgb(168, 184, 204);
    c.FillRect({0, band, width, band + hair}, kOutline);
    c.FillRect({0, band, hair, height}, kOutline);
    c.FillRect({width - hair, band, width, height}, kOutline);
    c.FillRect({0, height - hair, width, height}, kOutline);
    // Two crop corners beside the title: the program's sign, as on its icon.
    c.FillRect(g(14, 12, 26, 15), kWhite);
    c.FillRect(g(14, 12, 17, 24), kWhite);
    c.FillRect(g(26, 33, 38, 36), kWhite);
    c.FillRect(g(35, 24, 38, 36), kWhite);
    c.Text(g(46), g(8), L"Morrowen Snip", plat::FontAtDpi(plat::Font{L"Tahoma", 11.0f, true}, dpi), kWhite);
    return p;
}

plat::Picture HideButtonPicture(int dpi) {
    plat::Picture p = TitleButton(dpi);
    p.Draw().FillRect(Grid{dpi}(11, 20, 22, 22), kWhite);
    return p;
}

plat::Picture ExitButtonPicture(int dpi) {
    const Grid g{dpi};
    plat::Picture p = TitleButton(dpi);
    plat::Canvas& c = p.Draw();
    // Two strokes of steps one pixel high, each two design pixels wide.
    const int left = g(11), top = g(15), right = g(23), steps = g(11), w = g(2);
    for (int i = 0; i < steps; ++i) {
        c.FillRect({left + i, top + i, left + i + w, top + i + 1}, kWhite);
        c.FillRect({right - w - i, top + i, right - i, top + i + 1}, kWhite);
    }
    return p;
}

plat::Picture HelpIconPicture(int dpi) {
    const Grid g{dpi};
    const int size = g(16);
    plat::Picture p = plat::Picture::Create(size, size, kWindowBody);
    plat::Canvas& c = p.Draw();
    // A disc: each pixel row is the circle's chord through the row's middle.
    const double r = size / 2.0;
    for (int y = 0; y < size; ++y) {
        const double dy = y + 0.5 - r;
        const int half = static_cast<int>(std::lround(std::sqrt(std::max(0.0, r * r - dy * dy))));
        c.FillRect({size / 2 - half, y, size - size / 2 + half, y + 1}, kTitleBlue);
    }
    // The question mark in whole pixels on the design grid: sharp on any system's fonts.
    static constexpr const char* kGlyph[9] = {".####.", "##..##", "....##", "...##.", "..##..",
                                              "..##..", "......", "..##..", "..##.."};
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 6; ++x)
            if (kGlyph[y][x] == '#') c.FillRect(g(5 + x, 3 + y, 6 + x, 4 + y), kWhite);
    return p;
}

}  // namespace shell
