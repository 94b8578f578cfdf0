// The root object type and the object list every subsystem shares.
// Objects are shared by reference: a std::shared_ptr is "a reference", and an object is freed
// when its last reference goes. Lists that mix kinds hold TObject references and ask for the
// concrete kind with std::dynamic_pointer_cast.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
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

namespace list_detail {

// The links of a list entry; a list's own link (its end) has no entry.
struct Link {
  Link* prev = nullptr;
  Link* next = nullptr;
};

}  // namespace list_detail

// Doubly linked list of object references, kept in insertion order.
// Iteration is in order; removing the element under an iterator is safe for the others, and
// an element stays where it is (its iterators stay valid) until it is removed, also when the
// list is moved. The entries are not allocated one by one: a list takes them from blocks of
// its own that grow with it (a file of thousands of keys makes a few blocks, not thousands of
// entries), reuses the entries of removed elements, and gives the blocks back when it is
// cleared or becomes empty.
template <typename T>
class TList {
 public:
  using Item = std::shared_ptr<T>;

 private:
  using Link = list_detail::Link;
  struct Node : Link {
    Item item;
  };

  template <bool kConst>
  class Iterator {
   public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = Item;
    using difference_type = std::ptrdiff_t;
    using pointer = std::conditional_t<kConst, const Item*, Item*>;
    using reference = std::conditional_t<kConst, const Item&, Item&>;

    Iterator() = default;
    // An iterator converts to a const_iterator.
    template <bool kOther>
    requires(kConst && !kOther) Iterator(const Iterator<kOther>& other) : link_(other.link_) {}

    reference operator*() const { return static_cast<Node*>(link_)->item; }
    pointer operator->() const { return &static_cast<Node*>(link_)->item; }
    Iterator& operator++() {
      link_ = link_->next;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      link_ = link_->next;
      return before;
    }
    Iterator& operator--() {
      link_ = link_->prev;
      return *this;
    }
    Iterator operator--(int) {
      Iterator before = *this;
      link_ = link_->prev;
      return before;
    }
    template <bool kOther>
    bool operator==(const Iterator<kOther>& other) const {
      return link_ == other.link_;
    }

   private:
    friend class TList;
    template <bool>
    friend class Iterator;
    explicit Iterator(const Link* link) : link_(const_cast<Link*>(link)) {}
    Link* link_ = nullptr;
  };

 public:
  using iterator = Iterator<false>;
  using const_iterator = Iterator<true>;

  TList() { end_.prev = end_.next = &end_; }
  TList(const TList& other) : TList() {
    for (const Item& item : other) AddLast(item);
  }
  TList(TList&& other) noexcept : TList() { Take(other); }
  TList& operator=(const TList& other) {
    if (this != &other) {
      TList copy(other);
      Clear();
      Take(copy);
    }
    return *this;
  }
  TList& operator=(TList&& other) noexcept {
    if (this != &other) {
      Clear();
      Take(other);
    }
    return *this;
  }
  ~TList() { Clear(); }

  void AddLast(Item item) { LinkBefore(&end_, std::move(item)); }
  void AddFirst(Item item) { LinkBefore(end_.next, std::move(item)); }

  // Removes the first occurrence of the object (compared by identity); 1 if one was removed.
  int Remove(const Item& item) {
    for (Link* link = end_.next; link != &end_; link = link->next) {
      if (static_cast<Node*>(link)->item == item) {
        Unlink(link);
        return 1;
      }
    }
    return 0;
  }

  int Count() const { return static_cast<int>(count_); }
  bool IsEmpty() const { return count_ == 0; }
  void Clear() {
    // Everything is taken off the list before the first element goes, so that what an
    // element's end does to the list finds it empty and whole.
    Link* link = end_.next;
    Block* blocks = blocks_;
    end_.prev = end_.next = &end_;
    count_ = 0;
    free_ = nullptr;
    blocks_ = nullptr;
    while (link != &end_) {
      Link* next = link->next;
      std::destroy_at(static_cast<Node*>(link));
      link = next;
    }
    FreeBlocks(blocks);
  }
  void Reverse() {
    Link* link = &end_;
    do {
      std::swap(link->prev, link->next);
      link = link->prev;  // the old next
    } while (link != &end_);
  }
  bool Contains(const Item& item) const {
    for (const Item& held : *this) {
      if (held == item) return true;
    }
    return false;
  }

  Item First() const { return count_ == 0 ? nullptr : static_cast<Node*>(end_.next)->item; }
  Item Last() const { return count_ == 0 ? nullptr : static_cast<Node*>(end_.prev)->item; }
  Item RemoveFirst() {
    if (count_ == 0) return nullptr;
    Item item = std::move(static_cast<Node*>(end_.next)->item);
    Unlink(end_.next);
    return item;
  }
  Item RemoveLast() {
    if (count_ == 0) return nullptr;
    Item item = std::move(static_cast<Node*>(end_.prev)->item);
    Unlink(end_.prev);
    return item;
  }

  // The element at a 0-based position, or null beyond the end (walks the list).
  Item ValueAtIndex(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    auto it = begin();
    std::advance(it, index);
    return *it;
  }

  std::vector<Item> ToArray() const {
    std::vector<Item> items;
    items.reserve(count_);
    for (const Item& item : *this) items.push_back(item);
    return items;
  }

  iterator begin() { return iterator(end_.next); }
  iterator end() { return iterator(&end_); }
  const_iterator begin() const { return const_iterator(end_.next); }
  const_iterator end() const { return const_iterator(&end_); }
  iterator erase(iterator it) {
    Link* next = it.link_->next;
    Unlink(it.link_);
    return iterator(next);
  }

 private:
  // Room for one entry. A block of them has its header in its first slot.
  struct alignas(Node) Slot {
    std::byte bytes[sizeof(Node)];
  };
  struct Block {
    Block* older = nullptr;  // the block made before this one
    Slot* slots = nullptr;   // the block's slots, the first of them holding this header
    size_t size = 0;         // slots of the block, its header's included
    size_t used = 1;         // slots handed out so far, its header's included
  };
  static_assert(sizeof(Block) <= sizeof(Slot) && alignof(Block) <= alignof(Slot));

  void LinkBefore(Link* at, Item&& item) {
    Node* node = std::construct_at(reinterpret_cast<Node*>(NewSlot()));
    node->item = std::move(item);
    node->prev = at->prev;
    node->next = at;
    at->prev->next = node;
    at->prev = node;
    ++count_;
  }
  // Takes the element off the list; an emptied list gives its blocks back. The element itself
  // goes last, with the list in order again, whatever its end does to the list.
  void Unlink(Link* link) {
    link->prev->next = link->next;
    link->next->prev = link->prev;
    --count_;
    Node* node = static_cast<Node*>(link);
    const Item item = std::move(node->item);
    std::destroy_at(node);
    Link* unused = std::construct_at(reinterpret_cast<Link*>(node));
    unused->next = free_;
    free_ = unused;
    if (count_ == 0) {
      FreeBlocks(blocks_);
      blocks_ = nullptr;
      free_ = nullptr;
    }
  }
  Slot* NewSlot() {
    if (free_) {
      Link* unused = free_;
      free_ = unused->next;
      return reinterpret_cast<Slot*>(unused);
    }
    if (!blocks_ || blocks_->used == blocks_->size) {
      // Each block as large as the list so far, from 4 entries up to 1024.
      const size_t size = std::clamp<size_t>(count_, 4, 1024) + 1;
      Slot* slots = std::allocator<Slot>().allocate(size);
      Block* block = std::construct_at(reinterpret_cast<Block*>(slots));
      block->older = blocks_;
      block->slots = slots;
      block->size = size;
      blocks_ = block;
    }
    return blocks_->slots + blocks_->used++;
  }
  static void FreeBlocks(Block* block) {
    while (block) {
      Block* older = block->older;
      Slot* slots = block->slots;
      const size_t size = block->size;
      std::destroy_at(block);
      std::allocator<Slot>().deallocate(slots, size);
      block = older;
    }
  }
  // Takes over the other list's elements and blocks (this list being empty); the other list is
  // left empty.
  void Take(TList& other) noexcept {
    if (other.count_ > 0) {
      end_.next = other.end_.next;
      end_.prev = other.end_.prev;
      end_.next->prev = &end_;
      end_.prev->next = &end_;
    }
    count_ = other.count_;
    free_ = other.free_;
    blocks_ = other.blocks_;
    other.end_.prev = other.end_.next = &other.end_;
    other.count_ = 0;
    other.free_ = nullptr;
    other.blocks_ = nullptr;
  }

  Link end_;  // end_.next is the first element, end_.prev the last
  size_t count_ = 0;
  Link* free_ = nullptr;     // entries of removed elements, chained by next
  Block* blocks_ = nullptr;  // the newest block, which chains the older ones
};

}  // namespace orvela
