// The application's memory card service: the card of the connected PLC as one framework object
// (class kMemoryCard, object identifier "MMC" as the PLC's card has, the card's name), which the
// library shows as the card's file-list node, and the operations on the card's files.
//
//   host::MMCService& cards = env.MemoryCards();
//   cards.RenameFile(file, "recipes.csv");    // error 5 with the reason when it is refused
//   cards.DeleteFiles(files);                  // all or none
//
// A file name is valid when it is not empty, at most kMaxNameLength characters long, neither
// "." nor "..", has no path separator ('/' or '\'), no control character (U+0000 to U+001F and
// U+007F) and no blank at its start or end; it is taken when another file of the card has it
// without regard to case (a file may change the case of its own name).
//
// Trap: one per application; the service factory hands out the same object on every request.
// It holds no card of its own: every call looks at the PLC connected at that time, so with no
// PLC (or a PLC without a card) it shows an empty name, 1 January 1900 and size 0, and refuses
// renames and deletions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mzblprsx/interfaces/IRgMMCService.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace host {

class MemoryCard;
class MMCFile;
class OnlineService;

class MMCService : public mzblprsx::IRgObject, public mzblprsx::IRgMMCService {
 public:
  /// The longest file name a card takes, in characters.
  static constexpr size_t kMaxNameLength = 64;

  /// online: the application's online service, which knows the connected PLC.
  explicit MMCService(platform::Ref<OnlineService> online);

  std::string_view TypeName() const override { return "MMCService"; }

  // IRgObject
  std::string ClassID() override;
  /// "MMC", the identifier of the PLC's card, so that a load state asked for this object asks
  /// for the card.
  std::string ObjectID() override;
  /// The connected card's name; empty without one.
  std::string DisplayName() override;
  /// Error 5: the file list of a card is no object one can delete.
  void Delete() override;

  // IRgMMCService
  std::string LastModifiedText() override;
  int32_t Size() override;
  /// Error 5 naming the reason when the name is not valid or taken, or the object is no file of
  /// the connected card (see the file comment).
  bool RenameFile(platform::Ref<mzblprsx::IRgObject> file, const std::string& newName) override;
  /// Checks every entry first (each a file of the connected card, error 5 otherwise), then
  /// removes them with one notification 2; an entry listed twice is removed once.
  void DeleteFiles(platform::Ref<mzblprsx::IRgObjectArray> files) override;

  /// Why the name cannot be a file name (see the file comment); empty when it can.
  static std::string NameProblem(std::string_view name);

  /// The connected PLC's card; nothing without one.
  platform::Ref<MemoryCard> Card() const;

 private:
  /// The file of the connected card that the object is; error 5 naming `operation` otherwise.
  platform::Ref<MMCFile> FileOfCard(const platform::Ref<mzblprsx::IRgObject>& object,
                                    const char* operation) const;

  platform::Ref<OnlineService> online_;
};

}  // namespace host
