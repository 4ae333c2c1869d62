#include "ui/control.h"

#include <algorithm>

#include "ui/screen.h"

namespace tw {

Control::~Control() {
  // Children go first, while this control is still whole, so that each can
  // tell the screen it is gone.
  children_.clear();
  if (Screen* s = GetScreen()) s->Forget(this);
}

Control* Control::Find(std::string_view name) {
  if (Name == name) return this;
  for (auto& c : children_)
    if (Control* f = c->Find(name)) return f;
  return nullptr;
}

void Control::SetVisible(bool v) {
  if (visible_ == v) return;
  Invalidate();
  visible_ = v;
  if (!v)
    if (Screen* s = GetScreen()) s->Hidden(this);
}

void Control::SetEnabled(bool e) {
  if (enabled_ == e) return;
  enabled_ = e;
  Invalidate();
  if (!e)
    if (Screen* s = GetScreen()) s->Hidden(this);
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

bool Control::Usable() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

void Control::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  Invalidate();
  Left = left;
  Top = top;
  Width = width;
  Height = height;
  Invalidate();
}

int32_t Control::FrameLeft() const {
  int32_t x = 0;
  for (const Control* c = this; c; c = c->parent_) x += c->Left;
  return x;
}

int32_t Control::FrameTop() const {
  int32_t y = 0;
  for (const Control* c = this; c; c = c->parent_) y += c->Top;
  return y;
}

Rect Control::FrameBounds() const {
  int32_t x = FrameLeft(), y = FrameTop();
  return Rect{x, y, x + Width, y + Height};
}

Screen* Control::GetScreen() const {
  const Control* c = this;
  while (c->parent_) c = c->parent_;
  return c->screen_;
}

const Font& Control::UsedFont() const {
  Screen* s = GetScreen();
  return s ? s->Fonts().Get(FontName) : BuiltinFont();
}

bool Control::Focused() const {
  Screen* s = GetScreen();
  return s && s->Focused() == this;
}

void Control::SetFocus() {
  if (Screen* s = GetScreen()) s->SetFocus(this, false);
}

void Control::Invalidate() const {
  if (Screen* s = GetScreen()) s->Invalidate();
}

void Control::BringToFront() {
  if (!parent_) return;
  auto& sib = parent_->children_;
  auto it = std::find_if(sib.begin(), sib.end(), [this](auto& p) { return p.get() == this; });
  if (it != sib.end()) std::rotate(it, it + 1, sib.end());
  Invalidate();
}

}  // namespace tw
