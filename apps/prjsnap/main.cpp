// prjsnap: the command-line host of the project snap-in. It loads the library like a host loads a
// snap-in and gives its features on project files; without files it works on the embedded sample.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <iostream>

#include "CardCommand.h"
#include "CompareCommand.h"
#include "EditCommand.h"
#include "Lifecycle.h"
#include "LoadCommand.h"
#include "PrintCommand.h"
#include "SnapInLibrary.h"
#include "TransferCommand.h"
#include "ViewCommands.h"
#include "platform/Error.h"
#include "platform/LocalDateFormat.h"

int main(int argc, char** argv) {
  CLI::App app{
      "prjsnap: project explorer, details, compare, transfers, loads and printouts of PLC "
      "projects"};
  app.require_subcommand(1);
  std::string library = prjsnap::SnapInLibrary::DefaultPath().string();
  app.add_option("--library", library, "the snap-in library to load")->capture_default_str();
  std::string locale;
  app.add_option("--locale", locale,
                 "the locale of printed dates, e.g. de_DE (default: LC_ALL, LC_TIME or LANG)");

  prjsnap::LifecycleOptions lifecycle;
  std::string project;
  std::string plc;
  CLI::App* life = app.add_subcommand(
      "lifecycle", "run the host's whole snap-in sequence once and report leaks");
  life->add_option("PROJECT", project, "project file (default: the embedded sample)")
      ->check(CLI::ExistingFile);
  life->add_option("--plc", plc, "PLC file (default: the embedded sample PLC)")
      ->check(CLI::ExistingFile);

  // tree and details: what the library's cursors show; they never write a file.
  std::string viewProject;
  std::vector<std::string> settings;
  bool json = false;
  const auto addViewOptions = [&](CLI::App* command) {
    command->add_option("PROJECT", viewProject, "project file (default: the embedded sample)")
        ->check(CLI::ExistingFile);
    command->add_option("--set", settings,
                        "set a host option before the tree is built, KEY=VALUE "
                        "(e.g. General/Settings/AddressPriority=1)");
    command->add_flag("--json", json, "print JSON rows instead of text");
  };
  CLI::App* tree = app.add_subcommand("tree", "print the explorer tree of a project");
  addViewOptions(tree);
  std::string treePlc;
  std::string side = "offline";
  tree->add_option("--plc", treePlc,
                   "connect to this PLC file and mark every row with its compare state")
      ->check(CLI::ExistingFile);
  tree->add_option("--side", side,
                   "the project's tree (offline) or the PLC's (online; without --plc the "
                   "embedded sample PLC)")
      ->check(CLI::IsMember({"offline", "online"}))
      ->capture_default_str();
  CLI::App* details = app.add_subcommand("details", "print the details list of a project");
  addViewOptions(details);
  std::string of = "program";
  std::string sort = "SortDefault";
  details->add_option("--of", of, "what the list shows: project or program")
      ->check(CLI::IsMember({"project", "program"}))
      ->capture_default_str();
  details->add_option("--sort", sort, "sort columns, KEY[:desc][,KEY[:desc]]...")
      ->capture_default_str();

  // edit: changes a project through the library's handlers and saves it.
  prjsnap::EditRequest edit;
  CLI::App* editCommand = prjsnap::AddEditCommand(app, edit);

  // compare: the project against the PLC, through the library's status controller.
  prjsnap::CompareRequest compare;
  CLI::App* compareCommand = prjsnap::AddCompareCommand(app, compare);

  // copy, export and import: objects carried between projects, with the overwrite dialog.
  prjsnap::TransferRequest transfer;
  prjsnap::AddTransferCommands(app, transfer);

  // download, upload and blocks: objects loaded between the project and the PLC.
  prjsnap::LoadRequest load;
  prjsnap::AddLoadCommands(app, load);

  // card: the files on a PLC's memory card, through the library's memory card handlers.
  prjsnap::CardRequest card;
  CLI::App* cardCommand = prjsnap::AddCardCommand(app, card);

  // print: the details printout through the library's print object.
  prjsnap::PrintRequest print;
  CLI::App* printCommand = prjsnap::AddPrintCommand(app, print);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }

  try {
    if (!locale.empty()) platform::LocalDateFormat::SetLocale(locale);
    if (printCommand->parsed()) return prjsnap::RunPrint(library, print, std::cout, std::cerr);
    if (life->parsed()) {
      lifecycle.library = library;
      if (!project.empty()) lifecycle.project = project;
      if (!plc.empty()) lifecycle.plc = plc;
      return prjsnap::RunLifecycle(lifecycle, std::cout, std::cerr);
    }
    if (editCommand->parsed()) return prjsnap::RunEdit(library, edit, std::cout, std::cerr);
    if (cardCommand->parsed()) return prjsnap::RunCard(library, card, std::cout, std::cerr);
    if (compareCommand->parsed()) {
      return prjsnap::RunCompare(library, compare, std::cout, std::cerr);
    }
    if (transfer.kind != prjsnap::TransferRequest::Kind::kNone) {
      // Dialogs ask at the terminal only when there is one; otherwise unanswered ones close.
      std::istream* terminal = isatty(STDIN_FILENO) != 0 ? &std::cin : nullptr;
      return prjsnap::RunTransfer(library, transfer, terminal, std::cout, std::cerr);
    }
    if (load.kind != prjsnap::LoadRequest::Kind::kNone) {
      std::istream* terminal = isatty(STDIN_FILENO) != 0 ? &std::cin : nullptr;
      return prjsnap::RunLoad(library, load, terminal, isatty(STDERR_FILENO) != 0, std::cout,
                              std::cerr);
    }
    if (tree->parsed() || details->parsed()) {
      prjsnap::SnapInSession::Options options;
      options.library = library;
      if (!viewProject.empty()) options.project = viewProject;
      for (const std::string& setting : settings) {
        options.settings.push_back(prjsnap::ParseSetting(setting));
      }
      if (tree->parsed()) {
        options.connect = !treePlc.empty() || side == "online";
        if (!treePlc.empty()) options.plc = treePlc;
        return prjsnap::RunTree(options, json, side == "online", std::cout);
      }
      return prjsnap::RunDetails(options, of == "project" ? 0 : 1, prjsnap::ParseSort(sort), json,
                                 std::cout, std::cerr);
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
