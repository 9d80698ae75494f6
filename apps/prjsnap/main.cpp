// prjsnap: the command-line host of the project snap-in. It loads the library like a host loads a
// snap-in and gives its features on project files; without files it works on the embedded sample.
#include <CLI/CLI.hpp>

#include <iostream>

#include "Lifecycle.h"
#include "SnapInLibrary.h"
#include "platform/Error.h"

int main(int argc, char** argv) {
  CLI::App app{"prjsnap: project explorer, details, compare and transfers of PLC projects"};
  app.require_subcommand(1);
  std::string library = prjsnap::SnapInLibrary::DefaultPath().string();
  app.add_option("--library", library, "the snap-in library to load")->capture_default_str();

  prjsnap::LifecycleOptions lifecycle;
  std::string project;
  std::string plc;
  CLI::App* life = app.add_subcommand(
      "lifecycle", "run the host's whole snap-in sequence once and report leaks");
  life->add_option("PROJECT", project, "project file (default: the embedded sample)")
      ->check(CLI::ExistingFile);
  life->add_option("--plc", plc, "PLC file (default: the embedded sample PLC)")
      ->check(CLI::ExistingFile);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }

  try {
    if (life->parsed()) {
      lifecycle.library = library;
      if (!project.empty()) lifecycle.project = project;
      if (!plc.empty()) lifecycle.plc = plc;
      return prjsnap::RunLifecycle(lifecycle, std::cout, std::cerr);
    }
  } catch (const platform::Error& e) {
    std::cerr << "prjsnap: " << e.Description() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "prjsnap: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
