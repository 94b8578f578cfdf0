// The runner's state dump.
#include "runner/state_dump.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <optional>

#include "construction/piece.h"
#include "play/group.h"
#include "play/play_screen.h"
#include "play/selection.h"
#include "shell/best_times.h"
#include "shell/game_context.h"
#include "shell/set_chooser.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

class Json {
 public:
  void Raw(const std::string& text) { out_ += text; }
  void Text(const std::string& text) {
    out_ += '"';
    for (const char c : text) {
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
        out_ += escaped;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
  }
  void Number(double value) {
    if (!std::isfinite(value)) {
      out_ += "null";
      return;
    }
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out_.append(digits, result.ptr);
  }
  void Key(const char* key) {
    Text(key);
    out_ += ": ";
  }
  const std::string& str() const { return out_; }

 private:
  std::string out_;
};

// One "key": number pair, with the comma before it unless it opens its object.
void Field(Json& json, const char* key, double value, bool first = false) {
  if (!first) json.Raw(", ");
  json.Key(key);
  json.Number(value);
}

void Piece(Json& json, const TPuzel& piece) {
  json.Raw("{");
  Field(json, "piece", piece.id, true);
  Field(json, "x", piece.x);
  Field(json, "y", piece.y);
  Field(json, "w", piece.img ? piece.img->width : 0);
  Field(json, "h", piece.img ? piece.img->height : 0);
  Field(json, "xD", piece.xD);
  Field(json, "yD", piece.yD);
  json.Raw("}");
}

const char* CarriedKind(const Ref<TObject>& carried) {
  if (!carried) return "none";
  if (std::dynamic_pointer_cast<TPuzel>(carried)) return "piece";
  if (std::dynamic_pointer_cast<TSpasowanePuzle>(carried)) return "group";
  if (std::dynamic_pointer_cast<TZaznaczenie>(carried)) return "selection";
  return "none";
}

void PlayScreen(Json& json, const TPuzzelGame& play) {
  json.Raw(", ");
  json.Key("state");
  json.Text(play._stan);
  json.Raw(", ");
  json.Key("clock");
  json.Text(play.ClockText());
  const auto [made, total] = play.progress();
  json.Raw(", ");
  json.Key("progress");
  json.Raw("[");
  json.Number(made);
  json.Raw(", ");
  json.Number(total);
  json.Raw("]");
  Field(json, "paused", play.paused);
  Field(json, "ghost", play._ghost);
  json.Raw(", ");
  json.Key("carried");
  json.Text(CarriedKind(play.puzel));
  json.Raw(", ");
  json.Key("marked");
  json.Raw("[");
  bool first = true;
  for (const Ref<TPuzel>& piece : play.listaPomocnicza) {
    if (!piece->_oznaczony) continue;
    if (!first) json.Raw(", ");
    json.Number(piece->id);
    first = false;
  }
  json.Raw("], ");
  json.Key("entries");
  json.Raw("[");
  first = true;
  for (const Ref<TObject>& entry : play.listaPuzzli) {
    if (!first) json.Raw(",\n  ");
    first = false;
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      Piece(json, *piece);
    } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      json.Raw("{");
      json.Key("group");
      json.Raw("[");
      bool first_member = true;
      for (const Ref<TPuzel>& member : group->listaSpasowanych) {
        if (!first_member) json.Raw(", ");
        first_member = false;
        Piece(json, *member);
      }
      json.Raw("]");
      Field(json, "x", group->x);
      Field(json, "y", group->y);
      json.Raw("}");
    }
  }
  json.Raw("]");
}

// The chooser: the best time of each set in seconds, in the sets' order (null: none kept).
void Chooser(Json& json, const GameContext& game) {
  json.Raw(", ");
  json.Key("best");
  json.Raw("[");
  for (size_t i = 0; i < std::size(kPictureSets); ++i) {
    if (i > 0) json.Raw(", ");
    const std::optional<int> best =
        game.best_times ? game.best_times->Best(kPictureSets[i].url) : std::nullopt;
    if (best) {
      json.Number(*best);
    } else {
      json.Raw("null");
    }
  }
  json.Raw("]");
}

}  // namespace

std::string GameStateJson() {
  Json json;
  const std::string screen = RunningScreen::Current();
  json.Raw("{");
  json.Key("screen");
  json.Text(screen);
  const GameContext* game = CurrentGame();
  if (game && game->play && (screen == "play" || screen == "message")) {
    PlayScreen(json, *game->play);
  }
  if (game && screen == "chooser") Chooser(json, *game);
  json.Raw("}\n");
  return json.str();
}

}  // namespace orvela
