// FrameRecorder (see frame_recorder.h).
#include "engine/render/frame_recorder.h"

namespace orvela {

namespace {

bool SameQuad(const QuadDraw& a, const QuadDraw& b) {
  return a.src_x == b.src_x && a.src_y == b.src_y && a.src_w == b.src_w && a.src_h == b.src_h &&
         a.x == b.x && a.y == b.y && a.ax == b.ax && a.ay == b.ay && a.bx == b.bx && a.by == b.by &&
         a.r == b.r && a.g == b.g && a.b == b.b && a.alpha == b.alpha && a.blend == b.blend;
}

}  // namespace

bool FrameRecorder::Command::operator==(const Command& other) const {
  return kind == other.kind && texture == other.texture && point_count == other.point_count &&
         SameQuad(quad, other.quad);
}

std::unique_ptr<Texture> FrameRecorder::CreateTexture(const PixmapRef& bgra, bool filtered) {
  return inner_.CreateTexture(bgra, filtered);
}

void FrameRecorder::Clear() {
  if (offscreen_) return inner_.Clear();
  Command c;
  c.kind = Command::kClear;
  frame_.push_back(c);
}

void FrameRecorder::DrawQuad(const QuadDraw& quad) {
  if (offscreen_) return inner_.DrawQuad(quad);
  if (!DrawsAnything(quad.alpha, quad.blend)) return;
  Command c;
  c.kind = Command::kQuad;
  c.quad = quad;
  c.texture = quad.texture ? quad.texture->Number() : 0;
  frame_.push_back(c);
}

void FrameRecorder::DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g,
                               uint8_t b, float alpha, int blend) {
  if (offscreen_) return inner_.DrawPoints(points, r, g, b, alpha, blend);
  if (points.empty() || !DrawsAnything(alpha, blend)) return;
  Command c;
  c.kind = Command::kPoints;
  c.quad.r = r, c.quad.g = g, c.quad.b = b;
  c.quad.alpha = alpha;
  c.quad.blend = blend;
  c.first_point = points_.size();
  c.point_count = points.size();
  points_.insert(points_.end(), points.begin(), points.end());
  frame_.push_back(c);
}

void FrameRecorder::SendHeld() {
  must_show_ = true;
  for (; sent_ < frame_.size(); ++sent_) {
    const Command& c = frame_[sent_];
    switch (c.kind) {
      case Command::kClear:
        inner_.Clear();
        break;
      case Command::kQuad:
        inner_.DrawQuad(c.quad);
        break;
      case Command::kPoints: {
        const std::vector<PixelPoint> points(points_.begin() + c.first_point,
                                             points_.begin() + c.first_point + c.point_count);
        inner_.DrawPoints(points, c.quad.r, c.quad.g, c.quad.b, c.quad.alpha, c.quad.blend);
        break;
      }
    }
  }
}

void FrameRecorder::DrawPixmap(const TPixmap& pixmap, int x, int y) {
  SendHeld();  // the buffer's pixels cannot be compared cheaply: the frame is shown
  inner_.DrawPixmap(pixmap, x, y);
}

PixmapRef FrameRecorder::ReadPixels(int x, int y, int w, int h) {
  SendHeld();
  return inner_.ReadPixels(x, y, w, h);
}

void FrameRecorder::Flush() {
  if (must_show_) SendHeld();  // reading back after sending: everything sent so far lands
  inner_.Flush();
}

std::unique_ptr<Texture> FrameRecorder::CreateTarget(int width, int height) {
  return inner_.CreateTarget(width, height);
}

bool FrameRecorder::SetTarget(Texture* target) {
  // Draws into a target land at once; those held for the canvas go first, in order.
  SendHeld();
  if (!inner_.SetTarget(target)) return false;
  offscreen_ = target != nullptr;
  return true;
}

bool FrameRecorder::TargetSuits(const Texture& target) const {
  return inner_.TargetSuits(target);
}

bool FrameRecorder::FinishFrame(bool must_show) {
  bool same = !must_show && !must_show_ && last_valid_ && frame_.size() == last_.size() &&
              points_.size() == last_points_.size();
  for (size_t i = 0; same && i < frame_.size(); ++i) same = frame_[i] == last_[i];
  for (size_t i = 0; same && i < points_.size(); ++i) {
    same = points_[i].x == last_points_[i].x && points_[i].y == last_points_[i].y;
  }
  if (same) {
    ++skipped_;
  } else {
    SendHeld();
    inner_.Flush();
    ++shown_;
  }
  frame_.swap(last_);
  points_.swap(last_points_);
  frame_.clear();
  points_.clear();
  sent_ = 0;
  must_show_ = false;
  last_valid_ = true;
  return !same;
}

}  // namespace orvela
