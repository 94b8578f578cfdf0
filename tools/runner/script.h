// The runner's script player: feeds scripted input to the headless platform frame by frame
// and takes screenshots. Commands run after each shown frame until one that lasts frames.
//   wait N          let N frames pass
//   move X Y        move the pointer
//   press [right]   press the left (or right) button at the pointer
//   release [right] release it
//   click X Y       move, press, one frame, release
//   key NAME        a key press: Escape, Space, S, H, P, Left, Right, Delete, Enter, Backspace
//                   (also typed, as a keyboard sends it), or a key code
//   focus lost|back the window loses the focus (as when the player switches to another
//                   window or minimises it), or gets it back
//   type TEXT       typed characters
//   shot FILE.png   the canvas as a PNG file
//   dump FILE       the running game's state as JSON (see runner/state_dump.h)
//   # ...           a comment
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/platform/headless/headless_platform.h"

namespace orvela {

// Thrown when the script has run out; the runner ends with status 0.
struct ScriptFinished {};

class ScriptPlayer {
 public:
  // Relative screenshot and dump paths are taken from base_folder; `dump` writes what
  // state_json returns (null: an empty object).
  ScriptPlayer(HeadlessPlatform& platform, std::vector<std::string> lines, std::string base_folder,
               std::function<std::string()> state_json = nullptr);

  // Checks every line; returns "" or a message naming the first bad line.
  std::string Validate() const;
  // Called after every presented frame.
  void OnFrame();

 private:
  bool Run(const std::string& line);  // false when the command lasts frames

  HeadlessPlatform& platform_;
  std::vector<std::string> lines_;
  std::string base_folder_;
  std::function<std::string()> state_json_;
  size_t next_ = 0;
  int wait_frames_ = 0;
  int release_button_ = 0;  // released at the next frame (after a click)
};

// The key code of a script key name, or -1.
int ScriptKeyCode(const std::string& name);

}  // namespace orvela
