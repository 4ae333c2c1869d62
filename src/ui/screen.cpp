#include "ui/screen.h"

#include <algorithm>
#include <cstdlib>

namespace tw {

void HintWindow::Paint(Canvas& c) const {
  if (!Visible) return;
  c.SetOrigin(0, 0);
  c.FillRect(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height(), kBackground);
  c.FrameRect(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height(), kHintText);
  c.DrawText(kFont, Bounds.Left + 3, Bounds.Top + 2, Text, kHintText);
}

Screen::Screen(const FontSet& fonts, int32_t width, int32_t height)
    : fonts_(fonts), width_(width), height_(height), root_(std::make_unique<Control>("root")) {
  root_->screen_ = this;
  root_->SetBounds(0, 0, width, height);
}

Screen::~Screen() {
  // The widgets tell the screen as they go, so it must still be whole.
  root_.reset();
}

Control& Screen::TopLayer() const {
  return layers_.empty() ? *root_ : *layers_.back().form;
}

bool Screen::Contains(const Control* ancestor, const Control* c) const {
  for (; c; c = c->parent_)
    if (c == ancestor) return true;
  return false;
}

Control* Screen::Hit(Control& ctl, int32_t x, int32_t y) const {
  if (!ctl.Visible()) return nullptr;
  if (x < ctl.Left || y < ctl.Top || x >= ctl.Left + ctl.Width || y >= ctl.Top + ctl.Height)
    return nullptr;
  int32_t lx = x - ctl.Left, ly = y - ctl.Top;
  for (auto it = ctl.children_.rbegin(); it != ctl.children_.rend(); ++it)
    if (Control* h = Hit(**it, lx, ly)) return h;
  return &ctl;
}

Control* Screen::ControlAt(int32_t x, int32_t y) const {
  Control& top = TopLayer();
  int32_t px = 0, py = 0;
  if (top.parent_) px = top.parent_->FrameLeft(), py = top.parent_->FrameTop();
  return Hit(top, x - px, y - py);
}

void Screen::SetFocus(Control* c, bool byKeyboard) {
  if (c == focus_) return;
  if (overlay_ && c != overlay_) CloseOverlay();
  Control* old = focus_;
  focus_ = c;
  if (old) old->FocusOut();
  if (c && focus_ == c) c->FocusIn(byKeyboard);
  Invalidate();
}

void Screen::TabNext(bool backwards) {
  std::vector<Control*> stops;
  std::function<void(Control&)> walk = [&](Control& ctl) {
    if (!ctl.Visible() || !ctl.Enabled()) return;
    if (ctl.AcceptsTab()) stops.push_back(&ctl);
    for (auto& ch : ctl.children_) walk(*ch);
  };
  walk(TopLayer());
  if (stops.empty()) return;
  auto it = std::find(stops.begin(), stops.end(), focus_);
  size_t n = stops.size();
  size_t next;
  if (it == stops.end()) {
    next = backwards ? n - 1 : 0;
  } else {
    size_t i = static_cast<size_t>(it - stops.begin());
    next = backwards ? (i + n - 1) % n : (i + 1) % n;
  }
  SetFocus(stops[next], true);
}

bool Screen::KeyDown(int32_t vk, bool shift) {
  HideHint();
  hintDone_ = true;
  if (overlay_ && overlay_->KeyDown(vk, shift)) return true;
  for (Control* c = focus_; c; c = c->parent_) {
    if (!c->Usable()) break;
    if (c->KeyDown(vk, shift)) return true;
  }
  if (!focus_ && TopLayer().KeyDown(vk, shift)) return true;
  if (vk == vk::kTab) {
    TabNext(shift);
    return true;
  }
  return false;
}

bool Screen::KeyUp(int32_t vk) {
  if (focus_ && focus_->Usable()) return focus_->KeyUp(vk);
  return false;
}

bool Screen::Text(std::string_view cp1252) {
  if (focus_ && focus_->Usable()) return focus_->TextInput(cp1252);
  return false;
}

void Screen::MouseDown(int32_t button, int32_t x, int32_t y) {
  mouseX_ = x, mouseY_ = y;
  HideHint();
  hintDone_ = true;
  if (overlay_) {
    int32_t ox = overlay_->FrameLeft(), oy = overlay_->FrameTop();
    if (overlay_->OverlayContains(x - ox, y - oy)) {
      overlayCapture_ = true;
      overlay_->OverlayMouseDown(x - ox, y - oy);
      return;
    }
    // A press anywhere else only closes the drop-down.
    CloseOverlay();
    return;
  }
  if (capture_) return;  // a second button while one is held
  Control* t = ControlAt(x, y);
  if (!t || !t->Usable()) return;
  if (button == kMouseLeft && t->Focusable()) SetFocus(t, false);
  capture_ = t;
  captureButton_ = button;
  int32_t lx = x - t->FrameLeft(), ly = y - t->FrameTop();
  bool dbl = button == kMouseLeft && lastClick_ == t && now_ - lastClickAt_ <= kDoubleClickTime &&
             std::abs(x - lastClickX_) <= 4 && std::abs(y - lastClickY_) <= 4;
  if (button == kMouseLeft) {
    lastClick_ = dbl ? nullptr : t;
    lastClickAt_ = now_;
    lastClickX_ = x, lastClickY_ = y;
  }
  t->MouseDown(button, lx, ly);
  if (dbl && capture_ == t) t->DoubleClick(lx, ly);
  Invalidate();
}

void Screen::MouseUp(int32_t button, int32_t x, int32_t y) {
  mouseX_ = x, mouseY_ = y;
  if (overlayCapture_) {
    overlayCapture_ = false;
    if (overlay_) {
      int32_t ox = overlay_->FrameLeft(), oy = overlay_->FrameTop();
      overlay_->OverlayMouseUp(x - ox, y - oy);
    }
    return;
  }
  if (!capture_ || button != captureButton_) return;
  // Let go first: the handler may open a modal box that runs its own loop.
  Control* t = capture_;
  capture_ = nullptr;
  captureButton_ = -1;
  Invalidate();
  t->MouseUp(button, x - t->FrameLeft(), y - t->FrameTop());
}

void Screen::MouseMove(int32_t x, int32_t y) {
  mouseX_ = x, mouseY_ = y;
  if (overlay_) {
    int32_t ox = overlay_->FrameLeft(), oy = overlay_->FrameTop();
    if (overlayCapture_ || overlay_->OverlayContains(x - ox, y - oy))
      overlay_->OverlayMouseMove(x - ox, y - oy);
  }
  if (capture_) {
    capture_->MouseMove(x - capture_->FrameLeft(), y - capture_->FrameTop(), true);
  } else if (Control* t = ControlAt(x, y); t && t->Usable()) {
    t->MouseMove(x - t->FrameLeft(), y - t->FrameTop(), false);
  }
  UpdateHover();
}

void Screen::Wheel(int32_t delta) {
  if (overlay_ && overlay_->Wheel(delta)) return;
  for (Control* c = ControlAt(mouseX_, mouseY_); c; c = c->parent_) {
    if (!c->Usable()) continue;
    if (c->Wheel(delta)) {
      Invalidate();
      return;
    }
  }
}

void Screen::UpdateHover() {
  Control* h = ControlAt(mouseX_, mouseY_);
  if (h == hover_) return;
  hintWasShowing_ = hint_.Visible;
  HideHint();
  hover_ = h;
  hoverSince_ = now_;
  hintDone_ = false;
}

void Screen::HideHint() {
  if (hint_.Visible) Invalidate();
  hint_.Visible = false;
}

void Screen::Tick(uint32_t nowMs) {
  // The caret blinks twice a second.
  if (focus_ && nowMs / 500 != now_ / 500) Invalidate();
  now_ = nowMs;
  if (hint_.Visible && now_ - hintShownAt_ >= kHintHidePause) {
    HideHint();
    hintDone_ = true;
  }
  uint32_t pause = hintWasShowing_ ? kHintShortPause : kHintPause;
  if (!hint_.Visible && !hintDone_ && hover_ && !hover_->Hint.empty() && !capture_ && !overlay_ &&
      now_ - hoverSince_ >= pause) {
    const Font& f = fonts_.Get(HintWindow::kFont);
    int32_t w = f.TextWidth(hover_->Hint) + 7;
    int32_t h = f.CellHeight + 4;
    int32_t x = std::clamp(mouseX_, 0, std::max(0, width_ - w));
    int32_t y = mouseY_ + 20;
    if (y + h > height_) y = std::max(0, mouseY_ - h - 2);
    hint_.Text = hover_->Hint;
    hint_.Bounds = Rect{x, y, x + w, y + h};
    hint_.Visible = true;
    hintShownAt_ = now_;
    Invalidate();
  }
}

CursorKind Screen::Cursor() const {
  if (overlay_ &&
      overlay_->OverlayContains(mouseX_ - overlay_->FrameLeft(), mouseY_ - overlay_->FrameTop()))
    return CursorKind::Arrow;
  Control* t = capture_ ? capture_ : ControlAt(mouseX_, mouseY_);
  if (!t || !t->Usable()) return CursorKind::Arrow;
  return t->CursorAt(mouseX_ - t->FrameLeft(), mouseY_ - t->FrameTop());
}

void Screen::PushModal(Control& form) {
  CloseOverlay();
  HideHint();
  capture_ = nullptr;
  form.screen_ = this;
  layers_.push_back(Layer{&form, focus_});
  if (focus_) focus_->FocusOut();
  focus_ = nullptr;
  hover_ = nullptr;
  UpdateHover();
  Invalidate();
}

void Screen::PopModal(Control& form) {
  auto it = std::find_if(layers_.begin(), layers_.end(), [&](auto& l) { return l.form == &form; });
  if (it == layers_.end()) return;
  Control* saved = it->savedFocus;
  layers_.erase(it);
  Forget(&form);
  form.screen_ = nullptr;
  focus_ = nullptr;
  if (saved && saved->Usable()) SetFocus(saved, false);
  hover_ = nullptr;
  UpdateHover();
  Invalidate();
}

void Screen::OpenOverlay(Control& owner) {
  if (overlay_ == &owner) return;
  CloseOverlay();
  overlay_ = &owner;
  HideHint();
  Invalidate();
}

void Screen::CloseOverlay() {
  if (!overlay_) return;
  Control* o = overlay_;
  overlay_ = nullptr;
  overlayCapture_ = false;
  Invalidate();
  o->OverlayClosed();
}

void Screen::Forget(const Control* c) {
  if (Contains(c, focus_)) focus_ = nullptr;
  if (Contains(c, capture_)) capture_ = nullptr;
  if (Contains(c, overlay_)) overlay_ = nullptr, overlayCapture_ = false;
  if (Contains(c, hover_)) hover_ = nullptr, HideHint();
  if (Contains(c, lastClick_)) lastClick_ = nullptr;
  for (auto& l : layers_)
    if (Contains(c, l.savedFocus)) l.savedFocus = nullptr;
  std::erase_if(layers_, [c](auto& l) { return l.form == c; });
}

void Screen::Hidden(const Control* c) {
  if (Contains(c, focus_)) {
    Control* f = focus_;
    focus_ = nullptr;
    f->FocusOut();
  }
  if (Contains(c, capture_)) capture_ = nullptr;
  if (Contains(c, overlay_)) CloseOverlay();
  if (Contains(c, hover_)) hover_ = nullptr, HideHint();
  Invalidate();
}

void Screen::PaintTree(Canvas& c, Control& ctl, const Rect& clip) {
  if (!ctl.Visible()) return;
  ctl.FitContent(fonts_);
  int32_t x = ctl.FrameLeft(), y = ctl.FrameTop();
  Rect r = Intersect(Rect{x, y, x + ctl.Width, y + ctl.Height}, clip);
  if (r.Empty()) return;
  c.SetOrigin(x, y);
  c.SetClip(r);
  ctl.Paint(c);
  for (auto& ch : ctl.children_) PaintTree(c, *ch, r);
}

void Screen::Paint(Surface16& target) {
  Canvas c(target, fonts_);
  Rect all{0, 0, target.Width(), target.Height()};
  PaintTree(c, *root_, all);
  for (auto& l : layers_) PaintTree(c, *l.form, all);
  if (overlay_) {
    c.SetOrigin(overlay_->FrameLeft(), overlay_->FrameTop());
    c.SetClip(all);
    overlay_->PaintOverlay(c);
  }
  c.SetClip(all);
  hint_.Paint(c);
  dirty_ = false;
}

}  // namespace tw
