// The drawing surface: a 640x480 16-bit back buffer the game draws each frame
// into, the visible surface that pop-ups draw on directly, and the step that
// presents them. It takes the display when initialised and gives it back when
// finalised; the sprite libraries bound to it build their frames meanwhile.
//
// Presenting without page flipping leaves the shown frame in both surfaces.
// The two buffers trade places instead of one being copied into the other,
// and the back buffer gets the frame back only when either surface is next
// used, and then only the rows its user will not paint over entirely: the
// map usually paints them all, so a frame costs no copy beyond the
// display's own.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "media/platform.h"
#include "media/surface.h"

namespace tw {

class TDXDraw {
 public:
  explicit TDXDraw(Platform& platform);
  ~TDXDraw();
  TDXDraw(const TDXDraw&) = delete;
  TDXDraw& operator=(const TDXDraw&) = delete;

  // The back buffer: everything drawn per frame goes here. After a Flip it
  // holds the frame just shown.
  Surface16& Surface() {
    if (backBehind_) CatchUp({});
    return surface_;
  }
  // The same for a caller that paints every pixel of the rows marked in
  // `covered` (one entry per row) before it reads any of them: those rows
  // are not brought up to date first.
  Surface16& SurfaceToCover(std::span<const uint8_t> covered) {
    if (backBehind_) CatchUp(covered);
    return surface_;
  }
  // The visible surface: what is drawn here shows at once with PresentPrimary.
  // The back buffer is brought up to date first, so that what is drawn here
  // stays off it.
  Surface16& Primary() {
    if (backBehind_) CatchUp({});
    return primary_;
  }
  PixelFormat Format() const { return surface_.Format(); }
  int32_t Width() const { return surface_.Width(); }
  int32_t Height() const { return surface_.Height(); }

  // Takes the display and makes the surfaces, then runs OnInitialize and has
  // every bound sprite library build its frames. Finalises first. Errors:
  // "Form not found", "Display mode cannot be changed (640x480 16bit)",
  // "Primary Surface cannot be made", "Surface cannot be made"; the display
  // is released before any of them is passed on.
  void Initialize();
  // Drops the libraries' frames, runs OnFinalize and gives the display back.
  // Does nothing when not initialised.
  void Finalize();
  bool Initialized() const { return initialized_; }

  // Whether this frame can be drawn. A display that was taken away is got
  // back here, and the libraries rebuild their frames.
  bool CanDraw();
  // Presents the back buffer; nothing when the frame cannot be drawn.
  void Flip();
  // Shows the visible surface as it is now (pop-ups, the strike bar).
  void PresentPrimary();

  // Sprite libraries whose frames live with this surface: each has
  // InitializeFrames(PixelFormat) and FinalizeFrames(). A library added while
  // the surface is initialised builds its frames at once.
  template <class List>
  void AddImageList(List* list) {
    AddFrameOwner({list, [](void* l, PixelFormat f) { static_cast<List*>(l)->InitializeFrames(f); },
                   [](void* l) { static_cast<List*>(l)->FinalizeFrames(); }});
  }
  template <class List>
  void RemoveImageList(List* list) {
    RemoveFrameOwner(list);
  }

  // The main window's DXDrawInitialize and DXDrawFinalize.
  std::function<void()> OnInitialize;
  std::function<void()> OnFinalize;

  // Options read at the next Initialize. The game only ever adds them.
  bool PageFlip = false;
  bool WaitVBlank = false;

  // Shown over the whole main window during a tournament, hidden in the menu.
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  // No system cursor over the surface during play (the game draws its own).
  void SetCursorHidden(bool hidden);
  bool CursorHidden() const { return cursorHidden_; }

  // The mode the display was taken in (640x480 16bit unless refused).
  const DisplayMode& Mode() const { return mode_; }

 private:
  void ChooseDisplayMode();
  // Gives the back buffer the frame last presented, except the rows marked.
  void CatchUp(std::span<const uint8_t> covered);
  void BuildFrames();
  void ApplyCursor();

  struct FrameOwner {
    void* List;
    void (*Initialize)(void*, PixelFormat);
    void (*Finalize)(void*);
  };
  void AddFrameOwner(const FrameOwner& owner);
  void RemoveFrameOwner(const void* list);

  Platform& platform_;
  Surface16 surface_;
  Surface16 primary_;
  std::vector<FrameOwner> lists_;
  DisplayMode mode_;
  bool initialized_ = false;
  bool busy_ = false;  // inside Initialize or Finalize
  bool visible_ = false;
  bool cursorHidden_ = false;
  bool displayTaken_ = false;
  // The back buffer still holds an older frame than the visible surface,
  // which it should equal.
  bool backBehind_ = false;
};

}  // namespace tw
