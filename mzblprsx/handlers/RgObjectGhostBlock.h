// The ghost block: a placeholder object that the library makes itself and shows as one item in
// a program, standing for the blocks that exist only on the other side (in an offline program:
// the blocks only in the PLC; in the PLC's program: the blocks only offline). It is a framework
// object like any other, so the model component and the views treat it as one.
//
//   auto ghost = program->CreateRgObjectGhostBlock();     // class and name already set
//   ghost->AddBlock(block);                                // each object at most once
//   ghost->CountBlocks();                                  // 1
//   ghost->ObjectPath();   // heading, then one line per block: "Motor : FB10" or "FB10 : Motor"
//
// The blocks are kept in insertion order under the key "OBJ" followed by the object's identity
// in decimal, so that the same object is never held twice however often it is added. The class
// identifier says which side the ghost stands in and so which heading its description gets.
// Trap: ObjectPath reaches the snap-in through the ghost's item; before its handler's
// Initialize handed it the item, the description fails (error 91, reported) and is empty.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/handlers/IRgObjectGhostBlock.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "platform/KeyedCollection.h"

namespace mzblprsx {

class RgProjectItem;

class RgObjectGhostBlock final : public IRgObject, public IRgObjectGhostBlock {
 public:
  static constexpr std::string_view kTypeName = "RgObjectGhostBlock";
  /// Static texts of the description's heading: the offline ghost's, the online ghost's.
  static constexpr int32_t kTextOfflineHeading = 5007;
  static constexpr int32_t kTextOnlineHeading = 5008;

  RgObjectGhostBlock() = default;
  std::string_view TypeName() const override { return kTypeName; }

  // _RgObjectGhostBlock
  /// How many blocks the ghost holds.
  int32_t CountBlocks() override;
  /// The held blocks in insertion order.
  std::vector<Ref<IRgObject>> NewEnum() override;

  // IRgObject
  std::string ClassID() override;
  /// Always "1": the ghost is the only one of its kind in its program.
  std::string ObjectID() override;
  std::string DisplayName() override;
  /// Does nothing: a ghost has no counterpart in the project data.
  void Delete() override;
  /// Ignored, the identifier stays 1.
  void SetObjectID(const std::string& id);
  void SetDisplayName(const std::string& name);
  /// The description shown for the ghost: the heading of its side, then per block a line with
  /// the symbolic and the absolute name in the order of the address priority option.
  std::string ObjectPath();
  /// Does nothing.
  void SetDefaultValues();
  /// The framework's state flags: always False for a ghost.
  bool Modified() { return false; }
  bool Created() { return false; }
  bool Deleted() { return false; }
  bool Persistent() { return false; }
  bool Gone() { return false; }
  bool Snapshot() { return false; }
  /// The framework's second text property: accepted and ignored.
  void SetText(const std::string& text);

  // Library-internal
  /// Appends the block unless the ghost holds it already.
  void AddBlock(const Ref<IRgObject>& block);
  /// Takes the block out; nothing when the ghost does not hold it.
  void RemoveBlock(const Ref<IRgObject>& block);
  void RemoveAll();
  /// Whether the ghost holds the block; never reports.
  bool Contains(const Ref<IRgObject>& block) const;
  void SetClassID(const std::string& classId);
  Ref<RgProjectItem> ProjectItem() { return Ref<RgProjectItem>(item_.lock()); }
  void SetProjectItem(const Ref<RgProjectItem>& item);

 private:
  /// "OBJ" followed by the object's identity in decimal.
  static std::string P_KeyOf(const Ref<IRgObject>& block);

  InstanceTrace trace_{kTypeName};
  std::string classId_;
  std::string displayName_;
  platform::KeyedCollection<Ref<IRgObject>> blocks_;
  // Weak: the item holds the ghost as its framework object, so a strong reference back would
  // keep both alive after a tree that was dropped without terminating its items.
  std::weak_ptr<RgProjectItem> item_;
};

}  // namespace mzblprsx
