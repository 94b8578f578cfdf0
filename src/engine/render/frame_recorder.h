// The frame recorder: a renderer in front of another that holds back a frame's draws until
// the frame is finished and then compares them with the last frame shown. A frame that asks
// for exactly what the screen already shows (the same draws of the same textures, in the same
// order) is neither rasterised nor presented: a screen where nothing moves keeps its pacing
// and its input but costs no drawing. Anything that needs pixels at once (reading the canvas
// back, drawing into an offscreen target, copying a pixel buffer) sends the held draws on
// and the frame is shown as usual.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/render/renderer.h"

namespace orvela {

class FrameRecorder : public Renderer {
 public:
  explicit FrameRecorder(Renderer& inner) : inner_(inner) {}

  // The next frame is shown whatever it asks for (the window was uncovered, resized, ...).
  void Invalidate() { last_valid_ = false; }
  // Frames shown and frames left out as unchanged, since the recorder was made.
  long Shown() const { return shown_; }
  long Skipped() const { return skipped_; }

  int Width() const override { return inner_.Width(); }
  int Height() const override { return inner_.Height(); }
  std::unique_ptr<Texture> CreateTexture(const PixmapRef& bgra, bool filtered) override;
  void Clear() override;
  void DrawQuad(const QuadDraw& quad) override;
  void DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g, uint8_t b,
                  float alpha, int blend) override;
  void DrawPixmap(const TPixmap& pixmap, int x, int y) override;
  PixmapRef ReadPixels(int x, int y, int w, int h) override;
  void Flush() override;
  bool FinishFrame(bool must_show = false) override;
  std::unique_ptr<Texture> CreateTarget(int width, int height) override;
  bool SetTarget(Texture* target) override;
  bool TargetSuits(const Texture& target) const override;

 private:
  struct Command {
    enum Kind : uint8_t { kClear, kQuad, kPoints } kind = kQuad;
    uint64_t texture = 0;  // the texture's number (0: none)
    QuadDraw quad;
    size_t first_point = 0, point_count = 0;  // kPoints: the slice of points_
    bool operator==(const Command& other) const;
  };

  // Sends the held draws to the inner renderer; the frame will be shown.
  void SendHeld();

  Renderer& inner_;
  std::vector<Command> frame_, last_;
  std::vector<PixelPoint> points_, last_points_;
  size_t sent_ = 0;         // commands of frame_ already sent on
  bool must_show_ = false;  // pixels of this frame were needed before its end
  bool offscreen_ = false;  // a target is in use: draws go straight to it
  bool last_valid_ = false;
  long shown_ = 0, skipped_ = 0;
};

}  // namespace orvela
