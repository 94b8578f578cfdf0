// The headless platform.
#include "engine/platform/headless/headless_platform.h"

namespace orvela {

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::QueueMouseMove(int x, int y) {
  events_.push_back({Event::kMove, x, y});
}
void HeadlessPlatform::QueueMouseButton(int button, bool down) {
  events_.push_back({Event::kButton, button, down ? 1 : 0});
}
void HeadlessPlatform::QueueKey(int key_code, bool down) {
  events_.push_back({Event::kKey, key_code, down ? 1 : 0});
}
void HeadlessPlatform::QueueChar(char32_t character) {
  events_.push_back({Event::kChar, static_cast<int>(character), 0});
}
void HeadlessPlatform::QueueFocusChange(bool in_front) {
  events_.push_back({Event::kFocus, in_front ? 1 : 0, 0});
}
void HeadlessPlatform::QueueQuit() {
  events_.push_back({Event::kQuit, 0, 0});
}

bool HeadlessPlatform::OpenDisplay(const DisplayMode& mode) {
  if (mode.width <= 0 || mode.height <= 0) return false;
  mode_ = mode;
  if (!mode.title.empty()) title_ = mode.title;
  // The canvas, like a real window's renderer, survives a switch of mode at the same size.
  if (use_null_) {
    if (!null_ || null_->Width() != mode.width || null_->Height() != mode.height) {
      null_ = std::make_unique<NullRenderer>(mode.width, mode.height);
    }
  } else if (!software_) {
    software_ = std::make_unique<SoftwareRenderer>(mode.width, mode.height);
  } else if (software_->Width() != mode.width || software_->Height() != mode.height) {
    software_->Resize(mode.width, mode.height);
  }
  return true;
}

Renderer* HeadlessPlatform::GetRenderer() {
  if (use_null_) return null_.get();
  return software_.get();
}

void HeadlessPlatform::Present(bool) {
  ++presents_;
  if (present_hook_) present_hook_();
}

void HeadlessPlatform::WarpMouse(int x, int y) {
  QueueMouseMove(x, y);
}

void HeadlessPlatform::SleepUntil(int64_t milliseconds) {
  if (milliseconds > now_) now_ = milliseconds;
}

void HeadlessPlatform::PumpEvents(InputSink& sink) {
  // Take the queue first: a sink may cause more events to be queued.
  std::vector<Event> events;
  events.swap(events_);
  for (const Event& e : events) {
    switch (e.kind) {
      case Event::kMove:
        sink.OnMouseMove(e.a, e.b);
        break;
      case Event::kButton:
        sink.OnMouseButton(e.a, e.b != 0);
        break;
      case Event::kKey:
        sink.OnKey(e.a, e.b != 0, false);
        break;
      case Event::kChar:
        sink.OnChar(static_cast<char32_t>(e.a));
        break;
      case Event::kFocus:
        sink.OnFocusChange(e.a != 0);
        break;
      case Event::kQuit:
        sink.OnQuitRequest();
        break;
    }
  }
}

void HeadlessPlatform::ShowMessage(const std::string& text, bool) {
  messages_.push_back(text);
  if (message_hook_) message_hook_(text);
}

void HeadlessPlatform::OpenUrl(const std::string& address) {
  urls_.push_back(address);
  if (url_hook_) url_hook_(address);
}

}  // namespace orvela
