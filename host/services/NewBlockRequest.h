// What a new block is to be: the answers of the new-block dialog, and what a later "create from
// data" fills in. BlockService::CreateBlock makes the block from it.
//
//   host::NewBlockRequest fb;
//   fb.type = host::BlockInfo::kFb;
//   fb.number = 12;
//   fb.header = "Pump";
//
// Trap: number 0 asks for the lowest number of the type that is still free.
#pragma once

#include <cstdint>
#include <string>

#include "host/project/BlockInfo.h"

namespace host {

struct NewBlockRequest {
  int32_t type = BlockInfo::kFb;
  /// 0: the lowest free number of the type.
  int32_t number = 0;
  std::string header;
  std::string author;
  /// A language code of BlockInfo (0: none).
  int32_t language = 0;
  /// The symbol to give the block in the project's symbol table; empty: none.
  std::string symbol;
};

}  // namespace host
