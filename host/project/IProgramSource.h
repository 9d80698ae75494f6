// Implemented by host objects that stand for a program without being one (a block service bound
// to a program), so that the block information object's HasBlock accepts them.
//
//   class BlockService : public ..., public virtual host::IProgramSource { ... };
#pragma once

#include "platform/Ref.h"

namespace host {

class Program;

class IProgramSource : public virtual platform::Object {
 public:
  /// The program the object stands for; nothing when it has none.
  virtual platform::Ref<Program> SourceProgram() = 0;
};

}  // namespace host
