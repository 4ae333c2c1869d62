// The boats (three upgrade levels, each with a throttle twin showing a bow
// wave and spray) and the angler who stands in them.
//
// Both are small 3D models drawn from the game's viewpoint: the ground plane
// is squashed to half height, so a heading h points along (cos, sin / 2) on
// screen, and heights rise straight up.
#include <algorithm>
#include <cmath>
#include <vector>

#include "bake/art.h"
#include "bake/art_canvas.h"

namespace tw::bake {
namespace {

const Rgb kWater = Hex(0x2F6F8E);  // what boats are mostly seen against

using View = GroundView;

struct BoatLook {
  double length, beam, freeboard;
  Rgb hull, trim, floor, motor;
  bool console;  // a bass boat's driving console and seats
  bool stripe;
};

// The hull outline at one height: a pointed bow, a flat transom.
std::vector<std::pair<double, double>> Outline(const BoatLook& b, double shrink) {
  const double L = b.length / 2 - shrink, B = b.beam / 2 - shrink;
  return {{L + 2, 0},      {L * 0.55, B * 0.82}, {0, B},  {-L * 0.7, B},        {-L, B * 0.92},
          {-L, -B * 0.92}, {-L * 0.7, -B},       {0, -B}, {L * 0.55, -B * 0.82}};
}

void DrawWake(cairo_t* cr, const View& vw, const BoatLook& b, int32_t frame) {
  const double L = b.length / 2;
  // Bow wave: two foam wings spreading back from the bow.
  for (int side = -1; side <= 1; side += 2) {
    std::vector<Pt> wing = {vw.P(L + 3, 0, 0), vw.P(L * 0.2, side * (b.beam / 2 + 7), 0),
                            vw.P(-L * 0.4, side * (b.beam / 2 + 9), 0),
                            vw.P(L * 0.1, side * (b.beam / 2 + 2), 0)};
    Poly(cr, wing);
    SetColor(cr, Hex(0xDDF2FA), 0.95);
    cairo_fill(cr);
  }
  // Churned water behind the motor.
  for (int i = 0; i < 4; ++i) {
    Pt p = vw.P(-L - 4 - i * 4, ((i + frame) % 3 - 1) * 2.0, 0);
    Ellipse(cr, p.x, p.y, 4.5 - i * 0.6, 2.4 - i * 0.3);
    SetColor(cr, Hex(0xE8F6FB), 0.9 - i * 0.15);
    cairo_fill(cr);
  }
  // Spray drops thrown up at the bow.
  for (int i = 0; i < 6; ++i) {
    const double side = (i % 2) ? 1 : -1;
    Pt p =
        vw.P(L * 0.6 - i * 1.5, side * (b.beam / 2 + 3 + (i % 3) * 2), 3 + ((i * 7 + frame) % 5));
    Ellipse(cr, p.x, p.y, 1.3, 1.3);
    SetColor(cr, Hex(0xF4FCFF));
    cairo_fill(cr);
  }
}

void DrawBoat(cairo_t* cr, const View& vw, const BoatLook& b, bool gas, int32_t frame) {
  if (gas) DrawWake(cr, vw, b, frame);
  const auto low = Outline(b, 2.5), high = Outline(b, 0);
  const size_t n = high.size();
  // A soft shadow on the water.
  {
    std::vector<Pt> sh;
    for (auto [u, v] : high) sh.push_back(vw.P(u, v, 0));
    for (auto& p : sh) p.y += 1.5;
    Poly(cr, sh);
    SetColor(cr, Hex(0x16384A), 0.55);
    cairo_fill(cr);
  }
  // Hull sides seen from the viewer's side, lit from the upper left.
  std::vector<size_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = i;
  auto faceY = [&](size_t i) {
    auto [u0, v0] = high[i];
    auto [u1, v1] = high[(i + 1) % n];
    return vw.Facing((u0 + u1) / 2, (v0 + v1) / 2);
  };
  std::sort(order.begin(), order.end(), [&](size_t a, size_t c) { return faceY(a) < faceY(c); });
  for (size_t i : order) {
    auto [u0, v0] = high[i];
    auto [u1, v1] = high[(i + 1) % n];
    auto [lu0, lv0] = low[i];
    auto [lu1, lv1] = low[(i + 1) % n];
    // Outward normal of this side in boat terms.
    const double nu = v1 - v0, nv = -(u1 - u0);
    if (vw.Facing(nu, nv) <= 0) continue;
    const double gx = nu * std::cos(vw.th) - nv * std::sin(vw.th);
    const double gy = nu * std::sin(vw.th) + nv * std::cos(vw.th);
    const double light = 0.75 + 0.35 * (-(gx + gy * 0.6) / std::hypot(gx, gy));
    Poly(cr, {vw.P(u0, v0, b.freeboard), vw.P(u1, v1, b.freeboard), vw.P(lu1, lv1, 0),
              vw.P(lu0, lv0, 0)});
    SetColor(cr, Shade(b.hull, light));
    cairo_fill_preserve(cr);
    SetColor(cr, Shade(b.hull, 0.55), 0.6);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    if (b.stripe) {
      Poly(cr, {vw.P(u0, v0, b.freeboard * 0.62), vw.P(u1, v1, b.freeboard * 0.62),
                vw.P(u1, v1, b.freeboard * 0.42), vw.P(u0, v0, b.freeboard * 0.42)});
      SetColor(cr, Shade(b.trim, light));
      cairo_fill(cr);
    }
  }
  // Gunwale and the floor inside.
  std::vector<Pt> rim, inner;
  for (auto [u, v] : high) rim.push_back(vw.P(u, v, b.freeboard));
  for (auto [u, v] : Outline(b, 2.2)) inner.push_back(vw.P(u, v, b.freeboard - 1.5));
  Poly(cr, rim);
  SetColor(cr, Shade(b.trim, 1.08));
  cairo_fill(cr);
  Poly(cr, inner);
  SetColor(cr, b.floor);
  cairo_fill(cr);
  const double L = b.length / 2;
  if (b.console) {
    // Casting deck at the bow, a console with a windscreen, two seats.
    const auto in = Outline(b, 2.2);
    const double B = b.beam / 2 - 2.6;
    Poly(cr, {vw.P(in[8].first, in[8].second, b.freeboard - 0.5),
              vw.P(in[0].first, in[0].second, b.freeboard - 0.5),
              vw.P(in[1].first, in[1].second, b.freeboard - 0.5),
              vw.P(L * 0.3, B, b.freeboard - 0.5), vw.P(L * 0.3, -B, b.freeboard - 0.5)});
    SetColor(cr, Shade(b.floor, 1.25));
    cairo_fill(cr);
    for (double su : {-L * 0.15, -L * 0.55}) {
      Pt s = vw.P(su, 0, b.freeboard + 2);
      Ellipse(cr, s.x, s.y, 3.2, 2.4);
      SetColor(cr, Hex(0xE9E4D8));
      cairo_fill(cr);
    }
    Pt c0 = vw.P(L * 0.1, b.beam / 2 - 4, b.freeboard),
       c1 = vw.P(L * 0.1, b.beam / 2 - 4, b.freeboard + 5);
    Pt c2 = vw.P(L * 0.1 - 5, b.beam / 2 - 4, b.freeboard + 5);
    cairo_move_to(cr, c0.x, c0.y);
    cairo_line_to(cr, c1.x, c1.y);
    cairo_line_to(cr, c2.x, c2.y);
    cairo_set_line_width(cr, 3);
    SetColor(cr, Shade(b.trim, 0.8));
    cairo_stroke(cr);
  } else {
    // Rowboat benches.
    for (double su : {L * 0.35, -L * 0.1, -L * 0.6}) {
      cairo_move_to(cr, vw.P(su, -b.beam / 2 + 1, b.freeboard).x,
                    vw.P(su, -b.beam / 2 + 1, b.freeboard).y);
      Pt e = vw.P(su, b.beam / 2 - 1, b.freeboard);
      cairo_line_to(cr, e.x, e.y);
      cairo_set_line_width(cr, 2.2);
      SetColor(cr, Hex(0xA7763E));
      cairo_stroke(cr);
    }
  }
  // The outboard motor on the transom.
  const double mu = -L - 1.5;
  Pt m0 = vw.P(mu, 0, 0), m1 = vw.P(mu, 0, b.freeboard + 4.5);
  cairo_move_to(cr, m0.x, m0.y);
  cairo_line_to(cr, m1.x, m1.y);
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Hex(0x30343A));
  cairo_stroke(cr);
  RoundedRect(cr, m1.x - 3.2, m1.y - 3.2, 6.4, 5.6, 1.8);
  SetColor(cr, b.motor);
  cairo_fill_preserve(cr);
  SetColor(cr, Shade(b.motor, 0.5));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  Ellipse(cr, m1.x - 1.0, m1.y - 1.6, 1.4, 0.8);
  SetColor(cr, Shade(b.motor, 1.5));
  cairo_fill(cr);
}

// Frame f shows heading 7 + 8 (31 - f): frame 31 points along +x, lower
// frames turn the bow toward the top of the screen.
double BoatHeadingOfFrame(int32_t f) {
  return StepsToRadians(7.0 + 8.0 * (31 - f));
}

constexpr int32_t kBoatW = 72, kBoatH = 52;

Picture BoatStrip(const BoatLook& b, bool gas) {
  std::vector<Picture> frames;
  for (int32_t f = 0; f < 32; ++f) {
    Canvas c(kBoatW, kBoatH);
    DrawBoat(c.cr(), View{kBoatW / 2.0, kBoatH / 2.0 + 4, BoatHeadingOfFrame(f), 0.9}, b, gas, f);
    frames.push_back(c.ToKeyed(kWater, 0.35));
  }
  return FrameStrip(frames, 8);
}

// ---- The angler -------------------------------------------------------

constexpr int32_t kGuyW = 60, kGuyH = 56;

void DrawAngler(cairo_t* cr, double th, int32_t step) {
  const View vw{kGuyW / 2.0, kGuyH - 3.0, th, 0.9};
  const bool away = vw.Facing(1, 0) < 0;
  // Rod pitch from over the shoulder (step 0) to held out toward the lure (5).
  static const double kPitch[6] = {118, 96, 74, 52, 32, 14};
  const double p = kPitch[step] * M_PI / 180;
  const double hu = 4, hv = 3, hz = 17;
  const double tipU = hu + std::cos(p) * 27, tipZ = hz + std::sin(p) * 27;
  auto rod = [&] {
    Pt a = vw.P(hu - std::cos(p) * 4, hv, hz - std::sin(p) * 4), t = vw.P(tipU, hv, tipZ);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, t.x, t.y);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, Hex(0x3B2A1A));
    cairo_stroke(cr);
    Pt r = vw.P(hu + std::cos(p) * 1, hv + 1.5, hz + std::sin(p) * 1);
    Ellipse(cr, r.x, r.y, 1.6, 1.6);
    SetColor(cr, Hex(0xC8CCD2));
    cairo_fill(cr);
  };
  if (away) rod();
  // Legs and boots.
  for (int s = -1; s <= 1; s += 2) {
    Pt f = vw.P(0, s * 2.5, 0), k = vw.P(0.3, s * 2.5, 9);
    cairo_move_to(cr, f.x, f.y);
    cairo_line_to(cr, k.x, k.y);
    cairo_set_line_width(cr, 3.2);
    SetColor(cr, Hex(0x34405A));
    cairo_stroke(cr);
    Ellipse(cr, f.x, f.y, 2.2, 1.3);
    SetColor(cr, Hex(0x3A2A1C));
    cairo_fill(cr);
  }
  // Body in a life vest.
  Pt hip = vw.P(0, 0, 10), chest = vw.P(0, 0, 19);
  cairo_move_to(cr, hip.x, hip.y);
  cairo_line_to(cr, chest.x, chest.y);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 8.5);
  SetColor(cr, Hex(0xE0662A));
  cairo_stroke(cr);
  cairo_move_to(cr, hip.x + 1.5, hip.y - 1);
  cairo_line_to(cr, chest.x + 1.5, chest.y);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Hex(0xF39A5C));
  cairo_stroke(cr);
  // Arms reaching to the rod's grip.
  Pt hand = vw.P(hu, hv, hz);
  for (int s = -1; s <= 1; s += 2) {
    Pt sh = vw.P(0, s * 3.5, 19);
    cairo_move_to(cr, sh.x, sh.y);
    cairo_line_to(cr, hand.x, hand.y);
    cairo_set_line_width(cr, 2.4);
    SetColor(cr, Hex(0xD8A27A));
    cairo_stroke(cr);
  }
  // Head with a cap whose peak shows which way he looks.
  Pt head = vw.P(0, 0, 24.5);
  Ellipse(cr, head.x, head.y, 3.6, 3.8);
  SetColor(cr, Hex(0xE7B48C));
  cairo_fill(cr);
  Pt peak = vw.P(3.2, 0, 26.5);
  Ellipse(cr, peak.x, peak.y, 2.8, 1.4);
  SetColor(cr, Hex(0x1F5A9A));
  cairo_fill(cr);
  Ellipse(cr, head.x, head.y - 2.2, 3.8, 2.2);
  SetColor(cr, Hex(0x2A6FB8));
  cairo_fill(cr);
  if (!away) rod();
}

}  // namespace

void AddBoats(LibraryBuilder& lib) {
  const BoatLook looks[3] = {
      // A dented aluminium skiff with a small outboard.
      {32, 14, 5, Hex(0xA9B3BC), Hex(0x8C969E), Hex(0x7C868E), Hex(0x50565E), false, false},
      // A green fibreglass bass boat.
      {40, 16, 5.5, Hex(0x2E8B57), Hex(0xF0EDE2), Hex(0x6E7C70), Hex(0x22262A), true, true},
      // A red metal-flake tournament boat with a big black engine.
      {46, 17, 6, Hex(0xC8283A), Hex(0xF4F1EA), Hex(0x5C5F66), Hex(0x202226), true, true}};
  for (int i = 0; i < 3; ++i) {
    const std::string name = "boat" + std::to_string(i + 1);
    lib.Add(name, BoatStrip(looks[i], false), kBoatW, kBoatH);
    lib.Add(name + "gas", BoatStrip(looks[i], true), kBoatW, kBoatH);
  }
  // "fishguy": frame = direction * 6 + casting step; direction d faces about
  // 262.5 - 16 d heading steps.
  std::vector<Picture> frames;
  for (int32_t d = 0; d < 16; ++d)
    for (int32_t s = 0; s < 6; ++s) {
      Canvas c(kGuyW, kGuyH);
      DrawAngler(c.cr(), StepsToRadians(262.5 - 16.0 * d), s);
      frames.push_back(c.ToKeyed(Hex(0x8C969E), 0.4));
    }
  lib.Add("fishguy", FrameStrip(frames, 6), kGuyW, kGuyH);
}

}  // namespace tw::bake
