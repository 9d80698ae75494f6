#include "host/services/SymbolService.h"

#include <array>
#include <string_view>
#include <utility>

#include "host/project/OfflineProject.h"
#include "host/project/SymbolTable.h"

namespace host {

namespace {

struct StandardSymbol {
  std::string_view address;
  std::string_view name;
};

// The names under which the firmware's own blocks are known, so that a system block keeps its
// usual name when it is inserted under another number.
constexpr std::array<StandardSymbol, 33> kStandardSymbols{{
    {"OB1", "CYCL_EXC"},   {"OB10", "TOD_INT0"},  {"OB20", "DEL_INT0"},
    {"OB35", "CYC_INT5"},  {"OB40", "HW_INT0"},   {"OB80", "CYCL_FLT"},
    {"OB81", "PS_FLT"},    {"OB82", "I/O_FLT1"},  {"OB85", "OBNL_FLT"},
    {"OB86", "RACK_FLT"},  {"OB87", "COMM_FLT"},  {"OB100", "COMPLETE RESTART"},
    {"OB121", "PROG_ERR"}, {"OB122", "MOD_ERR"},  {"SFB1", "CTD"},
    {"SFB2", "CTUD"},      {"SFB3", "TP"},        {"SFB4", "TON"},
    {"SFB5", "TOF"},       {"SFC1", "READ_CLK"},  {"SFC20", "BLKMOV"},
    {"SFC21", "FILL"},     {"SFC22", "CREAT_DB"}, {"SFC23", "DEL_DB"},
    {"SFC24", "TEST_DB"},  {"SFC28", "SET_TINT"}, {"SFC29", "CAN_TINT"},
    {"SFC43", "RE_TRIGR"}, {"SFC46", "STP"},      {"SFC47", "WAIT"},
    {"SFC51", "RDSYSST"},  {"SFC52", "WR_USMSG"}, {"SFC64", "TIME_TCK"},
}};

}  // namespace

platform::Ref<mzblprsx::IRgSymbolTable> SymbolService::SymbolTable() {
  const auto project = Context().As<OfflineProject>();
  if (!project) return {};
  return project->Symbols();
}

platform::Ref<mzblprsx::IRgSymbolTable> SymbolService::PredefinedSymbols(int32_t kind) {
  if (kind != 0) return {};
  auto table = platform::MakeObject<host::SymbolTable>("Standard symbols");
  for (const auto& symbol : kStandardSymbols) {
    table->SetSymbol(std::string(symbol.address), std::string(symbol.name));
  }
  return table;
}

}  // namespace host
