// TContainer and TContainerItem.
#include "ui/container.h"

#include <algorithm>
#include <vector>

#include "engine/engine.h"

namespace orvela {

// The frame, edit-field and dialog kinds (3, 6, 8, 9) join here, in ContainerKindOf and in the
// two switches below, when those widget types are built.
int ContainerKindOf(const Ref<TObject>& object) {
  if (!object) return KIND_OTHER;
  if (std::dynamic_pointer_cast<TImage>(object)) return KIND_IMAGE;
  if (std::dynamic_pointer_cast<TPixmap>(object)) return KIND_PIXMAP;
  if (std::dynamic_pointer_cast<TMemo>(object)) return KIND_MEMO;
  if (std::dynamic_pointer_cast<TText>(object)) return KIND_TEXT;
  if (std::dynamic_pointer_cast<TButton>(object)) return KIND_BUTTON;
  if (std::dynamic_pointer_cast<TMenu>(object)) return KIND_MENU;
  return KIND_OTHER;
}

int TContainerItem::Draw() {
  switch (ContainerKindOf(obj)) {
    case KIND_IMAGE:
    case KIND_PIXMAP:
      if (dim) DrawAtDim(obj, dim, 0);
      break;
    case KIND_MEMO:
      std::static_pointer_cast<TMemo>(obj)->Draw();
      break;
    case KIND_TEXT:
      std::static_pointer_cast<TText>(obj)->Draw();
      break;
    case KIND_BUTTON:
      std::static_pointer_cast<TButton>(obj)->Draw();
      break;
    case KIND_MENU:
      std::static_pointer_cast<TMenu>(obj)->Draw(1);
      break;
    default:  // frames, edit fields and dialogs draw themselves here once they exist
      break;
  }
  return 0;
}

int TContainerItem::State() {
  switch (ContainerKindOf(obj)) {
    case KIND_BUTTON:
      std::static_pointer_cast<TButton>(obj)->State();
      break;
    case KIND_MENU:
      std::static_pointer_cast<TMenu>(obj)->State();
      break;
    default:  // edit fields and dialogs are updated here once they exist
      break;
  }
  return 0;
}

int TContainerItem::Play() {
  if (auto sfx = std::dynamic_pointer_cast<TSFX>(obj)) sfx->Play();
  return 0;
}

int TContainerItem::Stop() {
  if (auto sfx = std::dynamic_pointer_cast<TSFX>(obj)) sfx->Stop();
  return 0;
}

int TContainer::Add(const Ref<TObject>& obj, int id, const DimRef& dim) {
  auto item = std::make_shared<TContainerItem>();
  item->obj = obj;
  item->id = id;
  item->dim = dim;
  items.AddLast(item);
  return 0;
}

ContainerItemRef TContainer::Get(int id) const {
  for (const auto& item : items) {
    if (item->id == id) return item;
  }
  return nullptr;
}

Ref<TObject> TContainer::GetObject(int id) const {
  ContainerItemRef item = Get(id);
  return item ? item->obj : nullptr;
}

namespace {

template <typename Action>
int ForKey(const TList<TContainerItem>& items, int id, Action action) {
  for (const auto& item : items) {
    if (item->id == id) action(*item);
  }
  return 0;
}

}  // namespace

int TContainer::Draw(int id) {
  return ForKey(items, id, [](TContainerItem& item) { item.Draw(); });
}
int TContainer::State(int id) {
  return ForKey(items, id, [](TContainerItem& item) { item.State(); });
}
int TContainer::Play(int id) {
  return ForKey(items, id, [](TContainerItem& item) { item.Play(); });
}
int TContainer::Stop(int id) {
  return ForKey(items, id, [](TContainerItem& item) { item.Stop(); });
}

int TContainer::Remove(int id) {
  for (auto it = items.begin(); it != items.end();) {
    it = (*it)->id == id ? items.erase(it) : std::next(it);
  }
  return 0;
}

int TContainer::Clear() {
  items.Clear();
  return 0;
}

int TContainer::DrawAll() {
  for (const auto& item : items) item->Draw();
  return 0;
}

int TContainer::StateAll() {
  for (const auto& item : items) item->State();
  return 0;
}

namespace {

// The keys of the items within first..last, ascending, each once.
std::vector<int> KeysInRange(const TList<TContainerItem>& items, int first, int last) {
  std::vector<int> keys;
  for (const auto& item : items) {
    if (item->id >= first && item->id <= last) keys.push_back(item->id);
  }
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

}  // namespace

int TContainer::DrawRange(int first, int last) {
  for (int key : KeysInRange(items, first, last)) Draw(key);
  return 0;
}

int TContainer::StateRange(int first, int last) {
  for (int key : KeysInRange(items, first, last)) State(key);
  return 0;
}

int TContainer::DrawType(int kind) {
  if (kind < 0 || kind > 9) return 0;
  for (const auto& item : items) {
    if (ContainerKindOf(item->obj) == kind) item->Draw();
  }
  return 0;
}

int TContainer::StateType(int kind) {
  if (kind < 5 || kind > 9) return 0;
  for (const auto& item : items) {
    if (ContainerKindOf(item->obj) == kind) item->State();
  }
  return 0;
}

}  // namespace orvela
