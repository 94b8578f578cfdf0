// TMenu: a list of buttons that draws them and, once per frame, reports the first button
// clicked (in insertion order) by its identifier; TAdvancedMenu adds a background image.
// Built on TButton and the engine's drawing services only.
#pragma once

#include <memory>
#include <string>

#include "engine/image/image.h"
#include "engine/object.h"
#include "ui/button.h"
#include "ui/dim.h"

namespace orvela {

class TMenu : public TObject {
 public:
  TList<TButton> items;  // in insertion order
  int SelectedItem = 0;  // identifier of the last click reported
  int enable = 1;
  int visible = 1;

  int AddItem(const ButtonRef& button);
  // The first button with that identifier, or null.
  ButtonRef GetItem(int id) const;
  // Draws every button in order under the given global alpha (each button draws with its own
  // alpha); leaves the global alpha at 1. Nothing when not visible.
  virtual int Draw(float alpha);
  int setstate(int enable_flag, int visible_flag);
  // Asks the buttons in order; the first non-zero answer is stored and returned at once, so
  // the buttons after it are not updated in that frame. 0 when hidden, disabled or no click.
  virtual int State();
};

class TAdvancedMenu : public TMenu {
 public:
  ImageRef image;  // background
  DimRef dim;      // its place

  // The background (frame 0 at the rectangle's left and top, under the alpha in force), then
  // the buttons as TMenu::Draw.
  int Draw(float alpha) override;
};

using MenuRef = std::shared_ptr<TMenu>;
using AdvancedMenuRef = std::shared_ptr<TAdvancedMenu>;

// A menu with its background loaded by ImageOf.
AdvancedMenuRef CreateAdvancedMenu(const std::string& image, const DimRef& dim);

}  // namespace orvela
