// `prjsnap card PLC [list | load | rename FILE NEW | delete FILE...]`: the files on the memory
// card of a PLC file, as the library's memory card nodes show and change them.
//
//   prjsnap card line.plc.xml                      # the details list of the card's files
//   prjsnap card line.plc.xml load                 # "LoadState -1: loaded, 2 files"
//   prjsnap card line.plc.xml rename Recipes.csv Recipes-2026.csv
//   prjsnap card line.plc.xml delete Program.wld Recipes.csv
//
// The PLC is connected beside the embedded sample project (a card needs no project). `list`
// runs the details cursor in memory-card mode, which loads the file list; `rename` and `delete`
// edit the file items through their handlers (Save after a new "NAME", Delete), as the details
// view does. Files are named as the card has them; a name that matches none exactly is looked
// up without regard to case.
//
// Trap: the PLC file is written only after a rename or deletion that the card carried out in
// full; a refused or failed one leaves it byte for byte, and list and load never write it.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace prjsnap {

struct CardRequest {
  std::filesystem::path plc;
  /// The action and its arguments; none: list.
  std::vector<std::string> words;
};

/// Declares `card`; parsing fills `request`, which must outlive the parse.
CLI::App* AddCardCommand(CLI::App& app, CardRequest& request);

/// Runs the request. 0: done (rename and delete: the PLC file written); 1: refused or failed
/// (a file the card does not have, a name the card refuses, a PLC without a card, a file list
/// that did not load), with the reason on `err` and the file untouched; 2: bad arguments (an
/// unknown action, a wrong number of files). Throws platform::Error when the PLC file does not
/// load or the library cannot be loaded.
int RunCard(const std::filesystem::path& library, const CardRequest& request, std::ostream& out,
            std::ostream& err);

}  // namespace prjsnap
