// StillLayer (see still_layer.h).
#include "engine/render/still_layer.h"

#include "engine/context.h"
#include "engine/engine.h"

namespace orvela {

namespace {
bool layers_allowed = true;
}

void AllowStillLayers(bool allowed) {
  layers_allowed = allowed;
}

StillLayer::~StillLayer() {
  if (drawing_) {
    if (Renderer* renderer = CurrentRenderer()) renderer->SetTarget(nullptr);
  }
}

bool StillLayer::Holds(uint64_t signature) const {
  const Renderer* renderer = CurrentRenderer();
  return layers_allowed && held_ && renderer && renderer->Serial() == renderer_serial_ &&
         signature == signature_ && target_ && renderer->TargetSuits(*target_);
}

bool StillLayer::Begin() {
  held_ = false;
  Renderer* renderer = CurrentRenderer();
  if (!renderer || !layers_allowed) return false;
  const int width = renderer->Width(), height = renderer->Height();
  if (!target_ || renderer->Serial() != renderer_serial_ || target_->width != width ||
      target_->height != height || !renderer->TargetSuits(*target_)) {
    target_ = renderer->CreateTarget(width, height);
    renderer_serial_ = renderer->Serial();
  }
  if (!target_ || !renderer->SetTarget(target_.get())) return false;
  drawing_ = true;
  renderer->Clear();
  return true;
}

void StillLayer::End(uint64_t signature) {
  if (!drawing_) return;
  drawing_ = false;
  if (Renderer* renderer = CurrentRenderer()) renderer->SetTarget(nullptr);
  signature_ = signature;
  held_ = true;
  ++redraws_;
}

void StillLayer::Show() const {
  Renderer* renderer = CurrentRenderer();
  if (!renderer || !target_) return;
  QuadDraw quad;
  quad.texture = target_.get();
  quad.src_w = static_cast<float>(target_->width);
  quad.src_h = static_cast<float>(target_->height);
  quad.blend = SOLIDBLEND;
  renderer->DrawQuad(quad);
}

void StillLayer::Forget() {
  held_ = false;
}

}  // namespace orvela
