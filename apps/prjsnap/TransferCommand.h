// `prjsnap copy`, `prjsnap export` and `prjsnap import`: project objects carried between project
// files the way a copy and a paste carry them between two running applications.
//
//   prjsnap copy line1.prj.xml FB10 Motors --to line2.prj.xml --at "Conveyor logic"
//   prjsnap copy line1.prj.xml FB10 --to line2.prj.xml --move --answers rename:12:Motor2:ok
//   prjsnap export line1.prj.xml Program -o program.mzx
//   prjsnap import line2.prj.xml program.mzx --answers overwrite:all
//
// Two files are two applications, each with its own host environment and snap-in on its own
// thread; they exchange nothing but the three byte forms on the process clipboard. One file is
// one application (copy and paste in the same tree). Conflicts bring up the overwrite dialog,
// answered from --answers, then at the terminal, else closed (cancel).
//
// Trap: both projects are opened with saves kept in memory and written only when the whole
// transfer succeeded, so a cancelled or failed transfer leaves both files byte for byte.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace prjsnap {

struct TransferRequest {
  enum class Kind { kNone, kCopy, kExport, kImport };

  Kind kind = Kind::kNone;
  std::filesystem::path project;   ///< copy: the source; export: the project; import: the target
  std::vector<std::string> items;  ///< copy, export: the selected items as the tree names them
  std::filesystem::path target;    ///< copy --to
  std::filesystem::path file;      ///< export -o, import FILE: the transfer file
  std::string at;                  ///< --at: where the objects go (default: the program)
  bool move = false;               ///< copy --move
  std::string answers;             ///< --answers: the overwrite dialog's answers
};

/// Declares `copy`, `export` and `import`; parsing fills `request`, which must outlive it.
void AddTransferCommands(CLI::App& app, TransferRequest& request);

/// Runs the transfer. 0: done, files saved (or nothing to insert); 1: refused, cancelled or
/// failed, with the reason on `err` and every file untouched; 2: bad input (bad --answers, a
/// file that does not load, a damaged transfer file, a missing library). `terminal`: where the
/// dialog reads answers after --answers; nullptr when standard input is no terminal.
int RunTransfer(const std::filesystem::path& library, const TransferRequest& request,
                std::istream* terminal, std::ostream& out, std::ostream& err);

}  // namespace prjsnap
