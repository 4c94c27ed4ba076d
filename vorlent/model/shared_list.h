#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vorlent {

// What a list's producer knows about a list besides its elements (typically
// an index it keeps up to date anyway), so that a reader can answer a question
// without reading every element. A reader looks for the kind it understands
// with `dynamic_cast` and checks, by that kind's own means, that it still
// describes the list before trusting it; any other reader ignores it.
class SharedListIndex {
 public:
  virtual ~SharedListIndex() = default;
};

// An immutable list of shared model objects, cheap to copy and to pass on.
// Every copy shares one snapshot, so a list handed out by a cache stays valid
// (and unchanged) when the cache is cleared meanwhile, for example by a
// re-entrant call.
//
// A lazy list produces its elements on first read and keeps them; a list that
// nobody reads costs nothing. A lazy list kept beyond the call it was handed
// to and first read later shows the collection as it is at that read.
//
// A list may carry its producer's `SharedListIndex` (`index()`), shared by
// every copy.
//
// `isSameList` tells whether two handles share one snapshot. An owner that
// hands out the same list while nothing changes lets its readers keep indexes
// keyed by it (a reader that keeps a copy of the list also keeps the identity
// from being reused).
template <class T>
class SharedList {
 public:
  using Pointer = std::shared_ptr<T>;
  using Elements = std::vector<Pointer>;
  using Producer = std::function<Elements()>;
  using SharedProducer = std::function<std::shared_ptr<const Elements>()>;
  using const_iterator = typename Elements::const_iterator;

  // The empty list.
  SharedList() : state_(std::make_shared<State>()) { state_->produced = true; }
  explicit SharedList(Elements elements, std::shared_ptr<const SharedListIndex> index = nullptr)
      : state_(std::make_shared<State>()) {
    state_->elements = std::make_shared<const Elements>(std::move(elements));
    state_->produced = true;
    state_->index = std::move(index);
  }
  // A list produced by `producer` at its first read; the producer is then
  // released.
  static SharedList lazy(Producer producer) {
    return lazyShared(
        [producer = std::move(producer)] { return std::make_shared<const Elements>(producer()); });
  }
  // As `lazy`, for an owner that keeps the produced elements itself (to
  // derive the next list from them, or to hand them out again in its next
  // list) instead of copying them in.
  static SharedList lazyShared(SharedProducer producer,
                               std::shared_ptr<const SharedListIndex> index = nullptr) {
    SharedList list;
    list.state_->produced = false;
    list.state_->producer = std::move(producer);
    list.state_->index = std::move(index);
    return list;
  }

  [[nodiscard]] const Elements& elements() const {
    State& state = *state_;
    produce(state);
    return state.elements ? *state.elements : noElements();
  }
  [[nodiscard]] bool isProduced() const { return state_->produced; }

  // The list's snapshot, named without owning it: it lets a holder produce
  // the elements later (say, before the collection changes) at no cost to
  // the list's reference count, as long as the holder knows some copy of the
  // list is still alive. Using it once every copy is gone is undefined.
  class Borrowed {
   public:
    void produce() const { SharedList::produce(*state_); }

   private:
    friend class SharedList;
    explicit Borrowed(typename SharedList::State* state) : state_(state) {}
    typename SharedList::State* state_;
  };
  [[nodiscard]] Borrowed borrowed() const { return Borrowed(state_.get()); }
  // Null when the producer attached none.
  [[nodiscard]] const std::shared_ptr<const SharedListIndex>& index() const {
    return state_->index;
  }

  [[nodiscard]] const_iterator begin() const { return elements().begin(); }
  [[nodiscard]] const_iterator end() const { return elements().end(); }
  [[nodiscard]] size_t size() const { return elements().size(); }
  [[nodiscard]] bool empty() const { return elements().empty(); }
  [[nodiscard]] const Pointer& operator[](size_t position) const { return elements()[position]; }
  [[nodiscard]] const Pointer& front() const { return elements().front(); }
  [[nodiscard]] const Pointer& back() const { return elements().back(); }

  [[nodiscard]] bool isSameList(const SharedList& other) const { return state_ == other.state_; }
  // Names the list without keeping its elements alive. While the name is
  // kept, no other list can take it, even after this one is gone.
  [[nodiscard]] std::weak_ptr<const void> identity() const { return state_; }
  // Whether `identity` was taken from this list (or a copy of it); false for
  // an empty one.
  [[nodiscard]] bool hasIdentity(const std::weak_ptr<const void>& identity) const {
    return !identity.owner_before(state_) && !state_.owner_before(identity);
  }
  // The same for the list's elements, produced now if they were not: lists
  // over one set of elements share this name, which lets an owner that
  // reads a new list hand it out over the elements of its last one when
  // they are the same (see `lazyShared`). Empty for a list without
  // elements, which has no such name. A producer never changes elements it
  // handed out, not even once no list holds them: it moves their storage
  // into new ones instead, so that a name kept by a reader never stands for
  // other elements.
  [[nodiscard]] std::weak_ptr<const void> elementsIdentity() const {
    static_cast<void>(elements());
    return state_->elements;
  }
  [[nodiscard]] bool hasElementsIdentity(const std::weak_ptr<const void>& identity) const {
    static_cast<void>(elements());
    const std::shared_ptr<const Elements>& own = state_->elements;
    return own && !identity.owner_before(own) && !own.owner_before(identity);
  }

 private:
  static const Elements& noElements() {
    static const auto* const none = new Elements();
    return *none;
  }

  struct State {
    bool produced = false;
    SharedProducer producer;
    std::shared_ptr<const Elements> elements;
    std::shared_ptr<const SharedListIndex> index;
  };

  static void produce(State& state) {
    if (state.produced) return;
    // Marked first, so a producer that reads this very list sees it empty
    // instead of recursing without end.
    state.produced = true;
    SharedProducer producer = std::move(state.producer);
    state.producer = nullptr;
    if (producer) {
      if (auto produced = producer()) state.elements = std::move(produced);
    }
  }
  std::shared_ptr<State> state_;
};

}  // namespace vorlent
