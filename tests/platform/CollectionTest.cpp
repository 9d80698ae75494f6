// KeyedCollection, signals and references.
#include <gtest/gtest.h>

#include "support/ErrorOf.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/KeyedCollection.h"
#include "platform/Ref.h"
#include "platform/Signal.h"

using platform::KeyedCollection;
namespace errc = platform::errc;

namespace {

using platformtest::ErrorOf;

std::string Order(const KeyedCollection<std::string>& c) {
  std::string out;
  for (const auto& s : c) out += s;
  return out;
}

TEST(KeyedCollection, AddsAndRemovesAtPlacesAndFindsByKeyWithoutCase) {
  KeyedCollection<std::string> c;
  c.Add("a", "LOC 1");
  c.Add("c", "LOC 3");
  c.Add("b", "LOC 2", std::string("loc 3"));  // before
  c.Add("d", "", {}, int32_t{3});             // after position 3, no key
  c.Add("0", "first", int32_t{1});
  EXPECT_EQ(Order(c), "0abcd");
  EXPECT_EQ(c.Count(), 5);
  EXPECT_EQ(c.Item("Loc 2"), "b");
  EXPECT_EQ(c.IndexOf("LOC 3"), 4) << "positions follow insertions in the middle";
  EXPECT_EQ(c.IndexOf("nowhere"), 0);
  EXPECT_TRUE(c.Exists("FIRST"));
  EXPECT_FALSE(c.Exists(""));

  SCOPED_TRACE("remove keeps the order and the keys");
  c.Remove("loc 2");
  c.Remove(1);
  EXPECT_EQ(Order(c), "acd");
  EXPECT_EQ(c.IndexOf("LOC 3"), 2);
  EXPECT_FALSE(c.Exists("first"));
  c.Add("b", "LOC 2", std::string("loc 3"));
  EXPECT_EQ(Order(c), "abcd");
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  c.Add("x", "LOC 1");
  EXPECT_EQ(c.IndexOf("loc 1"), 1) << "keys are free again after Clear";
}

TEST(KeyedCollection, ErrorsOfTheRuntime) {
  KeyedCollection<int> c;
  c.Add(1, "k");
  EXPECT_EQ(ErrorOf([&] { c.Add(2, "K"); }), errc::kDuplicateKey);
  EXPECT_EQ(c.Count(), 1) << "a rejected add changes nothing";
  EXPECT_EQ(ErrorOf([&] { c.Item(0); }), errc::kSubscript);
  EXPECT_EQ(ErrorOf([&] { c.Item(2); }), errc::kSubscript);
  EXPECT_EQ(ErrorOf([&] { c.Item("missing"); }), errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { c.Add(3, "x", std::string("missing")); }), errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { c.Add(3, "x", int32_t{1}, int32_t{1}); }), errc::kInvalidCall)
      << "before and after together";
}

TEST(Signal, HandlersMayDisconnectOrConnectDuringEmission) {
  platform::Signal<int> s;
  std::string log;
  platform::ScopedConnection second;
  platform::ScopedConnection first = s.Connect([&](int v) {
    log += "1:" + std::to_string(v) + " ";
    second.Disconnect();  // the second handler must not run any more
  });
  second = s.Connect([&](int) { log += "2 "; });
  s.Emit(7);
  EXPECT_EQ(log, "1:7 ");
  {
    platform::ScopedConnection scoped = s.Connect([&](int) { log += "3 "; });
    EXPECT_EQ(s.ConnectionCount(), 2u);
  }
  EXPECT_EQ(s.ConnectionCount(), 1u) << "a scoped connection ends with its scope";

  SCOPED_TRACE("a handler connected during an emission runs next time");
  platform::Signal<> t;
  int late = 0;
  std::vector<platform::ScopedConnection> keep;
  keep.emplace_back(t.Connect([&] {
    if (keep.size() == 1) keep.emplace_back(t.Connect([&] { ++late; }));
  }));
  t.Emit();
  EXPECT_EQ(late, 0);
  t.Emit();
  EXPECT_EQ(late, 1);
}

TEST(Signal, DisconnectingReleasesWhatTheHandlerHoldsOnceItReturned) {
  // A handler that holds its own owner (a control's handler capturing the control) would keep
  // both alive for good if the disconnected handler stayed in the signal's list.
  platform::Signal<> s;
  auto owner = std::make_shared<int>(1);
  const std::weak_ptr<int> watch = owner;
  platform::Connection c = s.Connect([owner] { ++*owner; });
  owner.reset();
  ASSERT_FALSE(watch.expired());
  c.Disconnect();
  EXPECT_TRUE(watch.expired()) << "the handler went with its connection";
  s.Emit();  // nothing is called, nothing is left to call

  SCOPED_TRACE("a handler disconnecting itself finishes before it is destroyed");
  platform::Signal<int> t;
  auto held = std::make_shared<std::string>("held");
  const std::weak_ptr<std::string> watchHeld = held;
  std::string seen;
  platform::ScopedConnection self;
  self = t.Connect([&self, &seen, held = std::move(held)](int) {
    self.Disconnect();
    seen = *held;  // the handler's own captures are still there after it disconnected
  });
  t.Emit(1);
  EXPECT_EQ(seen, "held");
  EXPECT_TRUE(watchHeld.expired()) << "destroyed once it returned";
  t.Emit(2);
  EXPECT_EQ(t.ConnectionCount(), 0u);
}

TEST(Signal, EmissionCopiesNothingAndSurvivesWhatItsHandlersDo) {
  struct Counted {
    explicit Counted(int* c) : copies(c) {}
    Counted(const Counted& o) : copies(o.copies) { ++*copies; }
    int* copies;
  };
  int copies = 0;
  platform::Signal<Counted> counted;
  platform::ScopedConnection one = counted.Connect([](const Counted&) {});
  platform::ScopedConnection two = counted.Connect([](const Counted&) {});
  counted.Emit(Counted(&copies));
  EXPECT_EQ(copies, 0) << "neither the emission nor its handlers copy the argument";

  auto owned = std::make_unique<platform::Signal<int>>();
  std::string log;
  platform::Connection first = owned->Connect([&](int n) {
    if (n == 0) throw std::runtime_error("handler failed");
    if (n == 1) owned->Emit(2);  // nested, and its handler destroys the signal
    if (n == 2) owned.reset();
  });
  platform::Connection second = owned->Connect([&](int n) { log += std::to_string(n); });
  EXPECT_THROW(owned->Emit(0), std::runtime_error);
  owned->Emit(3);
  owned->Emit(1);
  EXPECT_FALSE(owned);
  EXPECT_EQ(log, "3") << "usable after a handler threw; silent once a handler destroyed it";
}

struct Widget : platform::Object {
  std::string_view TypeName() const override { return "Widget"; }
};

TEST(Ref, CallOnNothingIsErrorNinetyOne) {
  platform::Ref<Widget> nothing;
  EXPECT_EQ(ErrorOf([&] { nothing->TypeName(); }), errc::kObjectNotSet);
  platform::Ref<platform::Object> some = platform::MakeObject<Widget>();
  EXPECT_TRUE(some.Cast<Widget>());
  struct Other : platform::Object {
    std::string_view TypeName() const override { return "Other"; }
  };
  EXPECT_FALSE(some.As<Other>());
  EXPECT_EQ(ErrorOf([&] { some.Cast<Other>(); }), errc::kTypeMismatch);
  EXPECT_TRUE(platform::SameObject(some, some.Cast<Widget>()));
}

}  // namespace
