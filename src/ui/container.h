// TContainer: a keyed holder of widgets that draws or updates them by key, by a range of keys
// or by kind; TContainerItem is one entry. It knows the toolkit's widget types (ui/) and the
// engine's images, pixel buffers, fonts and sounds, nothing else.
#pragma once

#include <memory>

#include "engine/image/image.h"
#include "engine/image/pixmap.h"
#include "engine/object.h"
#include "engine/text/font.h"
#include "ui/bitmap_font.h"
#include "ui/button.h"
#include "ui/dim.h"
#include "ui/memo.h"
#include "ui/menu.h"
#include "ui/sfx.h"
#include "ui/text.h"

namespace orvela {

// Kind codes of the held objects, used by DrawType and StateType.
enum ContainerKind : int {
  KIND_IMAGE = 0,            // TImage
  KIND_PIXMAP = 1,           // TPixmap
  KIND_MEMO = 2,             // TMemo
  KIND_FRAME = 3,            // frame (not built yet: such items are not recognised)
  KIND_TEXT = 4,             // TText
  KIND_BUTTON = 5,           // TButton
  KIND_EDIT = 6,             // edit field (not built yet)
  KIND_MENU = 7,             // TMenu (and TAdvancedMenu)
  KIND_EDIT_WINDOW = 8,      // edit dialog window (not built yet)
  KIND_QUESTION_WINDOW = 9,  // question dialog window (not built yet)
  KIND_OTHER = -1,           // anything else: fonts, sounds, rectangles, ...
};

// The kind code of an object (KIND_OTHER for null and for kinds without one).
int ContainerKindOf(const Ref<TObject>& object);

class TContainerItem : public TObject {
 public:
  int id = 0;        // key, not necessarily unique
  DimRef dim;        // where a bare image or pixel buffer is drawn
  Ref<TObject> obj;  // the held object

  // An image (frame 0) or pixel buffer at the rectangle's left and top, only with a
  // rectangle; a widget draws itself; a menu draws with alpha 1.
  int Draw();
  // Updates a button or menu (the result is dropped).
  int State();
  // Plays or stops a TSFX.
  int Play();
  int Stop();
};

using ContainerItemRef = std::shared_ptr<TContainerItem>;

class TContainer : public TObject {
 public:
  TList<TContainerItem> items;

  int Add(const Ref<TObject>& obj, int id, const DimRef& dim);
  // The first item with that key, or null.
  ContainerItemRef Get(int id) const;
  // The object of the first item with that key when it is of the asked type, else null.
  template <typename T>
  std::shared_ptr<T> GetAs(int id) const {
    ContainerItemRef item = Get(id);
    return item ? std::dynamic_pointer_cast<T>(item->obj) : nullptr;
  }
  Ref<TObject> GetObject(int id) const;
  ImageRef GetImage(int id) const { return GetAs<TImage>(id); }
  PixmapRef GetPixmap(int id) const { return GetAs<TPixmap>(id); }
  TextRef GetText(int id) const { return GetAs<TText>(id); }
  FontObjRef GetFont(int id) const { return GetAs<TFont>(id); }
  FontRef GetTTFont(int id) const { return GetAs<TImageFont>(id); }
  MemoRef GetMemo(int id) const { return GetAs<TMemo>(id); }
  SFXRef GetSFX(int id) const { return GetAs<TSFX>(id); }
  DimRef GetDim(int id) const { return GetAs<TDim>(id); }
  ButtonRef GetButton(int id) const { return GetAs<TButton>(id); }
  MenuRef GetMenu(int id) const { return GetAs<TMenu>(id); }

  // These act on every item with the key.
  int Draw(int id);
  int State(int id);
  int Play(int id);
  int Stop(int id);
  int Remove(int id);

  int count() const { return items.Count(); }
  int Clear();
  int DrawAll();
  int StateAll();
  // Keys first..last inclusive, key by key.
  int DrawRange(int first, int last);
  int StateRange(int first, int last);
  // Every item of a kind code 0..9 (drawing) or 5..9 (updating); other codes do nothing.
  int DrawType(int kind);
  int StateType(int kind);
};

using ContainerRef = std::shared_ptr<TContainer>;

}  // namespace orvela
