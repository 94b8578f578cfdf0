// The shared object list: every operation against a plain vector through a long random run
// (past several of the list's blocks, with entries reused and blocks given back), the
// iterators that must stay valid, and elements whose end changes the list that holds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

#include "engine/object.h"

namespace orvela {
namespace {

struct Value : TObject {
  explicit Value(int value) : v(value) {}
  int v;
};

std::vector<int> Contents(const TList<Value>& list) {
  std::vector<int> out;
  for (const Ref<Value>& item : list) out.push_back(item->v);
  return out;
}

TEST(ObjectList, EveryOperationAgreesWithAVectorThroughALongRandomRun) {
  std::mt19937 random(7);
  TList<Value> list;
  std::vector<Ref<Value>> model;
  int made = 0;
  for (int step = 0; step < 40000; ++step) {
    // Growing runs and shrinking runs, so that the list is emptied now and then.
    const bool growing = (step / 3000) % 2 == 0;
    const int op = static_cast<int>(random() % 10);
    if (op < (growing ? 6 : 2)) {
      auto item = std::make_shared<Value>(made++);
      if (op == 0) {
        list.AddFirst(item);
        model.insert(model.begin(), item);
      } else {
        list.AddLast(item);
        model.push_back(item);
      }
    } else if (op < 7 && !model.empty()) {
      const Ref<Value> item = model[random() % model.size()];
      EXPECT_EQ(list.Remove(item), 1);
      model.erase(std::find(model.begin(), model.end(), item));
    } else if (op == 7) {
      EXPECT_EQ(list.RemoveFirst(), model.empty() ? nullptr : model.front());
      if (!model.empty()) model.erase(model.begin());
    } else if (op == 8) {
      EXPECT_EQ(list.RemoveLast(), model.empty() ? nullptr : model.back());
      if (!model.empty()) model.pop_back();
    } else if (step % 997 == 0) {
      list.Reverse();
      std::reverse(model.begin(), model.end());
    }
    ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
    if (step % 101 == 0) {
      ASSERT_EQ(list.ToArray(), model);
      EXPECT_EQ(list.First(), model.empty() ? nullptr : model.front());
      EXPECT_EQ(list.Last(), model.empty() ? nullptr : model.back());
      if (!model.empty()) {
        const int at = static_cast<int>(random() % model.size());
        EXPECT_EQ(list.ValueAtIndex(at), model[static_cast<size_t>(at)]);
        EXPECT_TRUE(list.Contains(model[static_cast<size_t>(at)]));
      }
      EXPECT_EQ(list.ValueAtIndex(list.Count()), nullptr);
      EXPECT_FALSE(list.Contains(std::make_shared<Value>(-1)));
      EXPECT_EQ(list.Remove(std::make_shared<Value>(-1)), 0);
      // Walking backwards gives the same elements.
      std::vector<Ref<Value>> backwards;
      for (auto it = list.end(); it != list.begin();) backwards.push_back(*--it);
      std::reverse(backwards.begin(), backwards.end());
      ASSERT_EQ(backwards, model);
    }
  }
  // The list held the only other reference to what it removed.
  list.Clear();
  EXPECT_TRUE(list.IsEmpty());
  for (const Ref<Value>& item : model) EXPECT_EQ(item.use_count(), 1);
}

TEST(ObjectList, IteratorsStayValidThroughErasingOthersAddingAndMoving) {
  TList<Value> list;
  for (int i = 0; i < 3000; ++i) list.AddLast(std::make_shared<Value>(i));
  // Every odd element erased while walking.
  for (auto it = list.begin(); it != list.end();)
    it = (*it)->v % 2 ? list.erase(it) : std::next(it);
  ASSERT_EQ(list.Count(), 1500);
  auto kept = std::next(list.begin(), 700);  // element 1400
  ASSERT_EQ((*kept)->v, 1400);
  // Others removed and added (reusing the removed entries), and the list moved twice.
  list.RemoveFirst();
  list.Remove(list.Last());
  for (int i = 0; i < 2000; ++i) list.AddLast(std::make_shared<Value>(10000 + i));
  TList<Value> moved(std::move(list));
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.begin(), list.end());
  TList<Value> again;
  again.AddLast(std::make_shared<Value>(-5));
  again = std::move(moved);
  EXPECT_EQ((*kept)->v, 1400);
  EXPECT_EQ((*std::next(kept))->v, 1402);
  EXPECT_EQ((*std::prev(kept))->v, 1398);
  TList<Value>::const_iterator constant = kept;
  EXPECT_EQ(constant, kept);
  EXPECT_EQ(again.Count(), 1498 + 2000);
  EXPECT_EQ(again.Last()->v, 11999);
  // The moved-from list is usable again, and a copy is a list of its own.
  list.AddLast(std::make_shared<Value>(1));
  TList<Value> copy = again;
  copy.RemoveFirst();
  EXPECT_EQ(again.Count(), 3498);
  EXPECT_EQ(copy.Count(), 3497);
  EXPECT_EQ(Contents(list), std::vector<int>{1});
}

// An element that, when it goes, removes another element of its list or adds one.
struct Meddler : TObject {
  TList<Meddler>* list = nullptr;
  Ref<Meddler> other;  // removed from the list when this one goes
  bool add = false;    // adds a new element when this one goes
  ~Meddler() override {
    if (other) list->Remove(other);
    if (add) list->AddLast(std::make_shared<Meddler>());
  }
};

TEST(ObjectList, AnElementsEndMayChangeItsOwnList) {
  TList<Meddler> list;
  auto make = [&] {
    auto item = std::make_shared<Meddler>();
    item->list = &list;
    list.AddLast(item);
    return item;
  };
  {
    // The first goes inside the erase and removes the second: the list empties under it.
    auto first = make();
    first->other = make();
    first.reset();
    list.erase(list.begin());
    EXPECT_TRUE(list.IsEmpty());
  }
  {
    // The last element goes inside the erase and adds a new one to the emptied list.
    make()->add = true;
    list.erase(list.begin());
    EXPECT_EQ(list.Count(), 1);
  }
  {
    // Clearing a list whose elements add to it as they go: what they add stays.
    for (int i = 0; i < 10; ++i) make()->add = true;
    list.Clear();
    EXPECT_EQ(list.Count(), 10);
  }
}

}  // namespace
}  // namespace orvela
