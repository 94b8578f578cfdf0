// The root object type and the object list every subsystem shares.
// Objects are shared by reference: a std::shared_ptr is "a reference", and an object is freed
// when its last reference goes. Lists that mix kinds hold TObject references and ask for the
// concrete kind with std::dynamic_pointer_cast.
#pragma once

#include <algorithm>
#include <cstddef>
#include <list>
#include <memory>
#include <vector>

namespace orvela {

// Root of every shared object type, so that mixed lists and "any object" arguments work.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
};

template <typename T>
using Ref = std::shared_ptr<T>;

// Doubly linked list of object references, kept in insertion order.
// Iteration is in order; removing the element under an iterator is safe for the others.
template <typename T>
class TList {
 public:
  using Item = std::shared_ptr<T>;
  using iterator = typename std::list<Item>::iterator;
  using const_iterator = typename std::list<Item>::const_iterator;

  void AddLast(Item item) { items_.push_back(std::move(item)); }
  void AddFirst(Item item) { items_.push_front(std::move(item)); }

  // Removes the first occurrence of the object (compared by identity); 1 if one was removed.
  int Remove(const Item& item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return 0;
    items_.erase(it);
    return 1;
  }

  int Count() const { return static_cast<int>(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }
  void Clear() { items_.clear(); }
  void Reverse() { items_.reverse(); }
  bool Contains(const Item& item) const {
    return std::find(items_.begin(), items_.end(), item) != items_.end();
  }

  Item First() const { return items_.empty() ? nullptr : items_.front(); }
  Item Last() const { return items_.empty() ? nullptr : items_.back(); }
  Item RemoveFirst() {
    if (items_.empty()) return nullptr;
    Item item = items_.front();
    items_.pop_front();
    return item;
  }
  Item RemoveLast() {
    if (items_.empty()) return nullptr;
    Item item = items_.back();
    items_.pop_back();
    return item;
  }

  // The element at a 0-based position, or null beyond the end (walks the list).
  Item ValueAtIndex(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    auto it = items_.begin();
    std::advance(it, index);
    return *it;
  }

  std::vector<Item> ToArray() const { return std::vector<Item>(items_.begin(), items_.end()); }

  iterator begin() { return items_.begin(); }
  iterator end() { return items_.end(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }
  iterator erase(iterator it) { return items_.erase(it); }

 private:
  std::list<Item> items_;
};

}  // namespace orvela
