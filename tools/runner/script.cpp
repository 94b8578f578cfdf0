// The runner's script player.
#include "runner/script.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/engine.h"
#include "engine/image/codecs.h"

namespace orvela {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool IsNumber(const std::string& s) {
  if (s.empty()) return false;
  size_t i = (s[0] == '-') ? 1 : 0;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return std::string();
  const size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

// Checks one line; "" when it is good.
std::string Problem(const std::string& raw) {
  const std::string line = Trimmed(raw);
  if (line.empty() || line[0] == '#') return "";
  const auto w = Words(line);
  const std::string& c = w[0];
  if (c == "wait") return w.size() == 2 && IsNumber(w[1]) ? "" : "usage: wait N";
  if (c == "move" || c == "click") {
    return w.size() == 3 && IsNumber(w[1]) && IsNumber(w[2]) ? "" : "usage: " + c + " X Y";
  }
  if (c == "press" || c == "release") {
    return w.size() == 1 || (w.size() == 2 && (w[1] == "right" || w[1] == "left"))
               ? ""
               : "usage: " + c + " [right]";
  }
  if (c == "key") return w.size() == 2 && ScriptKeyCode(w[1]) >= 0 ? "" : "unknown key";
  if (c == "type") return "";
  if (c == "focus") {
    return w.size() == 2 && (w[1] == "lost" || w[1] == "back") ? "" : "usage: focus lost|back";
  }
  if (c == "shot") return w.size() == 2 ? "" : "usage: shot FILE.png";
  if (c == "dump") return w.size() == 2 ? "" : "usage: dump FILE";
  return "unknown command '" + c + "'";
}

}  // namespace

int ScriptKeyCode(const std::string& name) {
  struct Named {
    const char* name;
    int code;
  };
  static const Named kNames[] = {{"Escape", KEY_ESCAPE}, {"Space", KEY_SPACE},
                                 {"S", KEY_S},           {"H", KEY_H},
                                 {"P", KEY_P},           {"Left", KEY_LEFT},
                                 {"Right", KEY_RIGHT},   {"Delete", KEY_DELETE},
                                 {"Enter", KEY_ENTER},   {"Backspace", KEY_BACKSPACE}};
  for (const Named& n : kNames) {
    if (name == n.name) return n.code;
  }
  if (IsNumber(name)) {
    const int code = std::atoi(name.c_str());
    return code >= 0 && code < 256 ? code : -1;
  }
  return -1;
}

ScriptPlayer::ScriptPlayer(HeadlessPlatform& platform, std::vector<std::string> lines,
                           std::string base_folder, std::function<std::string()> state_json)
    : platform_(platform),
      lines_(std::move(lines)),
      base_folder_(std::move(base_folder)),
      state_json_(std::move(state_json)) {}

std::string ScriptPlayer::Validate() const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string problem = Problem(lines_[i]);
    if (!problem.empty()) return "line " + std::to_string(i + 1) + ": " + problem;
  }
  return "";
}

void ScriptPlayer::OnFrame() {
  if (release_button_ != 0) {
    platform_.QueueMouseButton(release_button_, false);
    release_button_ = 0;
  }
  if (wait_frames_ > 0 && --wait_frames_ > 0) return;
  while (next_ < lines_.size()) {
    if (!Run(lines_[next_++])) return;
  }
  throw ScriptFinished{};
}

bool ScriptPlayer::Run(const std::string& raw) {
  const std::string line = Trimmed(raw);
  if (line.empty() || line[0] == '#') return true;
  const auto w = Words(line);
  const std::string& c = w[0];
  if (c == "wait") {
    wait_frames_ = std::atoi(w[1].c_str());
    return wait_frames_ <= 0;
  }
  if (c == "move") {
    platform_.QueueMouseMove(std::atoi(w[1].c_str()), std::atoi(w[2].c_str()));
    return true;
  }
  if (c == "press" || c == "release") {
    const int button = w.size() == 2 && w[1] == "right" ? 2 : 1;
    platform_.QueueMouseButton(button, c == "press");
    return true;
  }
  if (c == "click") {
    platform_.QueueMouseMove(std::atoi(w[1].c_str()), std::atoi(w[2].c_str()));
    platform_.QueueMouseButton(1, true);
    release_button_ = 1;
    wait_frames_ = 1;
    return false;
  }
  if (c == "key") {
    const int code = ScriptKeyCode(w[1]);
    platform_.QueueKey(code, true);
    // A keyboard sends Backspace as a typed character as well; edit fields read it there.
    if (code == KEY_BACKSPACE) platform_.QueueChar(8);
    platform_.QueueKey(code, false);
    return true;
  }
  if (c == "type") {
    const std::string text = line.size() > 5 ? line.substr(5) : std::string();
    for (char32_t ch : DecodeUtf8(text)) platform_.QueueChar(ch);
    return true;
  }
  if (c == "focus") {
    platform_.QueueFocusChange(w[1] == "back");
    return true;
  }
  if (c == "dump") {
    std::filesystem::path file(w[1]);
    if (file.is_relative()) file = std::filesystem::path(base_folder_) / file;
    const std::string text = state_json_ ? state_json_() : std::string("{}\n");
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out) std::fprintf(stderr, "orvela-run: could not write %s\n", file.string().c_str());
    return true;
  }
  if (c == "shot") {
    std::filesystem::path file(w[1]);
    if (file.is_relative()) file = std::filesystem::path(base_folder_) / file;
    const SoftwareRenderer* canvas = platform_.Software();
    if (!canvas || !SavePixmapPng(canvas->Canvas(), file.string())) {
      std::fprintf(stderr, "orvela-run: could not write %s\n", file.string().c_str());
    }
    return true;
  }
  return true;
}

}  // namespace orvela
