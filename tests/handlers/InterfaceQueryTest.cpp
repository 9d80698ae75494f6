// The remembered interface queries of handler attachment: objects of several classes, asked in
// turn, must each get their own interface part, whichever class was asked before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/models/HandlerClasses.h"
#include "platform/ClassRegistry.h"

namespace {

using mzblprsx::AsDocument;
using mzblprsx::AsFrameworkObject;
using mzblprsx::IRgDocument;
using mzblprsx::IRgObject;
using platform::Ref;

class Plain final : public platform::Object {
 public:
  std::string_view TypeName() const override { return "Plain"; }
};

/// A framework object; `Padding` moves the interface parts to other offsets per class.
template <int Padding>
class Framework : public IRgObject {
 public:
  explicit Framework(std::string id) : id_(std::move(id)) {}
  std::string_view TypeName() const override { return "Framework"; }
  std::string ClassID() override { return "{TEST}"; }
  std::string ObjectID() override { return id_; }
  std::string DisplayName() override { return id_; }
  void Delete() override {}

 private:
  char padding_[Padding] = {};
  std::string id_;
};

/// A document too, with the document part first so that the two parts lie apart.
template <int Padding>
class Document final : public IRgDocument, public Framework<Padding> {
 public:
  Document(std::string id, bool open) : Framework<Padding>(std::move(id)), open_(open) {}
  bool IsOpen() override { return open_; }
  bool IsModified() override { return false; }
  void Commit() override {}

 private:
  bool open_;
};

TEST(InterfaceQueryTest, EachClassGetsItsOwnPartsInAnyOrderOfAsking) {
  std::vector<Ref<platform::Object>> objects{
      platform::MakeObject<Framework<1>>("f1"),
      platform::MakeObject<Document<8>>("d8", true),
      platform::MakeObject<Plain>(),
      platform::MakeObject<Framework<40>>("f40"),
      platform::MakeObject<Document<24>>("d24", false),
      platform::MakeObject<Document<8>>("d8b", false),
  };
  const char* expectedIds[] = {"f1", "d8", nullptr, "f40", "d24", "d8b"};
  const int expectedOpen[] = {-1, 1, -1, -1, 0, 0};  // -1: no document
  for (int round = 0; round < 3; ++round) {          // later rounds answer from what was learnt
    for (size_t i = 0; i < objects.size(); ++i) {
      const Ref<IRgObject> framework = AsFrameworkObject(objects[i]);
      if (!expectedIds[i]) {
        EXPECT_FALSE(framework) << "object " << i << " is no framework object";
        continue;
      }
      ASSERT_TRUE(framework) << "object " << i << ", round " << round;
      EXPECT_EQ(framework->ObjectID(), expectedIds[i]) << "round " << round;
      EXPECT_TRUE(SameObject(framework, objects[i])) << "the same object, not a copy";
      const Ref<IRgDocument> document = AsDocument(framework);
      EXPECT_EQ(document ? int{document->IsOpen()} : -1, expectedOpen[i])
          << "object " << i << ", round " << round;
    }
  }
}

TEST(InterfaceQueryTest, NothingStaysNothingAndAnAnswerKeepsItsObjectAlive) {
  EXPECT_FALSE(AsFrameworkObject(nullptr));
  EXPECT_FALSE(AsDocument(nullptr));
  Ref<IRgDocument> document;
  std::weak_ptr<platform::Object> alive;
  {
    Ref<platform::Object> object = platform::MakeObject<Document<8>>("held", true);
    alive = object.Shared();
    document = AsDocument(AsFrameworkObject(object));
  }
  EXPECT_FALSE(alive.expired()) << "the answer shares ownership of the object";
  EXPECT_TRUE(document->IsOpen());
}

TEST(CreateHandlerTest, KeptFactoriesFollowTheRegistry) {
  auto& registry = platform::ClassRegistry::Instance();
  const auto made = [](const char* name) {
    return [name]() -> Ref<platform::Object> { return platform::MakeObject<Framework<1>>(name); };
  };
  EXPECT_FALSE(mzblprsx::CreateHandler("TestHandlerKept")) << "not registered yet";
  registry.Register("", "mzblprsx.TestHandlerKept", made("first"));
  const auto first = AsFrameworkObject(mzblprsx::CreateHandler("TestHandlerKept"));
  ASSERT_TRUE(first) << "a class registered after a miss is found";
  EXPECT_EQ(first->ObjectID(), "first");
  EXPECT_FALSE(SameObject(first, mzblprsx::CreateHandler("TestHandlerKept")))
      << "a new one each time";

  registry.Register("", "mzblprsx.TestHandlerKept", made("second"));
  EXPECT_EQ(AsFrameworkObject(mzblprsx::CreateHandler("TestHandlerKept"))->ObjectID(), "second")
      << "a replaced registration is used at once";
  registry.Unregister("mzblprsx.TestHandlerKept");
  EXPECT_FALSE(mzblprsx::CreateHandler("TestHandlerKept")) << "and an unregistered class is gone";
}

}  // namespace
