#include "media/draw.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <utility>

#include "core/error.h"

namespace tw {

namespace {

constexpr DisplayMode kWantedMode{kScreenWidth, kScreenHeight, 16};

// Clears a flag when the scope ends, however it ends.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

TDXDraw::TDXDraw(Platform& platform)
    : platform_(platform),
      surface_(kScreenWidth, kScreenHeight),
      primary_(kScreenWidth, kScreenHeight) {}

TDXDraw::~TDXDraw() {
  // Leaving the program must not leave the display taken; the main window's
  // handlers and perhaps the sprite libraries are gone by now, so they are
  // left alone.
  OnFinalize = nullptr;
  lists_.clear();
  try {
    Finalize();
  } catch (...) {
  }
}

void TDXDraw::ChooseDisplayMode() {
  if (platform_.SetDisplayMode(kWantedMode)) {
    mode_ = kWantedMode;
    return;
  }
  // The nearest bigger mode with more than 256 colours: first those with the
  // screen's 4:3 shape, then any.
  std::vector<DisplayMode> modes = platform_.DisplayModes();
  std::erase_if(modes, [](const DisplayMode& m) {
    return m.Width < kScreenWidth || m.Height < kScreenHeight || m.BitCount <= 8;
  });
  auto smaller = [](const DisplayMode& a, const DisplayMode& b) {
    const int64_t areaA = int64_t{a.Width} * a.Height, areaB = int64_t{b.Width} * b.Height;
    if (areaA != areaB) return areaA < areaB;
    if (a.Width != b.Width) return a.Width < b.Width;
    return a.BitCount < b.BitCount;
  };
  std::stable_sort(modes.begin(), modes.end(), smaller);
  auto fourByThree = [](const DisplayMode& m) {
    return int64_t{m.Width} * 3 == int64_t{m.Height} * 4;
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (const DisplayMode& m : modes) {
      if ((pass == 0) != fourByThree(m)) continue;
      if (m == kWantedMode) continue;  // already refused
      if (platform_.SetDisplayMode(m)) {
        mode_ = m;
        return;
      }
    }
  }
  throw GameError("Display mode cannot be changed (" + std::to_string(kWantedMode.Width) + "x" +
                  std::to_string(kWantedMode.Height) + " " + std::to_string(kWantedMode.BitCount) +
                  "bit)");
}

void TDXDraw::Initialize() {
  Finalize();
  {
    FlagScope busy(busy_);
    try {
      if (!platform_.HasMainWindow()) throw GameError("Form not found");
      displayTaken_ = true;
      ChooseDisplayMode();
      const PixelFormat format = platform_.DisplayFormat();
      PresentOptions options;
      options.Mode = mode_;
      options.PageFlip = PageFlip;
      options.WaitVBlank = WaitVBlank;
      switch (platform_.OpenPresenter(options)) {
        case PresenterResult::PrimaryRefused:
          throw GameError("Primary Surface cannot be made");
        case PresenterResult::BackBufferRefused:
          throw GameError("Surface cannot be made");
        case PresenterResult::Ok:
          break;
      }
      // The surfaces are made once per pixel layout and then kept, so a
      // tournament start does not reallocate them.
      if (surface_.Format() != format) {
        surface_ = Surface16(kScreenWidth, kScreenHeight, format);
        primary_ = Surface16(kScreenWidth, kScreenHeight, format);
        backBehind_ = false;
      }
      surface_.SetLost(false);
      primary_.SetLost(false);
    } catch (...) {
      // Never leave the display half taken.
      if (displayTaken_) platform_.CloseDisplay();
      displayTaken_ = false;
      throw;
    }
    initialized_ = true;
  }
  ApplyCursor();
  // The libraries get their frames even when the main window's handler
  // fails (a missing sound device, say): its error is reported, but the
  // game must still be able to draw.
  std::exception_ptr failure;
  try {
    if (OnInitialize) OnInitialize();
  } catch (...) {
    failure = std::current_exception();
  }
  if (initialized_) BuildFrames();
  if (failure) std::rethrow_exception(failure);
}

void TDXDraw::Finalize() {
  if (!initialized_ || busy_) return;
  std::exception_ptr failure;
  {
    FlagScope busy(busy_);
    for (const FrameOwner& owner : lists_) {
      try {
        owner.Finalize(owner.List);
      } catch (...) {
        if (!failure) failure = std::current_exception();
      }
    }
    try {
      if (OnFinalize) OnFinalize();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    if (displayTaken_) platform_.CloseDisplay();
    displayTaken_ = false;
    initialized_ = false;
  }
  if (failure) std::rethrow_exception(failure);
}

void TDXDraw::BuildFrames() {
  for (const FrameOwner& owner : lists_) owner.Initialize(owner.List, surface_.Format());
}

bool TDXDraw::CanDraw() {
  if (!initialized_ || busy_) return false;
  if (platform_.DisplayLost()) {
    surface_.SetLost(true);
    primary_.SetLost(true);
  }
  if (surface_.Lost() || primary_.Lost()) {
    if (!platform_.RestoreDisplay()) return false;
    surface_.SetLost(false);
    primary_.SetLost(false);
    BuildFrames();
  }
  return true;
}

void TDXDraw::Flip() {
  if (!CanDraw()) return;
  if (PageFlip) {
    // The back buffer becomes the visible surface and the old visible
    // surface the next back buffer.
    if (backBehind_) CatchUp({});
    std::swap(surface_, primary_);
  } else if (!backBehind_) {
    // As if copied: the visible surface takes the frame, and the back
    // buffer is given it again when next used. Flipping again before that
    // shows the same frame once more.
    std::swap(surface_, primary_);
    backBehind_ = true;
  }
  platform_.Present(primary_);
}

void TDXDraw::CatchUp(std::span<const uint8_t> covered) {
  backBehind_ = false;
  const auto rows = static_cast<size_t>(surface_.Height());
  const auto pitch = static_cast<size_t>(surface_.Pitch());
  // Runs of rows not covered, each copied at once.
  for (size_t y = 0; y < rows;) {
    if (y < covered.size() && covered[y]) {
      ++y;
      continue;
    }
    size_t end = y + 1;
    while (end < rows && !(end < covered.size() && covered[end])) ++end;
    std::memcpy(surface_.Row(static_cast<int32_t>(y)), primary_.Row(static_cast<int32_t>(y)),
                pitch * (end - y));
    y = end;
  }
}

void TDXDraw::PresentPrimary() {
  if (!CanDraw()) return;
  platform_.Present(primary_);
}

void TDXDraw::AddFrameOwner(const FrameOwner& owner) {
  if (!owner.List) return;
  for (const FrameOwner& o : lists_)
    if (o.List == owner.List) return;
  lists_.push_back(owner);
  if (initialized_ && !busy_) owner.Initialize(owner.List, surface_.Format());
}

void TDXDraw::RemoveFrameOwner(const void* list) {
  std::erase_if(lists_, [list](const FrameOwner& o) { return o.List == list; });
}

void TDXDraw::SetVisible(bool visible) {
  visible_ = visible;
  ApplyCursor();
}

void TDXDraw::SetCursorHidden(bool hidden) {
  cursorHidden_ = hidden;
  ApplyCursor();
}

void TDXDraw::ApplyCursor() {
  // Over the menu the controls choose their own cursors.
  if (visible_) platform_.SetCursor(cursorHidden_ ? CursorShape::Hidden : CursorShape::Arrow);
}

}  // namespace tw
