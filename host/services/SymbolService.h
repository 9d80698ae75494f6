// The symbol service of the offline project: the project's symbol table and the table of the
// standard symbols of the system blocks.
//
//   auto symbols = factory->GetService(clsid::kSymbolService, project, nullptr, "")
//                      .Cast<mzblprsx::IRgSymbolService>();
//   auto table = symbols->PredefinedSymbols(0);
//   table->Entry(table->FindEntry("SFC20"))->Symbol();   // "BLKMOV"
//
// Created by the service factory, a new one per request, bound to the offline project.
// Trap: the service belongs to the request; do not keep it past the project it is bound to.
#pragma once

#include <cstdint>

#include "host/services/BoundService.h"
#include "mzblprsx/interfaces/IRgSymbolService.h"

namespace host {

class SymbolService : public BoundService, public virtual mzblprsx::IRgSymbolService {
 public:
  using BoundService::BoundService;

  std::string_view TypeName() const override { return "SymbolService"; }

  /// The bound project's symbol table itself (changes through it are the project's); nothing
  /// when the project has none or the service is bound to no offline project.
  platform::Ref<mzblprsx::IRgSymbolTable> SymbolTable() override;
  /// Kind 0: a new table of the standard symbols of the system blocks (SFC, SFB, OB), in no
  /// project, so changing it changes nothing else; nothing for every other kind.
  platform::Ref<mzblprsx::IRgSymbolTable> PredefinedSymbols(int32_t kind) override;
};

}  // namespace host
