#include "logo/frame_art.h"

#include <algorithm>
#include <cmath>

namespace logo {

namespace {

constexpr plat::Color kWhite = plat::Rgb(255, 255, 255);
constexpr plat::Color kFace = plat::Rgb(236, 242, 250);
constexpr plat::Color kEdge = plat::Rgb(120, 144, 180);
constexpr plat::Color kInk = plat::Rgb(30, 60, 120);

// A button face with a one-pixel edge; the corners stay white.
plat::Picture ButtonFace(int s) {
    plat::Picture p = plat::Picture::Create(s, s, kWhite);
    plat::Canvas& c = p.Draw();
    c.FillRect({1, 0, s - 1, s}, kEdge);
    c.FillRect({0, 1, s, s - 1}, kEdge);
    c.FillRect({1, 1, s - 1, s - 1}, kFace);
    return p;
}

// A triangle pointing left (dir -1) or right (dir 1) with its tip at x.
void HorizontalTip(plat::Canvas& c, int x, int midY, int dir) {
    for (int i = 0; i < 4; ++i) {
        const int col = x - dir * i;
        c.FillRect({col, midY - i, col + 1, midY + i + 1}, kInk);
    }
}
void VerticalTip(plat::Canvas& c, int y, int midX, int dir) {
    for (int i = 0; i < 4; ++i) {
        const int row = y - dir * i;
        c.FillRect({midX - i, row, midX + i + 1, row + 1}, kInk);
    }
}

// The length of (dx, dy) from IEEE's correctly rounded operations alone, so
// that both builds draw the same pixels: the 32-bit runtime's std::hypot
// rounds differently from the 64-bit one's.
double Distance(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

// A filled disc of colour `fill` on white, `s` pixels across.
plat::Picture Disc(int s, plat::Color fill) {
    plat::Picture p = plat::Picture::Create(s, s, kWhite);
    const double r = s / 2.0 - 0.5, c = (s - 1) / 2.0;
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x)
            if (Distance(x - c, y - c) <= r) p.Draw().FillRect({x, y, x + 1, y + 1}, fill);
    return p;
}

// A stroke of width w from (x1, y1) to (x2, y2), in a picture's own pixels.
void Stroke(plat::Picture& p, double x1, double y1, double x2, double y2, double w, plat::Color col) {
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            const double dx = x2 - x1, dy = y2 - y1, len2 = dx * dx + dy * dy;
            double t = len2 > 0 ? ((x - x1) * dx + (y - y1) * dy) / len2 : 0;
            t = std::clamp(t, 0.0, 1.0);
            if (Distance(x - (x1 + t * dx), y - (y1 + t * dy)) <= w / 2) p.Draw().FillRect({x, y, x + 1, y + 1}, col);
        }
}

}  // namespace

plat::Picture CaptionButtonPicture(CaptionButtonArt kind) {
    constexpr int s = 16;
    plat::Picture p = ButtonFace(s);
    plat::Canvas& c = p.Draw();
    switch (kind) {
        case CaptionButtonArt::Font:
            // A capital A.
            Stroke(p, 4, 12.5, 8, 3, 1.6, kInk);
            Stroke(p, 8, 3, 12, 12.5, 1.6, kInk);
            c.FillRect({6, 9, 11, 10}, kInk);
            break;
        case CaptionButtonArt::Colour:
            c.FillRect({3, 3, 8, 8}, plat::Rgb(230, 40, 40));
            c.FillRect({8, 3, 13, 8}, plat::Rgb(40, 170, 60));
            c.FillRect({3, 8, 8, 13}, plat::Rgb(40, 90, 230));
            c.FillRect({8, 8, 13, 13}, plat::Rgb(250, 200, 30));
            break;
        case CaptionButtonArt::Wider:
            c.FillRect({4, 7, 12, 9}, kInk);
            HorizontalTip(c, 2, 7, -1);
            HorizontalTip(c, 13, 7, 1);
            c.FillRect({2, 7, 3, 9}, kInk);
            c.FillRect({13, 7, 14, 9}, kInk);
            break;
        case CaptionButtonArt::Narrower:
            c.FillRect({7, 3, 9, 13}, kInk);
            HorizontalTip(c, 6, 7, 1);
            HorizontalTip(c, 9, 7, -1);
            break;
        case CaptionButtonArt::Higher:
            c.FillRect({7, 4, 9, 12}, kInk);
            VerticalTip(c, 2, 7, -1);
            VerticalTip(c, 13, 7, 1);
            break;
        case CaptionButtonArt::Lower:
            c.FillRect({3, 7, 13, 9}, kInk);
            VerticalTip(c, 6, 7, 1);
            VerticalTip(c, 9, 7, -1);
            break;
    }
    return p;
}

plat::Picture ReplaceIconPicture(int s) {
    plat::Picture p = plat::Picture::Create(s, s, kWhite);
    plat::Canvas& c = p.Draw();
    const plat::Color folder = plat::Rgb(232, 176, 48), dark = plat::Rgb(176, 120, 20);
    const int t = s / 4;
    c.FillRect({1, t, s / 2, t + 2}, dark);              // the tab
    c.FillRect({1, t + 2, s - 1, s - 2}, dark);          // the body's edge
    c.FillRect({2, t + 3, s - 2, s - 3}, folder);        // the body
    Stroke(p, s * 0.3, s * 0.62, s * 0.7, s * 0.62, std::max(1.5, s / 10.0), plat::Rgb(0, 90, 200));
    Stroke(p, s * 0.55, s * 0.47, s * 0.7, s * 0.62, std::max(1.5, s / 10.0), plat::Rgb(0, 90, 200));
    Stroke(p, s * 0.55, s * 0.77, s * 0.7, s * 0.62, std::max(1.5, s / 10.0), plat::Rgb(0, 90, 200));
    return p;
}

plat::Picture SelectIconPicture(int s) {
    plat::Picture p = Disc(s, plat::Rgb(46, 160, 67));
    Stroke(p, s * 0.27, s * 0.52, s * 0.44, s * 0.7, std::max(1.5, s / 8.0), kWhite);
    Stroke(p, s * 0.44, s * 0.7, s * 0.75, s * 0.32, std::max(1.5, s / 8.0), kWhite);
    return p;
}

plat::Picture HelpIconPicture(int s) {
    plat::Picture p = Disc(s, plat::Rgb(0, 122, 236));
    const double w = std::max(1.4, s / 8.0);
    // The hook of the question mark, as three strokes, and its dot.
    Stroke(p, s * 0.35, s * 0.36, s * 0.5, s * 0.24, w, kWhite);
    Stroke(p, s * 0.5, s * 0.24, s * 0.64, s * 0.36, w, kWhite);
    Stroke(p, s * 0.64, s * 0.36, s * 0.5, s * 0.55, w, kWhite);
    Stroke(p, s * 0.5, s * 0.55, s * 0.5, s * 0.62, w, kWhite);
    Stroke(p, s * 0.5, s * 0.76, s * 0.5, s * 0.77, w, kWhite);
    return p;
}

plat::Picture CloseIconPicture(int s) {
    plat::Picture p = Disc(s, plat::Rgb(210, 60, 60));
    const double w = std::max(1.5, s / 8.0);
    Stroke(p, s * 0.32, s * 0.32, s * 0.68, s * 0.68, w, kWhite);
    Stroke(p, s * 0.68, s * 0.32, s * 0.32, s * 0.68, w, kWhite);
    return p;
}

namespace {
// A small landscape card: sky, a hill and a sun, framed.
void Card(plat::Canvas& c, const plat::Rect& r) {
    c.FillRect(r, plat::Rgb(70, 90, 130));
    const plat::Rect in{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    c.FillRect(in, plat::Rgb(170, 215, 250));
    c.FillRect({in.left, in.bottom - in.Height() / 3, in.right, in.bottom}, plat::Rgb(80, 170, 80));
    c.FillRect({in.right - 5, in.top + 2, in.right - 2, in.top + 5}, plat::Rgb(250, 200, 30));
}
}  // namespace

plat::Picture FrameButtonPicture(int frame, int s) {
    plat::Picture p = plat::Picture::Create(s, s, kWhite);
    plat::Canvas& c = p.Draw();
    const plat::Rect box{1, 3, s - 1, s - 3};
    switch (frame) {
        case 0:  // a rounded blue border
            c.FrameRect(box, plat::Rgb(0, 122, 236), 2);
            for (const plat::Point q : {plat::Point{box.left, box.top}, {box.right - 1, box.top},
                                        {box.left, box.bottom - 1}, {box.right - 1, box.bottom - 1}})
                c.FillRect({q.x, q.y, q.x + 1, q.y + 1}, kWhite);
            break;
        case 1:  // a red dashed border
            for (int x = box.left; x < box.right; x += 4) {
                c.FillRect({x, box.top, std::min(x + 2, box.right), box.top + 2}, plat::Rgb(220, 40, 40));
                c.FillRect({x, box.bottom - 2, std::min(x + 2, box.right), box.bottom}, plat::Rgb(220, 40, 40));
            }
            for (int y = box.top; y < box.bottom; y += 4) {
                c.FillRect({box.left, y, box.left + 2, std::min(y + 2, box.bottom)}, plat::Rgb(220, 40, 40));
                c.FillRect({box.right - 2, y, box.right, std::min(y + 2, box.bottom)}, plat::Rgb(220, 40, 40));
            }
            break;
        case 2: {  // navy corner marks
            const plat::Color navy = plat::Rgb(20, 50, 110);
            const int arm = s / 3;
            c.FillRect({box.left, box.top, box.left + arm, box.top + 2}, navy);
            c.FillRect({box.left, box.top, box.left + 2, box.top + arm}, navy);
            c.FillRect({box.right - arm, box.top, box.right, box.top + 2}, navy);
            c.FillRect({box.right - 2, box.top, box.right, box.top + arm}, navy);
            c.FillRect({box.left, box.bottom - 2, box.left + arm, box.bottom}, navy);
            c.FillRect({box.left, box.bottom - arm, box.left + 2, box.bottom}, navy);
            c.FillRect({box.right - arm, box.bottom - 2, box.right, box.bottom}, navy);
            c.FillRect({box.right - 2, box.bottom - arm, box.right, box.bottom}, navy);
            break;
        }
        default:  // gold outside, navy inside
            c.FrameRect(box, plat::Rgb(245, 185, 20), 2);
            c.FrameRect({box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, plat::Rgb(20, 50, 110), 1);
            break;
    }
    return p;
}

plat::Picture LibraryIconPicture(int w, int h) {
    plat::Picture p = plat::Picture::Create(w, h, kWhite);
    plat::Canvas& c = p.Draw();
    Card(c, {w / 2 - 4, 4, w - 3, h / 2 + 2});
    Card(c, {w / 4 - 2, 8, w * 3 / 4 + 2, h * 2 / 3});
    Card(c, {3, 12, w / 2 + 4, h - 4});
    return p;
}

plat::Picture DeleteIconPicture(int w, int h) {
    plat::Picture p = plat::Picture::Create(w, h, kWhite);
    Card(p.Draw(), {5, 6, w - 5, h - 6});
    Stroke(p, 6, 6, w - 7, h - 7, 3, plat::Rgb(210, 50, 50));
    Stroke(p, w - 7, 6, 6, h - 7, 3, plat::Rgb(210, 50, 50));
    return p;
}

}  // namespace logo
