// The reference host's own setter interface for framework documents.
//
// A framework object that opens in an editor reports its open and modified state through
// mzblprsx::IRgDocument, which has no setters. Objects of the reference host that want the
// application frame to keep those states true also offer this interface: opening a document
// marks its object open, closing marks it closed, and a flush or save writes the editor's state
// back, which leaves the object unmodified.
//
//   if (auto doc = object.As<host::IHostDocument>()) doc->SetModified(false);
//
// Trap: objects without it are still opened, flushed and saved; the frame then only records.
#pragma once

#include "platform/Object.h"

namespace host {

class IHostDocument : public virtual platform::Object {
 public:
  /// Called with true when an editor window opens on the object, false when the last one closes.
  virtual void SetOpen(bool open) = 0;
  /// Called with false when the editor's contents were written back (flush or save).
  virtual void SetModified(bool modified) = 0;
};

}  // namespace host
