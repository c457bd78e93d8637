// TGraphic: the abstract picture and those that show it without owning it.
#include <algorithm>
#include <utility>

#include "toolkit/Graphics.h"

LV_PUBLISH(TGraphic) { return {}; }

TGraphic::~TGraphic() {
  // A holder told here may let go of other pictures, never of this one.
  const std::vector<TNotifyEvent> holders = std::move(FFreeNotifies);
  for (const TNotifyEvent &holder : holders) holder(this);
}

void TGraphic::FreeNotification(const TNotifyEvent &holder) { FFreeNotifies.push_back(holder); }

void TGraphic::RemoveFreeNotification(const TNotifyEvent &holder) {
  const auto found = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), holder);
  if (found != FFreeNotifies.end()) FFreeNotifies.erase(found);
}
