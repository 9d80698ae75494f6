// `prjsnap download`, `prjsnap upload` and `prjsnap blocks`: objects loaded between a project
// and the PLC it runs on, the way a drop onto the other side's tree loads them, and the block
// list dialog.
//
//   prjsnap download line.prj.xml --plc line.plc.xml FB10 FC5
//   prjsnap download line.prj.xml --plc line.plc.xml Motors --select none,+FB10,load
//   prjsnap upload line.prj.xml --plc line.plc.xml FC30 --at Motors
//   prjsnap blocks line.prj.xml --select "click:FB10,open"
//
// Project and PLC are one application: the named items of one side are carried to the other
// side's program through the library's stream services, which decide between loading directly
// and asking the user with the selection dialog (answered from --select, then at the terminal,
// else closed).
//
// Trap: both files are opened with saves kept in memory; they are written, together and only
// when the whole load succeeded, so a refused, cancelled or failed load leaves both byte for
// byte.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace prjsnap {

struct LoadRequest {
  enum class Kind { kNone, kDownload, kUpload, kBlocks };

  Kind kind = Kind::kNone;
  std::filesystem::path project;
  std::filesystem::path plc;       ///< --plc (blocks: optional)
  std::vector<std::string> items;  ///< the objects of the sending side; none: its program
  std::string at;                  ///< upload --at: where new blocks go (default: the program)
  std::string select;              ///< --select: the selection dialog's steps
  std::string side = "offline";    ///< blocks --side
  bool quiet = false;              ///< --quiet: no progress
};

/// Declares `download`, `upload` and `blocks`; parsing fills `request`, which must outlive it.
void AddLoadCommands(CLI::App& app, LoadRequest& request);

/// Runs the request. 0: loaded and written (blocks: something chosen); 1: refused, cancelled or
/// failed, with the reason on `err` and both files untouched; 2: bad input (a bad --select, a
/// step naming no row, a file that does not load). `terminal`: where the dialog reads steps
/// after --select; nullptr when standard input is no terminal. `progressOnTerminal`: draw the
/// progress as a bar (standard error is a terminal).
int RunLoad(const std::filesystem::path& library, const LoadRequest& request,
            std::istream* terminal, bool progressOnTerminal, std::ostream& out, std::ostream& err);

}  // namespace prjsnap
