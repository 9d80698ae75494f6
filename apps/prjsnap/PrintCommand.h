// `prjsnap print`: the details printout of a project, a program or the PLC's memory card, made
// by the library's print object and rendered by the host's print service as text, CSV, HTML or
// PDF. It writes no project file.
//
//   prjsnap print line.prj.xml --of program --format pdf -o program.pdf
//   prjsnap print line.prj.xml --plc line.plc.xml --of card --format csv
//
// The service drives the print object page by page as a host's print service does; what the
// print object refuses (its message boxes) is said on standard error with exit code 1.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace prjsnap {

struct PrintRequest {
  std::filesystem::path project;  ///< empty: the embedded sample
  std::filesystem::path plc;      ///< --plc; empty: the embedded sample PLC when one is needed
  std::string of = "program";     ///< project, program or card
  std::string side;               ///< offline or online; empty: offline (online for card)
  std::string format = "text";    ///< text, csv, html or pdf
  std::filesystem::path output;   ///< -o; empty: standard output
  int32_t pageRows = 0;           ///< --page-rows; 0: as many as fit a page
};

/// Declares `print`; parsing fills `request`, which must outlive it.
CLI::App* AddPrintCommand(CLI::App& app, PrintRequest& request);

/// 0: printed; 1: the print object refused (reasons on `err`); 2: bad input (a side the object
/// has not, a file that does not load, an output that cannot be written).
int RunPrint(const std::filesystem::path& library, const PrintRequest& request, std::ostream& out,
             std::ostream& err);

}  // namespace prjsnap
