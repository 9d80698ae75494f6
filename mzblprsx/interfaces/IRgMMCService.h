// The host's memory card service (clsid::kMMCService): the card of the connected PLC as one
// framework object (class clsid::kMemoryCard, the file-list node of the online tree) and the
// operations on its files.
//
//   auto cards = snapIn->Services()->RgMMCService().As<IRgMMCService>();
//   if (cards->RenameFile(file, "new.bin")) { ... }        // refusals are errors (number 5)
//
// The file list itself is not read here: it arrives through the load service (a load state
// asked for the card with the notify flag) as notifications of the card's files.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgMMCService : public virtual platform::Object {
 public:
  /// The card's date of last change as "YYYY-MM-DD HH:MM:SS"; "1900-01-01 00:00:00" when no
  /// PLC with a card is connected.
  virtual std::string LastModifiedText() = 0;
  /// The card's size in bytes; 0 when no PLC with a card is connected.
  virtual int32_t Size() = 0;
  /// Renames a file of the card; True when it was renamed. Error 5 with the reason when the
  /// name is empty, not valid or taken by another file, or the object is no file of the card.
  virtual bool RenameFile(Ref<IRgObject> file, const std::string& newName) = 0;
  /// Removes the listed files from the card, all or none. Error 5 when an entry is no file of
  /// the connected PLC's card.
  virtual void DeleteFiles(Ref<IRgObjectArray> files) = 0;
};

}  // namespace mzblprsx
