// TMenu and TAdvancedMenu.
#include "ui/menu.h"

#include "engine/engine.h"
#include "engine/loading.h"

namespace orvela {

int TMenu::AddItem(const ButtonRef& button) {
  items.AddLast(button);
  return 0;
}

ButtonRef TMenu::GetItem(int id) const {
  for (const auto& button : items) {
    if (button && button->id == id) return button;
  }
  return nullptr;
}

int TMenu::Draw(float alpha) {
  if (!visible) return 0;
  SetAlpha(alpha);
  for (const auto& button : items) {
    if (button) button->Draw();
  }
  SetAlpha(1);
  return 0;
}

int TMenu::setstate(int enable_flag, int visible_flag) {
  enable = enable_flag;
  visible = visible_flag;
  return 0;
}

int TMenu::State() {
  if (!visible || !enable) return 0;
  for (const auto& button : items) {
    if (!button) continue;
    if (const int result = button->State(); result != 0) {
      SelectedItem = result;
      return result;
    }
  }
  return 0;
}

int TAdvancedMenu::Draw(float alpha) {
  if (!visible) return 0;
  if (dim) DrawImageFrame(image, dim->Left(), dim->Top(), 0);
  return TMenu::Draw(alpha);
}

AdvancedMenuRef CreateAdvancedMenu(const std::string& image, const DimRef& dim) {
  auto menu = std::make_shared<TAdvancedMenu>();
  menu->image = ImageOf(image);
  menu->dim = dim;
  return menu;
}

}  // namespace orvela
