#include "play/popup.h"

#include <chrono>
#include <thread>

#include "media/draw.h"
#include "media/image_list.h"

namespace tw {

void DrawAtPopupPlace(PlayContext& ctx, TPictureCollectionItem& picture) {
  Surface16& primary = ctx.DXDraw.Primary();
  const int32_t dash = ctx.objects.Find("fishdash").FrameHeight();
  picture.Draw(primary, (primary.Width() - picture.FrameWidth()) / 2,
               (primary.Height() - dash - picture.FrameHeight()) / 2, 0);
}

void ShowPopup(PlayContext& ctx, const std::string& name) {
  // Shown at once over the last presented frame.
  DrawAtPopupPlace(ctx, ctx.objects.Find(name));
  ctx.DXDraw.PresentPrimary();
}

void WaitForInput(PlayContext& ctx) {
  // Without a message pump no press could ever arrive.
  if (!ctx.Pump.ProcessMessages) return;
  // Presses made before the pop-up appeared must not end it: let them all
  // through first.
  for (int i = 0; i < 256 && !ctx.Terminated(); ++i) ctx.ProcessMessages();
  ctx.State.AnyInput = 0;
  while (!ctx.State.AnyInput && !ctx.Terminated()) {
    ctx.ProcessMessages();
    if (ctx.State.AnyInput || ctx.Terminated()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace tw
